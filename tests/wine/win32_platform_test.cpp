// The platform layer through the system's calls under the Japanese locale
// (code page 932): text conversion, file input, command lines and paths, and
// the password services where the system has no password.cpl.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/file_input.h"
#include "platform/win32/password_services.h"
#include "platform/win32/process_services.h"
#include "platform/win32/settings_files.h"
#include "runtime/ansi_text.h"
#include "runtime/runtime_error.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform::win32 {
namespace {

using namespace runtime;

enum class Way { kBoth, kToText, kRefused };

struct Conversion {
  const char* name;
  Way way;
  std::string ansi;  // the bytes; for refused text what the lossy conversion gives
  std::string text;
};
TARVEX_PRINT_CASE_AS_NAME(Conversion)

class Cp932Test : public ::testing::TestWithParam<Conversion> {};

// Text the code page lacks is refused, never replaced by a look-alike (the
// system's best fit would turn ¥ into a backslash); only the lossy conversion
// marks it.
TEST_P(Cp932Test, Converts) {
  const auto& [name, way, ansi, text] = GetParam();
  if (way != Way::kToText) EXPECT_EQ(TextToAnsiLossy(text), ansi);
  if (way == Way::kBoth) EXPECT_EQ(TextToAnsi(text), ansi);
  if (way == Way::kRefused) EXPECT_EQ(TextToAnsi(text), std::nullopt);
  if (way != Way::kRefused) EXPECT_EQ(AnsiToText(ansi), text);
}

using enum Way;
const Conversion kConversions[] = {
    {"BackslashTrailByte", kBoth, "\x83\x5C\x83\x74", "ソフ"},
    {"EmbeddedNul", kBoth, {"a\0b", 3}, {"a\0b", 3}},
    {"StrayLeadByteBeforeLineEnd", kToText, "a\x83\r\nb", "a\uFFFD\r\nb"},
    {"UnassignedPair", kToText, "a\x85\x40z", "a\uFFFDz"},
    {"YenAmongKanji", kRefused, "a?b\x93\xFA", "a¥b日"},
    {"CutUtf8", kRefused, "x?y", "x\xC3y"},
};
INSTANTIATE_TEST_SUITE_P(Texts, Cp932Test, ::testing::ValuesIn(kConversions), testing::CaseName());

// NUL, end-of-file and a trail byte that is a backslash, over several chunks.
const std::string kBytes = std::string("a\r\nb\x1A\0\x83\x5C", 8) + std::string(200000, 'z');

// In a folder with m.txt (kBytes), a folder, and h.txt (hidden) and a file
// named in Japanese holding "x": `opened`, in program text, is tested.
struct FileCase {
  const char* name;
  const char* opened;
  bool normal;
  int error;  // 0: the bytes are read
  std::string bytes = "x";
};
TARVEX_PRINT_CASE_AS_NAME(FileCase)

class FileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(FileTest, IsNormalOrNotAndReadsOrRaisesItsRunTimeError) {
  const testing::TempDir dir;
  const auto in = [&](const char* name) { return dir.str() + "\\" + name; };
  CreateDirectoryA(in("folder").c_str(), nullptr);
  std::ofstream(in("m.txt"), std::ios::binary) << kBytes;
  for (const char* name : {"h.txt", "\x83\x81\x83\x62\x83\x5A.txt"}) std::ofstream(in(name)) << "x";
  SetFileAttributesA(in("h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const FileCase& c = GetParam();
  const std::string path = c.opened[0] == '\0' ? "" : in(c.opened);
  EXPECT_EQ(NormalFileExists(path), c.normal);
  try {
    EXPECT_EQ(ReadFileForInput(path), c.bytes);
    EXPECT_EQ(c.error, 0);
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), c.error);
    EXPECT_EQ(error.subject(), path);
  }
}

const FileCase kFiles[] = {
    {"EveryByte", "m.txt", true, 0, kBytes},
    {"Hidden", "h.txt", false, 0},
    {"JapaneseName", "メッセ.txt", true, 0},
    {"MissingFile", "none.txt", false, kFileNotFound},
    {"MissingDirectory", "no\\m.txt", false, kPathNotFound},
    {"Directory", "folder", false, kPathFileAccessError},
    {"Wildcard", "*", false, kBadFileName},
    {"EmptyPath", "", false, kBadFileNameOrNumber},
};
INSTANTIATE_TEST_SUITE_P(Files, FileTest, ::testing::ValuesIn(kFiles), testing::CaseName());

std::string Arguments(std::string_view line) {
  return std::string(ArgumentsOf(line));
}
std::string CopyIn(std::string_view folder) {
  return IsSystemFolder(std::string(folder)) ? "installed" : "portable";
}

struct TextCase {
  const char* name;
  std::string (*function)(std::string_view);
  const char* in;
  const char* out;
};
TARVEX_PRINT_CASE_AS_NAME(TextCase)

class PathTextTest : public ::testing::TestWithParam<TextCase> {};

// The arguments follow the program name and its blanks; a directory ends in
// a backslash only at a drive root; the system's folders match however spelt.
TEST_P(PathTextTest, GivesThePart) {
  EXPECT_EQ(GetParam().function(GetParam().in), GetParam().out);
}

const TextCase kTexts[] = {
    {"QuotedWithBlanks", Arguments, "\"C:\\Program Files\\t.scr\" /c:5", "/c:5"},
    {"TrailingBlanksKept", Arguments, "tarvex.scr /s  ", "/s  "},
    {"NameOnly", Arguments, "tarvex.scr", ""},
    {"UnclosedQuote", Arguments, "\"C:\\a b\\tarvex.scr /s", ""},
    {"JapaneseFolder", DirectoryOfModule, "C:\\ソフト\\t.scr", "C:\\ソフト"},
    {"SystemSpeltOtherwise", CopyIn, "c:\\windows\\..\\WINDOWS\\SYSTEM32\\", "installed"},
    {"BelowSystem", CopyIn, "C:\\windows\\system32\\drivers", "portable"},
};
INSTANTIATE_TEST_SUITE_P(Texts, PathTextTest, ::testing::ValuesIn(kTexts), testing::CaseName());

// Wine, like Windows NT and later, has no password.cpl: the saver closes and
// the system's own lock guards the desktop. The change is mpr.dll's.
TEST(PasswordServicesTest, WithoutPasswordCplThePasswordCountsAsAccepted) {
  ASSERT_EQ(GetFileAttributesA("password.cpl"), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(VerifyScreenSavePwd(0));
  EXPECT_TRUE(PwdChangePasswordA("SCRSAVE", 0));
  EXPECT_FALSE(PwdChangePasswordA("caf\xC3\xA9", 0));
}

}  // namespace
}  // namespace tarvex::platform::win32
