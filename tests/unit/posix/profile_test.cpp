// The profile functions on files written at test time, and the atomic
// replacement under them: the rules only this store keeps
// (tests/wine/profile_corpus.h has those both systems share).

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "platform/posix/atomic_file.h"
#include "platform/profile.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform::posix {
namespace {

namespace fs = std::filesystem;
using Dir = const testing::TempDir&;

// UTF-16 file bytes, byte-order mark first.
std::string Utf16(std::u16string_view text, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += {big_endian ? high : low, big_endian ? low : high};
  }
  return bytes;
}

// The file, the section and the buffer size to read key K with, and its value.
using ReadCase = std::tuple<const char*, std::string, const char*, std::int32_t, std::string>;
class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsTheValue) {
  const auto& [name, file, section, size, expected] = GetParam();
  testing::TempDir dir;
  EXPECT_EQ(GetPrivateProfileStringA(section, "K", "fallback", size, dir.Write("t.ini", file)),
            expected);
}

// ソ is 0x83 0x5C in CP932, its trail byte a backslash. Sizes count the NUL.
const ReadCase kReads[] = {
    {"BlanksInsideBrackets", "[ A ]\t\r\n \tK \t= 4\r\n", "A", 50, "4"},
    {"SectionWithoutClosingBracket", "[A\r\nK=4\r\n", "A", 50, "4"},
    {"OnlyTheFirstSectionOfANameCounts", "[A]\nJ=1\n[a]\nK=2\n", "A", 50, "fallback"},
    {"CommentedSectionSkipped", ";[A]\nK=1\n[A]\nK=2\n", "A", 50, "2"},
    {"KeyBeforeAnySection", "K=1\n[A]\nJ=2\n", "A", 50, "fallback"},
    {"LineWithoutEqualsIsNoKey", "[A]\nK\nK=2\n", "A", 50, "2"},
    {"PrefixOfANameDoesNotMatch", "[AB]\nKL=1\n[A]\nK=2\n", "A", 50, "2"},
    {"MixedLineEnds", "[A]\rJ=0\nL=2\r\nK=1", "A", 50, "1"},
    {"Cp932TrailByteLikeBracket", "[\x83\x5C]\r\nK=\x83\x5C]\r\n", "ソ", 50, "ソ]"},
    {"Utf16BeBlanksDropped", Utf16(u"[A]\nK= 値 \n", true), "A", 50, "値"},
    {"SingleByteKanaCountsOne", "[A]\nK=ｱｲｳ\n", "A", 3, "ｱｲ"},
    {"CharacterOutsideCp932CountsItsUtf8Bytes", "[A]\nK=a😀b\n", "A", 6, "a😀"},
    {"CharacterOutsideCp932StraddlingTheCut", "[A]\nK=a😀b\n", "A", 5, "a"},
    {"QuotesDoNotCount", "[A]\nK=\"12345\"\n", "A", 6, "12345"},
};
INSTANTIATE_TEST_SUITE_P(Files, ProfileRead, ::testing::ValuesIn(kReads), testing::CaseName());

TEST(ProfileReadFallback, NoFileGivesTheFallbackCutToSize) {
  testing::TempDir dir;
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "fallback", 4, dir.File("none.ini")), "fal");
  EXPECT_EQ(GetPrivateProfileStringA("A", "K", "fallback", 50, dir.str()), "fallback");
}

// The file before, the section, key and value written, the file after.
using WriteCase =
    std::tuple<const char*, std::string, const char*, const char*, std::string, std::string>;
class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, GivesTheExactBytesAndReadsBackWhatWasWritten) {
  const auto& [name, before, section, key, value, after] = GetParam();
  testing::TempDir dir;
  const std::string path = dir.Write("t.ini", before);
  ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, path));
  EXPECT_EQ(dir.Read("t.ini"), after);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.ini"});
  EXPECT_EQ(GetPrivateProfileStringA(section, key, "fallback", 500, path), value);
}

// 値 is 0x92 0x6C in CP932. ED 40 decodes to the same character as FA 5C,
// which encoding it again gives: a line not edited must keep its own bytes.
const WriteCase kWrites[] = {
    {"ReplaceKeepsSpellingAndBlanks", "[tarvex]\r\n  Time = 4  \r\n", "TARVEX", "TIME", "",
     "[tarvex]\r\n  Time = \r\n"},
    {"ReplaceFirstOfTwoKeys", "[A]\nK=1\nK=2\n", "A", "K", "3", "[A]\nK=3\nK=2\n"},
    {"ReplaceInFirstOfTwoSections", "[A]\nK=1\n[A]\nK=2\n", "A", "K", "3", "[A]\nK=3\n[A]\nK=2\n"},
    {"ReplaceLastLineWithoutEnd", "[A]\r\nK=1", "A", "K", "22", "[A]\r\nK=22"},
    {"AppendAfterLastKeyBeforeComment", "[A]\r\nK=1\r\n; about B\r\n[B]\r\n", "A", "J", "2",
     "[A]\r\nK=1\r\nJ=2\r\n; about B\r\n[B]\r\n"},
    {"AppendAfterLineWithoutEnd", "[A]\r\nK=1", "A", "J", "2", "[A]\r\nK=1\r\nJ=2\r\n"},
    {"NewSectionAtEnd", "[A]\r\nK=1\r\n", "B", "J", "2", "[A]\r\nK=1\r\n[B]\r\nJ=2\r\n"},
    {"KeyOfOtherSectionUntouched", "[B]\nK=1\n[A]\nJ=1\n", "A", "K", "2",
     "[B]\nK=1\n[A]\nJ=1\nK=2\n"},
    {"CommentedKeyNotReplaced", "[A]\n;K=1\n", "A", "K", "2", "[A]\n;K=1\nK=2\n"},
    {"SectionWithoutKeysTakesItAfterItsText", "[A]\n; about A\n\n[B]\n", "A", "K", "2",
     "[A]\n; about A\nK=2\n\n[B]\n"},
    {"LoneCrKept", "[A]\rK=1\r", "A", "J", "2", "[A]\rK=1\rJ=2\r"},
    {"FirstLineEndDecides", "[A]\nK=1\r\n", "A", "J", "2", "[A]\nK=1\r\nJ=2\n"},
    {"NoLineEndAtAllGivesCrLf", "[A]", "A", "J", "2", "[A]\r\nJ=2\r\n"},
    {"Cp932UntouchedBytesKept", "[A]\r\nN=\xED\x40\r\nK=\x92\x6C\r\n", "A", "K", "値値",
     "[A]\r\nN=\xED\x40\r\nK=\x92\x6C\x92\x6C\r\n"},
    {"Cp932KeyBytesKept", "[A]\r\n\xED\x40=1\r\n", "A", "\xE7\xBA\x8A", "2",
     "[A]\r\n\xED\x40=2\r\n"},
    {"Utf8Kept", "[A]\nK=値\n", "A", "J", "ソ", "[A]\nK=値\nJ=ソ\n"},
    {"Utf8BomKept", "\xEF\xBB\xBF[A]\n", "A", "J", "値", "\xEF\xBB\xBF[A]\nJ=値\n"},
    {"AsciiFileTakesUtf8", "[A]\r\nK=1\r\n", "A", "J", "値", "[A]\r\nK=1\r\nJ=値\r\n"},
    {"Utf16LeKept", Utf16(u"[A]\r\nK=1\r\n", false), "A", "K", "値",
     Utf16(u"[A]\r\nK=値\r\n", false)},
    // Values whose edges reading would drop are quoted, so they read back whole.
    {"LeadingBlankQuoted", "", "A", "K", " 12", "[A]\r\nK=\" 12\"\r\n"},
    {"EnclosingQuotesQuoted", "", "A", "K", "'x'", "[A]\r\nK=\"'x'\"\r\n"},
    {"QuotePairQuoted", "", "A", "K", "\"\"", "[A]\r\nK=\"\"\"\"\r\n"},
    {"CommentAndSectionLookAlikesUnquoted", "", "A", "K", "; [x]", "[A]\r\nK=; [x]\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Files, ProfileWrite, ::testing::ValuesIn(kWrites), testing::CaseName());

using RefusedCase = std::tuple<const char*, const char*, const char*, std::string>;
class ProfileWriteRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ProfileWriteRefused, LeavesTheFileAlone) {
  const auto& [name, section, key, value] = GetParam();
  testing::TempDir dir;
  const std::string before = "[A]\r\nK=\x92\x6C\r\n";
  EXPECT_FALSE(WritePrivateProfileStringA(section, key, value, dir.Write("t.ini", before)));
  EXPECT_EQ(dir.Read("t.ini"), before);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.ini"});
}

const RefusedCase kRefused[] = {
    {"ValueWithNul", "A", "K", std::string("1\x00\x32", 3)},
    {"KeyWithLineBreak", "A", "K\nJ", "1"},
    {"KeyLikeSection", "A", "[K]", "1"},
    {"BlankKey", "A", "  ", "1"},
    {"SectionWithLineBreak", "A\r\nB", "K", "1"},
    {"EmptySection", "", "K", "1"},
};
INSTANTIATE_TEST_SUITE_P(Input, ProfileWriteRefused, ::testing::ValuesIn(kRefused),
                         testing::CaseName());

const std::string kOld = "[A]\r\nK=old\r\n";

TEST(AtomicFile, KeepsThePermissionBitsUnlessGivenAndWritesThroughALink) {
  testing::TempDir dir;
  const mode_t old_mask = ::umask(027);
  const bool created = ReplaceFileAtomically(dir.File("f"), kOld);
  ::umask(old_mask);
  ASSERT_TRUE(created);
  EXPECT_EQ(dir.Mode("f"), 0640u) << "a new file follows the umask";
  fs::permissions(dir.File("f"), fs::perms(0604));
  fs::create_symlink("f", dir.File("link"));
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("link"), std::string("n\0w", 3)));
  EXPECT_EQ(dir.Read("f"), std::string("n\0w", 3));
  EXPECT_EQ(dir.Mode("f"), 0604u);
  EXPECT_TRUE(fs::is_symlink(dir.File("link")));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"f", "link"}));
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("f"), "new", 0600));
  EXPECT_EQ(dir.Mode("f"), 0600u);
}

// Each failure is met through the profile writer, as the program meets it:
// the file, what stands in its way, the value written.
using FailureCase = std::tuple<const char*, const char*, void (*)(Dir dir), std::string>;
class AtomicFileFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(AtomicFileFailure, RefusesAndLeavesTheOldBytesAndNoTemporaryFile) {
  const auto& [name, file, make, value] = GetParam();
  const testing::TempDir dir;
  const std::string path = dir.File(file);
  make(dir);
  const std::vector<std::string> names = dir.Names();
  const std::string before = fs::is_regular_file(path) ? dir.Read(file) : "";
  // The limit on file sizes makes write() fail the way a full disk does.
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  rlimit small = old_limit;
  small.rlim_cur = 1024;
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool written = WritePrivateProfileStringA("A", "K", value, path);
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(written);
  EXPECT_EQ(dir.Names(), names);
  EXPECT_EQ(fs::is_regular_file(path) ? dir.Read(file) : "", before);
}

const FailureCase kFailures[] = {
    {"ReadOnlyFile", "t.ini",
     [](Dir d) { fs::permissions(d.Write("t.ini", kOld), fs::perms(0444)); }, "new"},
    {"DirectoryInPlaceOfTheFile", "t.ini", [](Dir d) { fs::create_directory(d.File("t.ini")); },
     "new"},
    {"DanglingSymbolicLink", "t.ini",
     [](Dir d) { fs::create_symlink("none/t.ini", d.File("t.ini")); }, "new"},
    {"DiskFull", "t.ini", [](Dir d) { d.Write("t.ini", kOld); }, std::string(4096, 'x')},
};
INSTANTIATE_TEST_SUITE_P(Files, AtomicFileFailure, ::testing::ValuesIn(kFailures),
                         testing::CaseName());

}  // namespace
}  // namespace tarvex::platform::posix
