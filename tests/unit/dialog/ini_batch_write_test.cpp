#include "dialog/ini_batch_write.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/basSysAPI.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/dialog/file_bytes.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvex::dialog {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::WriteBytes;

const std::vector<IniValue> kValues = {
    {"FONTSIZE", " 24"},  {"FONTNAME", "IPAGothic"}, {"FONTCOLOR", "255"},
    {"FILE", "/m/a.txt"}, {"MP3", "/m/b.mp3"},       {"TIME", "4"},
};

const std::string kOldFile = "; mine\r\n[TARVEX]\r\nTIME=2\r\nFILE=/old.txt\r\n[OTHER]\r\nX=1\r\n";

// The file that six direct writes leave, for comparison.
std::string WrittenDirectly(const testing::TempDir& dir, const std::optional<std::string>& start) {
  const std::string path = dir.File("direct.ini");
  if (start) WriteBytes(path, *start);
  for (const auto& [key, value] : kValues) basSysAPI::WriteIniValue("TARVEX", key, value, path);
  return ReadBytes(path).value_or("");
}

class IniBatchWriteTest : public ::testing::Test {
 protected:
  bool Write(const IniValueWriter& writer = basSysAPI::WriteIniValue) {
    return WriteIniValues("TARVEX", kValues, path, writer);
  }
  bool LeftoverCopy() const { return fs::exists(path + ".saving"); }

  testing::TempDir dir;
  std::string path = dir.File("tarvex.ini");
};

TEST_F(IniBatchWriteTest, StoresAllValuesAsDirectWritesWould) {
  for (const std::optional<std::string>& start :
       {std::optional<std::string>(), std::optional(kOldFile)}) {
    fs::remove(path);
    if (start) WriteBytes(path, *start);
    ASSERT_TRUE(Write());
    EXPECT_EQ(ReadBytes(path), WrittenDirectly(dir, start));
    EXPECT_FALSE(LeftoverCopy());
    fs::remove(dir.File("direct.ini"));
  }
}

// A writer that fails at one call, like a disk filling up half-way.
class FailingWriteTest : public IniBatchWriteTest, public ::testing::WithParamInterface<int> {};

TEST_P(FailingWriteTest, LeavesTheOldFileByteForByte) {
  WriteBytes(path, kOldFile);
  int calls = 0;
  const auto writer = [&](std::string_view section, std::string_view key, std::string_view value,
                          const std::string& file) {
    if (++calls == GetParam()) return false;
    return basSysAPI::WriteIniValue(section, key, value, file);
  };
  EXPECT_FALSE(Write(writer));
  EXPECT_EQ(calls, GetParam()) << "writing went on after the failure";
  EXPECT_EQ(ReadBytes(path), kOldFile);
  EXPECT_FALSE(LeftoverCopy());
}

TEST_P(FailingWriteTest, CreatesNoFileWhereThereWasNone) {
  int calls = 0;
  const auto writer = [&](std::string_view section, std::string_view key, std::string_view value,
                          const std::string& file) {
    return ++calls != GetParam() && basSysAPI::WriteIniValue(section, key, value, file);
  };
  EXPECT_FALSE(Write(writer));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(LeftoverCopy());
}

INSTANTIATE_TEST_SUITE_P(AtEachKey, FailingWriteTest, ::testing::Range(1, 7));

TEST_F(IniBatchWriteTest, FailsWhereTheDirectoryCannotHoldTheFile) {
  WriteBytes(dir.File("plain"), "x");
  EXPECT_FALSE(WriteIniValues("TARVEX", kValues, dir.File("plain") + "/tarvex.ini",
                              basSysAPI::WriteIniValue));
  EXPECT_FALSE(WriteIniValues("TARVEX", kValues, dir.File("missing") + "/tarvex.ini",
                              basSysAPI::WriteIniValue));
  EXPECT_EQ(ReadBytes(dir.File("plain")), "x");
}

TEST_F(IniBatchWriteTest, LeavesADirectoryInTheFilesPlaceAlone) {
  fs::create_directory(path);
  EXPECT_FALSE(Write());
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_FALSE(LeftoverCopy());
}

TEST_F(IniBatchWriteTest, NeverReplacesAReadOnlyFile) {
  WriteBytes(path, kOldFile);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(Write());
  EXPECT_EQ(ReadBytes(path), kOldFile);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_FALSE(LeftoverCopy());
}

// Permission bits and links as POSIX systems have them.
#ifndef _WIN32
TEST_F(IniBatchWriteTest, KeepsTheFilesPermissions) {
  WriteBytes(path, kOldFile);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(Write());
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(IniBatchWriteTest, UpdatesTheTargetOfALink) {
  const std::string target = dir.File("real.ini");
  WriteBytes(target, kOldFile);
  fs::create_symlink(target, path);
  ASSERT_TRUE(Write());
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(ReadBytes(target), WrittenDirectly(dir, kOldFile));
}

TEST_F(IniBatchWriteTest, FailsInAReadOnlyDirectory) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser may write read-only directories";
  WriteBytes(path, kOldFile);
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Write());
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(ReadBytes(path), kOldFile);
}
#endif

}  // namespace
}  // namespace tarvex::dialog
