// basSysAPI: the settings file as Main and the dialog use it, with the real
// key names and read sizes.

#include "settings/basSysAPI.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_desktop.h"
#include "tests/support/temp_dir.h"

namespace tarvex::basSysAPI {
namespace {

struct ReadCase {
  const char* name;
  std::string file;
  const char* key;
  std::int32_t size;
  std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << c.name;
}

class ReadIniValueTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadIniValueTest, ReadsWhatMainGets) {
  const ReadCase& c = GetParam();
  const testing::TempDir dir;
  const std::string path = dir.Write("tarvex.ini", c.file);
  EXPECT_EQ(ReadIniValue("TARVEX", c.key, c.size, path), c.expected);
}

const std::string k250 = std::string(250, 'p');

std::string Repeat(std::string_view part, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) {
    text += part;
  }
  return text;
}

// 明 is two bytes in CP932 (0x96 0xBE): fifteen of them take 30 bytes, so a
// buffer of 30 holds fourteen.
const std::string kMin15 = Repeat("明", 15);
const std::string kMin15Cp932 = Repeat("\x96\xBE", 15);

// Files in the ANSI code page read the same through both systems' profile
// functions.
const std::vector<ReadCase> kCases = {
    {"TimeOfFour", "[TARVEX]\r\nTIME=4\r\n", "TIME", 6, "4"},
    {"TimeOfSixCharactersReadAsFive", "[TARVEX]\r\nTIME=0000004\r\n", "TIME", 6, "00000"},
    {"TimeWithFraction", "[TARVEX]\r\nTIME=2.9\r\n", "TIME", 6, "2.9"},
    {"FontSizeWithLeadingBlank", "[TARVEX]\r\nFONTSIZE= 12\r\n", "FONTSIZE", 6, "12"},
    {"FontSizeAsWrittenQuoted", "[TARVEX]\r\nFONTSIZE=\" 12\"\r\n", "FONTSIZE", 6, " 12"},
    {"FontSizeWithUnit", "[TARVEX]\r\nFONTSIZE=12pt\r\n", "FONTSIZE", 6, "12pt"},
    {"FontNameOf35BytesReadAs29", "[TARVEX]\r\nFONTNAME=" + std::string(35, 'F') + "\r\n",
     "FONTNAME", 30, std::string(29, 'F')},
    {"FontNameNeverHalfACharacter", "[TARVEX]\r\nFONTNAME=" + kMin15Cp932 + "\r\n", "FONTNAME", 30,
     Repeat("明", 14)},
    {"FontNameInCp932", "[TARVEX]\r\nFONTNAME=\x82\x6C\x82\x72 \x96\xBE\x92\xA9\r\n", "FONTNAME",
     30, "ＭＳ 明朝"},
    {"NegativeFontColor", "[TARVEX]\r\nFONTCOLOR=-2147483640\r\n", "FONTCOLOR", 50, "-2147483640"},
    {"PathOf250BytesReadAs199", "[TARVEX]\r\nFILE=" + k250 + "\r\n", "FILE", 200,
     std::string(199, 'p')},
    {"Mp3Path", "[TARVEX]\r\nMP3=/home/u/\x8B\xC8.mp3\r\n", "MP3", 200, "/home/u/曲.mp3"},
    {"SectionInLowerCase", "[tarvex]\r\nfile=/a.txt\r\n", "FILE", 200, "/a.txt"},
    {"ValueWithEqualsSign", "[TARVEX]\r\nFILE=/a=b.txt\r\n", "FILE", 200, "/a=b.txt"},
    {"MissingKey", "[TARVEX]\r\nTIME=4\r\n", "MP3", 200, ""},
    {"MissingSection", "[OTHER]\r\nTIME=4\r\n", "TIME", 6, ""},
    {"CutAtNulInTheFile", std::string("[TARVEX]\r\nFILE=/a\0b\r\n", 19), "FILE", 200, "/a"},
};
INSTANTIATE_TEST_SUITE_P(Keys, ReadIniValueTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
// Our Linux store also reads a file saved as UTF-8 (Windows reads such a file
// as ANSI bytes); the read size still counts CP932 bytes.
const std::vector<ReadCase> kUtf8Cases = {
    {"FontNameNeverHalfACharacter", "[TARVEX]\r\nFONTNAME=" + kMin15 + "\r\n", "FONTNAME", 30,
     Repeat("明", 14)},
    {"Mp3Path", "[TARVEX]\r\nMP3=/home/u/曲.mp3\r\n", "MP3", 200, "/home/u/曲.mp3"},
};
INSTANTIATE_TEST_SUITE_P(Utf8File, ReadIniValueTest, ::testing::ValuesIn(kUtf8Cases),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

TEST(ReadIniValue, NoSettingsFileGivesSixEmptyTexts) {
  const testing::TempDir dir;
  for (const auto& [key, size] : {std::pair{"TIME", 6},
                                  {"FONTSIZE", 6},
                                  {"FONTNAME", 30},
                                  {"FONTCOLOR", 50},
                                  {"FILE", 200},
                                  {"MP3", 200}}) {
    EXPECT_EQ(ReadIniValue("TARVEX", key, size, dir.File("tarvex.ini")), "") << key;
  }
}

class TrimAtNulTest : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(TrimAtNulTest, KeepsThePartBeforeTheFirstNul) {
  EXPECT_EQ(TrimAtNul(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TrimAtNulTest,
    ::testing::Values(std::pair<std::string, std::string>{"abc", "abc"},
                      std::pair<std::string, std::string>{"", ""},
                      std::pair<std::string, std::string>{std::string("\0", 1), ""},
                      std::pair<std::string, std::string>{std::string("abc\0def", 7), "abc"},
                      std::pair<std::string, std::string>{std::string("a\0\0\0", 4), "a"},
                      std::pair<std::string, std::string>{std::string("明\0明", 7), "明"}));

// The dialog writes the size as Str() gives it, with a leading blank: our
// Linux store keeps the blank (quoted); the Windows profile functions trim it
// on reading.
#ifdef _WIN32
constexpr const char* kSizeReadBack = "24";
#else
constexpr const char* kSizeReadBack = " 24";
#endif

TEST(WriteIniValue, TheDialogsValuesReadBack) {
  const testing::TempDir dir;
  const std::string path = dir.File("tarvex.ini");
  ASSERT_TRUE(WriteIniValue("TARVEX", "FONTSIZE", " 24", path));
  ASSERT_TRUE(WriteIniValue("TARVEX", "FONTNAME", "ＭＳ Ｐ明朝", path));
  ASSERT_TRUE(WriteIniValue("TARVEX", "TIME", "3", path));
  ASSERT_TRUE(WriteIniValue("TARVEX", "TIME", "10", path));
  EXPECT_EQ(ReadIniValue("TARVEX", "FONTSIZE", 6, path), kSizeReadBack);
  EXPECT_EQ(ReadIniValue("TARVEX", "FONTNAME", 30, path), "ＭＳ Ｐ明朝");
  EXPECT_EQ(ReadIniValue("TARVEX", "TIME", 6, path), "10");
}

// What lies at the settings file's place, as text to compare.
std::string Snapshot(const std::filesystem::path& path) {
  if (std::filesystem::is_directory(path)) return "<directory>";
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<no file>";
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whatever keeps the settings file unwritable lives as long as this object.
using Blocker = std::shared_ptr<void>;

// Makes the settings file at `path` unwritable, or moves `path` where no
// file can be written.
struct WriteFailureCase {
  const char* name;
  Blocker (*block)(std::string& path);
};

void PrintTo(const WriteFailureCase& c, std::ostream* out) {
  *out << c.name;
}

class WriteFailureTest : public ::testing::TestWithParam<WriteFailureCase> {};

TEST_P(WriteFailureTest, IsReportedAndTheFileKept) {
  const testing::TempDir dir;
  std::string path = dir.Write("tarvex.ini", "[TARVEX]\r\nTIME=4\r\n");
  const Blocker blocker = GetParam().block(path);
  const std::string before = Snapshot(path);
  EXPECT_FALSE(WriteIniValue("TARVEX", "TIME", "5", path));
  EXPECT_EQ(Snapshot(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
      << "nothing was left beside the file";
}

const WriteFailureCase kWriteFailures[] = {
    {"MissingDirectory",
     [](std::string& path) {
       path = (std::filesystem::path(path).parent_path() / "gone" / "tarvex.ini").string();
       return Blocker(nullptr, [](void*) {});
     }},
    {"DirectoryInTheFilesPlace",
     [](std::string& path) {
       std::filesystem::remove(path);
       std::filesystem::create_directory(path);
       return Blocker(nullptr, [](void*) {});
     }},
#ifdef _WIN32
    // Another program holds the file open without sharing it. (A read-only
    // file is no test under Wine run by the superuser: Wine lets it be
    // written.)
    {"FileLockedByAnotherProgram",
     [](std::string& path) {
       HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
       EXPECT_NE(file, INVALID_HANDLE_VALUE);
       return Blocker(file, [](void* handle) { ::CloseHandle(handle); });
     }},
#else
    {"ReadOnlyFile",
     [](std::string& path) {
       std::filesystem::permissions(path, std::filesystem::perms(0444));
       return Blocker(nullptr, [](void*) {});
     }},
#endif
};
INSTANTIATE_TEST_SUITE_P(Causes, WriteFailureTest, ::testing::ValuesIn(kWriteFailures),
                         [](const auto& info) { return std::string(info.param.name); });

class ShowMouseCursorTest : public ::testing::TestWithParam<std::pair<std::int32_t, const char*>> {
};

TEST_P(ShowMouseCursorTest, AnyNonZeroFlagShows) {
  testing::FakeDesktop desktop;
  ShowMouseCursor(desktop, GetParam().first);
  EXPECT_EQ(desktop.calls, std::vector<std::string>{GetParam().second});
}

INSTANTIATE_TEST_SUITE_P(Flags, ShowMouseCursorTest,
                         ::testing::Values(std::pair{0, "ShowCursor(0)"},
                                           std::pair{1, "ShowCursor(1)"},
                                           std::pair{-1, "ShowCursor(1)"},
                                           std::pair{65536, "ShowCursor(1)"}));

}  // namespace
}  // namespace tarvex::basSysAPI
