// A file through the system's calls: whether it is a normal file, its bytes as
// they are, and each failure to read it as the program's run-time error.

#include "platform/file_input.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/win32/process_services.h"
#include "runtime/runtime_error.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform {
namespace {

// NUL, end-of-file and a trail byte that is a backslash, over several chunks.
const std::string kBytes = std::string("a\r\nb\x1A\0\x83\x5C", 8) + std::string(200000, 'z');

// The file `made` (named in the ANSI code page) holds `bytes` and has the
// attributes given; `opened` (in program text; "" itself) is tested.
struct FileCase {
  const char* name;
  const char* made;
  DWORD attributes;
  std::string bytes;
  const char* opened;
  bool normal;
  int error;  // 0: the bytes are read
};
TARVEX_PRINT_CASE_AS_NAME(FileCase)

class FileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(FileTest, IsNormalOrNotAndReadsOrRaisesItsRunTimeError) {
  const testing::TempDir dir;
  const FileCase& c = GetParam();
  CreateDirectoryA((dir.str() + "\\folder").c_str(), nullptr);
  std::ofstream(dir.str() + "\\" + c.made, std::ios::binary) << c.bytes;
  SetFileAttributesA((dir.str() + "\\" + c.made).c_str(), c.attributes);
  const std::string path = c.opened[0] == '\0' ? "" : dir.str() + "\\" + c.opened;
  EXPECT_EQ(win32::NormalFileExists(path), c.normal);
  try {
    EXPECT_EQ(ReadFileForInput(path), c.bytes);
    EXPECT_EQ(c.error, 0);
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), c.error);
    EXPECT_EQ(error.subject(), path);
  }
  SetFileAttributesA((dir.str() + "\\" + c.made).c_str(), FILE_ATTRIBUTE_NORMAL);
}

using namespace runtime;
constexpr DWORD kNormal = FILE_ATTRIBUTE_NORMAL;
using F = FileCase;
INSTANTIATE_TEST_SUITE_P(
    Files, FileTest,
    ::testing::Values(
        F{"EveryByte", "m.txt", kNormal, kBytes, "m.txt", true, 0},
        F{"Hidden", "m.txt", FILE_ATTRIBUTE_HIDDEN, "x", "m.txt", false, 0},
        F{"JapaneseName", "\x83\x81\x83\x62\x83\x5A.txt", kNormal, "x", "メッセ.txt", true, 0},
        F{"MissingFile", "m.txt", kNormal, "", "none.txt", false, kFileNotFound},
        F{"MissingDirectory", "m.txt", kNormal, "", "no\\m.txt", false, kPathNotFound},
        F{"Directory", "m.txt", kNormal, "", "folder", false, kPathFileAccessError},
        F{"Wildcard", "m.txt", kNormal, "", "*", false, kBadFileName},
        F{"InvalidName", "m.txt", kNormal, "", "a<b>.txt", false, kBadFileName},
        F{"NotInCodePage", "m.txt", kNormal, "", "caf\xC3\xA9.txt", false, kBadFileName},
        F{"EmptyPath", "m.txt", kNormal, "", "", false, kBadFileNameOrNumber}),
    testing::CaseName());

}  // namespace
}  // namespace tarvex::platform
