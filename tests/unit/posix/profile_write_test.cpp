// Writing values with WritePrivateProfileStringA: byte-exact results, kept
// encodings and line ends, refused input that would break the file.

#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "tests/support/case_name.h"
#include "tests/unit/posix/scratch_dir.h"
#include "tests/unit/posix/utf16_bytes.h"

namespace tarvex::platform {
namespace {

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  std::string value;
  std::string after;
};
TARVEX_PRINT_CASE_AS_NAME(WriteCase)

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, GivesTheExactBytesAndReadsBackWhatWasWritten) {
  const WriteCase& c = GetParam();
  testing::ScratchDir dir;
  const std::string path = dir.Write("t.ini", c.before);
  ASSERT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.value, path));
  EXPECT_EQ(dir.Read("t.ini"), c.after);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.ini"});
  EXPECT_EQ(GetPrivateProfileStringA(c.section, c.key, "fallback", 500, path), c.value);
}

const WriteCase kWrites[] = {
    {"ReplaceInPlace", "; settings\r\n[TARVEX]\r\nTIME=4\r\nFONTNAME=IPAGothic\r\n", "TARVEX",
     "TIME", "10", "; settings\r\n[TARVEX]\r\nTIME=10\r\nFONTNAME=IPAGothic\r\n"},
    {"ReplaceKeepsSpellingAndBlanks", "[tarvex]\r\n  Time = 4  \r\n", "TARVEX", "TIME", "7",
     "[tarvex]\r\n  Time = 7\r\n"},
    {"ReplaceFirstOfTwoKeys", "[A]\nK=1\nK=2\n", "A", "K", "3", "[A]\nK=3\nK=2\n"},
    {"ReplaceInFirstOfTwoSections", "[A]\nK=1\n[A]\nK=2\n", "A", "K", "3", "[A]\nK=3\n[A]\nK=2\n"},
    {"ReplaceWithEmpty", "[A]\nK=1\n", "A", "K", "", "[A]\nK=\n"},
    {"ReplaceLastLineWithoutEnd", "[A]\r\nK=1", "A", "K", "22", "[A]\r\nK=22"},
    {"AppendAfterLastKey", "[A]\r\nK=1\r\n\r\n[B]\r\nX=1\r\n", "A", "J", "2",
     "[A]\r\nK=1\r\nJ=2\r\n\r\n[B]\r\nX=1\r\n"},
    {"AppendAfterLastKeyBeforeComment", "[A]\r\nK=1\r\n; about B\r\n[B]\r\n", "A", "J", "2",
     "[A]\r\nK=1\r\nJ=2\r\n; about B\r\n[B]\r\n"},
    {"AppendToEmptySection", "[A]\r\n[B]\r\n", "A", "K", "v", "[A]\r\nK=v\r\n[B]\r\n"},
    {"AppendAfterLineWithoutEnd", "[A]\r\nK=1", "A", "J", "2", "[A]\r\nK=1\r\nJ=2\r\n"},
    {"NewSectionAtEnd", "[A]\r\nK=1\r\n", "B", "J", "2", "[A]\r\nK=1\r\n[B]\r\nJ=2\r\n"},
    {"NewSectionInEmptyFile", "", "B", "J", "2", "[B]\r\nJ=2\r\n"},
    {"KeyOfOtherSectionUntouched", "[B]\nK=1\n[A]\nJ=1\n", "A", "K", "2",
     "[B]\nK=1\n[A]\nJ=1\nK=2\n"},
    {"CommentedKeyNotReplaced", "[A]\n;K=1\n", "A", "K", "2", "[A]\n;K=1\nK=2\n"},
    {"SectionWithoutKeysTakesItAfterItsText", "[A]\n; about A\n\n[B]\n", "A", "K", "2",
     "[A]\n; about A\nK=2\n\n[B]\n"},
    {"LfKept", "[A]\nK=1\n", "A", "J", "2", "[A]\nK=1\nJ=2\n"},
    {"LoneCrKept", "[A]\rK=1\r", "A", "J", "2", "[A]\rK=1\rJ=2\r"},
    {"FirstLineEndDecides", "[A]\nK=1\r\n", "A", "J", "2", "[A]\nK=1\r\nJ=2\n"},
    {"NoLineEndAtAllGivesCrLf", "[A]", "A", "J", "2", "[A]\r\nJ=2\r\n"},
    // ED 40 decodes to the same character as FA 5C, which is what encoding it
    // again gives: a line that is not edited must keep its own bytes.
    {"Cp932Kept", "[A]\r\nK=\x92\x6C\r\n", "A", "J", "値", "[A]\r\nK=\x92\x6C\r\nJ=\x92\x6C\r\n"},
    {"Cp932UntouchedBytesKept", "[A]\r\nN=\xED\x40\r\nK=\x92\x6C\r\n", "A", "K", "値値",
     "[A]\r\nN=\xED\x40\r\nK=\x92\x6C\x92\x6C\r\n"},
    {"Cp932KeyBytesKept", "[A]\r\n\xED\x40=1\r\n", "A", "\xE7\xBA\x8A", "2",
     "[A]\r\n\xED\x40=2\r\n"},
    {"Utf8Kept", "[A]\nK=値\n", "A", "J", "ソ", "[A]\nK=値\nJ=ソ\n"},
    {"Utf8BomKept", "\xEF\xBB\xBF[A]\n", "A", "J", "値", "\xEF\xBB\xBF[A]\nJ=値\n"},
    {"AsciiFileTakesUtf8", "[A]\r\nK=1\r\n", "A", "J", "値", "[A]\r\nK=1\r\nJ=値\r\n"},
    {"Utf16LeKept", testing::Utf16Bytes(u"[A]\r\nK=1\r\n", false), "A", "K", "値",
     testing::Utf16Bytes(u"[A]\r\nK=値\r\n", false)},
    {"Utf16BeKept", testing::Utf16Bytes(u"[A]\n", true), "A", "K", "値",
     testing::Utf16Bytes(u"[A]\nK=値\n", true)},
    // Values whose edges reading would drop are quoted, so they read back whole.
    {"PlainValueUnquoted", "", "A", "K", "a b", "[A]\r\nK=a b\r\n"},
    {"LeadingBlankQuoted", "", "A", "K", " 12", "[A]\r\nK=\" 12\"\r\n"},
    {"TrailingBlankQuoted", "", "A", "K", "/tmp/a ", "[A]\r\nK=\"/tmp/a \"\r\n"},
    {"EnclosingQuotesQuoted", "", "A", "K", "'x'", "[A]\r\nK=\"'x'\"\r\n"},
    {"InnerQuotesUnquoted", "", "A", "K", "a\"b\"", "[A]\r\nK=a\"b\"\r\n"},
    {"TabQuoted", "", "A", "K", "\t", "[A]\r\nK=\"\t\"\r\n"},
    {"QuotePairQuoted", "", "A", "K", "\"\"", "[A]\r\nK=\"\"\"\"\r\n"},
    {"CommentAndSectionLookAlikesUnquoted", "", "A", "K", "; [x]", "[A]\r\nK=; [x]\r\n"},
    {"NewFileTakesUtf8", "", "A", "K", "😀", "[A]\r\nK=😀\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Files, ProfileWrite, ::testing::ValuesIn(kWrites),
                         tarvex::testing::CaseName());

struct RefusedCase {
  const char* name;
  const char* section;
  const char* key;
  std::string value;
};
TARVEX_PRINT_CASE_AS_NAME(RefusedCase)

class ProfileWriteRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ProfileWriteRefused, LeavesTheFileAlone) {
  const RefusedCase& c = GetParam();
  testing::ScratchDir dir;
  const std::string before = "[A]\r\nK=\x92\x6C\r\n";
  dir.Write("t.ini", before);
  EXPECT_FALSE(WritePrivateProfileStringA(c.section, c.key, c.value, dir.File("t.ini")));
  EXPECT_EQ(dir.Read("t.ini"), before);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.ini"});
}

const RefusedCase kRefused[] = {
    {"ValueWithLf", "A", "K", "1\n[B]"},
    {"ValueWithCr", "A", "K", "1\rX=2"},
    {"ValueWithNul", "A", "K", std::string("1\x00\x32", 3)},
    {"KeyWithEquals", "A", "K=J", "1"},
    {"KeyWithLineBreak", "A", "K\nJ", "1"},
    {"KeyLikeSection", "A", "[K]", "1"},
    {"BlankKey", "A", "  ", "1"},
    {"SectionWithBracket", "A]", "K", "1"},
    {"SectionWithLineBreak", "A\r\nB", "K", "1"},
    {"EmptySection", "", "K", "1"},
    {"CharacterCp932Lacks", "A", "K", "\xF0\x9F\x98\x80"},
    {"YenSignCp932WouldTurnIntoBackslash", "A", "K", "\xC2\xA5"},
};
INSTANTIATE_TEST_SUITE_P(Input, ProfileWriteRefused, ::testing::ValuesIn(kRefused),
                         tarvex::testing::CaseName());

}  // namespace
}  // namespace tarvex::platform
