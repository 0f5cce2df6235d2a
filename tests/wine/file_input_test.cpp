// Sequential file input with the system's calls: the bytes as they are, and
// each failure under the run-time error the program reports.

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/file_input.h"
#include "runtime/runtime_error.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform {
namespace {

using testing::TempDir;

TEST(Win32FileInputTest, ReadsEveryByte) {
  const TempDir dir;
  const std::string bytes = std::string("a\r\nb\x1A\0\x83\x5C", 8) + std::string(200000, 'z');
  EXPECT_EQ(ReadFileForInput(dir.Write("m.txt", bytes)), bytes);
  EXPECT_EQ(ReadFileForInput(dir.Write("empty.txt", "")), "");
}

TEST(Win32FileInputTest, AJapaneseFileNameIsOpened) {
  const TempDir dir;
  dir.Write("m.txt", "x");
  const std::string ansi = (dir.path() / "m.txt").string();
  const std::string renamed = (dir.path()).string() + "\\\x83\x81\x83\x62\x83\x5A.txt";
  ASSERT_TRUE(MoveFileA(ansi.c_str(), renamed.c_str()));
  EXPECT_EQ(ReadFileForInput((dir.path()).string() + "\\メッセ.txt"), "x");
}

struct FailureCase {
  const char* name;
  const char* relativePath;  // under the test folder; nullptr: the path itself is used
  const char* path;
  int error;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

class Win32FileInputFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Win32FileInputFailureTest, RaisesItsRunTimeError) {
  const TempDir dir;
  CreateDirectoryA((dir.path() / "folder").string().c_str(), nullptr);
  const FailureCase& c = GetParam();
  const std::string path =
      c.relativePath != nullptr ? dir.str() + "\\" + c.relativePath : std::string(c.path);
  try {
    ReadFileForInput(path);
    ADD_FAILURE() << "no error for " << path;
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), c.error);
    EXPECT_EQ(error.subject(), path);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, Win32FileInputFailureTest,
    ::testing::Values(
        FailureCase{"MissingFile", "none.txt", nullptr, runtime::kFileNotFound},
        FailureCase{"MissingDirectory", "none\\m.txt", nullptr, runtime::kPathNotFound},
        FailureCase{"Directory", "folder", nullptr, runtime::kPathFileAccessError},
        FailureCase{"InvalidName", "a<b>.txt", nullptr, runtime::kBadFileName},
        FailureCase{"NameTheCodePageLacks", "caf\xC3\xA9.txt", nullptr, runtime::kBadFileName},
        FailureCase{"Empty", nullptr, "", runtime::kBadFileNameOrNumber}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvex::platform
