// Reading values with GetPrivateProfileStringA from files written at test time.

#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "tests/unit/posix/scratch_dir.h"
#include "tests/unit/posix/utf16_bytes.h"

namespace tarvex::platform {
namespace {

struct ReadCase {
  const char* name;
  std::string file;  // the file's bytes
  const char* section;
  const char* key;
  std::int32_t size;
  std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << c.name;
}

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsTheValue) {
  const ReadCase& c = GetParam();
  testing::ScratchDir dir;
  dir.Write("t.ini", c.file);
  EXPECT_EQ(GetPrivateProfileStringA(c.section, c.key, "fallback", c.size, dir.File("t.ini")),
            c.expected);
}

const ReadCase kNames[] = {
    {"SectionInOtherCase", "[tarvex]\r\nTIME=4\r\n", "TARVEX", "TIME", 50, "4"},
    {"KeyInOtherCase", "[TARVEX]\r\nTime=4\r\n", "TARVEX", "TIME", 50, "4"},
    {"QueryInOtherCase", "[TARVEX]\r\nTIME=4\r\n", "Tarvex", "time", 50, "4"},
    {"BlanksAroundNames", "  [ TARVEX ]\t\r\n \tTIME \t= 4\r\n", "TARVEX", "TIME", 50, "4"},
    {"SectionWithoutClosingBracket", "[TARVEX\r\nTIME=4\r\n", "TARVEX", "TIME", 50, "4"},
    {"FirstSectionWins", "[A]\nK=1\n[a]\nK=2\n", "A", "K", 50, "1"},
    {"OnlyTheFirstSectionCounts", "[A]\nJ=1\n[A]\nK=2\n", "A", "K", 50, "fallback"},
    {"FirstKeyWins", "[A]\nK=1\nk=2\n", "A", "K", 50, "1"},
    {"CommentedKeySkipped", "[A]\n;K=1\n K=2\n", "A", "K", 50, "2"},
    {"CommentedSectionSkipped", ";[A]\nK=1\n[A]\nK=2\n", "A", "K", 50, "2"},
    {"KeyOfAnotherSection", "[B]\nK=1\n[A]\nJ=2\n", "A", "K", 50, "fallback"},
    {"KeyBeforeAnySection", "K=1\n[A]\nJ=2\n", "A", "K", 50, "fallback"},
    {"LineWithoutEqualsIsNoKey", "[A]\nK\nK=2\n", "A", "K", 50, "2"},
    {"MissingSection", "[B]\nK=1\n", "A", "K", 50, "fallback"},
    {"MissingKey", "[A]\nJ=1\n", "A", "K", 50, "fallback"},
    {"EmptyFile", "", "A", "K", 50, "fallback"},
    {"PrefixOfNameDoesNotMatch", "[AB]\nKL=1\n[A]\nK=2\n", "A", "K", 50, "2"},
};
INSTANTIATE_TEST_SUITE_P(Names, ProfileRead, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

const ReadCase kValues[] = {
    {"BlanksAroundValueDropped", "[A]\nK=  \t4 2 \t\n", "A", "K", 50, "4 2"},
    {"DoubleQuotesDropped", "[A]\nK=\"a b\"\n", "A", "K", 50, "a b"},
    {"SingleQuotesDropped", "[A]\nK='C:\\a b.txt'\n", "A", "K", 50, "C:\\a b.txt"},
    {"BlanksInsideQuotesKept", "[A]\nK= \" x \" \n", "A", "K", 50, " x "},
    {"OnlyOnePairDropped", "[A]\nK=\"\"x\"\"\n", "A", "K", 50, "\"x\""},
    {"MismatchedQuotesKept", "[A]\nK=\"x'\n", "A", "K", 50, "\"x'"},
    {"InnerQuotesKept", "[A]\nK=a\"b\"\n", "A", "K", 50, "a\"b\""},
    {"LoneQuoteKept", "[A]\nK=\"\n", "A", "K", 50, "\""},
    {"EmptyValue", "[A]\nK=\n", "A", "K", 50, ""},
    {"EqualsInValue", "[A]\nK=a=b = c\n", "A", "K", 50, "a=b = c"},
    {"SemicolonInValueKept", "[A]\nK=1 ; note\n", "A", "K", 50, "1 ; note"},
    {"FullWidthSpaceKept", "[A]\nK=\xE3\x80\x80x\n", "A", "K", 50, "\xE3\x80\x80x"},
};
INSTANTIATE_TEST_SUITE_P(Values, ProfileRead, ::testing::ValuesIn(kValues),
                         [](const auto& info) { return std::string(info.param.name); });

const ReadCase kLineEnds[] = {
    {"CrLf", "[A]\r\nJ=0\r\nK=1\r\n", "A", "K", 50, "1"},
    {"Lf", "[A]\nJ=0\nK=1\n", "A", "K", 50, "1"},
    {"LoneCr", "[A]\rJ=0\rK=1\r", "A", "K", 50, "1"},
    {"Mixed", "[A]\rJ=0\nK=1\r\nL=2", "A", "L", 50, "2"},
    {"NoFinalLineEnd", "[A]\r\nK=1", "A", "K", 50, "1"},
    {"CrIsNoPartOfTheValue", "[A]\r\nK=x\r\n", "A", "K", 50, "x"},
};
INSTANTIATE_TEST_SUITE_P(LineEnds, ProfileRead, ::testing::ValuesIn(kLineEnds),
                         [](const auto& info) { return std::string(info.param.name); });

// 値 is 0x92 0x6C in CP932 and E5 80 A4 in UTF-8; ソ is 0x83 0x5C, its trail
// byte a backslash.
const ReadCase kEncodings[] = {
    {"Cp932", "[A]\r\nK=\x92\x6C\r\n", "A", "K", 50, "値"},
    {"Cp932TrailByteLikeBracket", "[\x83\x5C]\r\nK=\x83\x5C]\r\n", "\xE3\x82\xBD", "K", 50,
     "\xE3\x82\xBD]"},
    {"Utf8WithoutBom", "[A]\r\nK=値\r\n", "A", "K", 50, "値"},
    {"Utf8Bom", "\xEF\xBB\xBF[A]\r\nK=値\r\n", "A", "K", 50, "値"},
    {"Utf16LeBom", testing::Utf16Bytes(u"[A]\r\nK=値\r\n", false), "A", "K", 50, "値"},
    {"Utf16BeBom", testing::Utf16Bytes(u"[A]\nK= 値 \n", true), "A", "K", 50, "値"},
};
INSTANTIATE_TEST_SUITE_P(Encodings, ProfileRead, ::testing::ValuesIn(kEncodings),
                         [](const auto& info) { return std::string(info.param.name); });

// Sizes count the NUL: a value takes at most size - 1 bytes in CP932.
const ReadCase kSizes[] = {
    {"CutToSizeLessOne", "[A]\nK=123456\n", "A", "K", 6, "12345"},
    {"FitsExactly", "[A]\nK=12345\n", "A", "K", 6, "12345"},
    {"SizeOneGivesEmpty", "[A]\nK=1\n", "A", "K", 1, ""},
    {"SizeZeroGivesEmpty", "[A]\nK=1\n", "A", "K", 0, ""},
    {"NegativeSizeGivesEmpty", "[A]\nK=1\n", "A", "K", -5, ""},
    {"DoubleByteCountsTwo", "[A]\nK=a値値\n", "A", "K", 6, "a値値"},
    {"DoubleByteStraddlingTheCutDropped", "[A]\nK=a値値\n", "A", "K", 5, "a値"},
    {"DoubleByteJustFitting", "[A]\nK=a値値\n", "A", "K", 4, "a値"},
    {"SingleByteKana", "[A]\nK=\xEF\xBD\xB1\xEF\xBD\xB2\xEF\xBD\xB3\n", "A", "K", 3,
     "\xEF\xBD\xB1\xEF\xBD\xB2"},
    {"Cp932FileCut", "[A]\nK=\x92\x6C\x92\x6C\n", "A", "K", 4, "値"},
    {"CharacterOutsideCp932CountsItsUtf8Bytes",
     "[A]\nK=a\xF0\x9F\x98\x80"
     "b\n",
     "A", "K", 6, "a\xF0\x9F\x98\x80"},
    {"CharacterOutsideCp932StraddlingTheCut",
     "[A]\nK=a\xF0\x9F\x98\x80"
     "b\n",
     "A", "K", 5, "a"},
    {"QuotesDoNotCount", "[A]\nK=\"12345\"\n", "A", "K", 6, "12345"},
};
INSTANTIATE_TEST_SUITE_P(Sizes, ProfileRead, ::testing::ValuesIn(kSizes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileReadFallback, MissingFileGivesTheFallbackCutToSize) {
  testing::ScratchDir dir;
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "fallback", 50, dir.File("none.ini")), "fallback");
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "fallback", 4, dir.File("none.ini")), "fal");
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "", 200, dir.File("none.ini")), "");
}

TEST(ProfileReadFallback, DirectoryInsteadOfFileGivesTheFallback) {
  testing::ScratchDir dir;
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "fallback", 50, dir.str()), "fallback");
}

}  // namespace
}  // namespace tarvex::platform
