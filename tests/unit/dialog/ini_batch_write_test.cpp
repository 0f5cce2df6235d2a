#include "dialog/ini_batch_write.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "settings/basSysAPI.h"
#include "tests/support/temp_dir.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvex::dialog {
namespace {

namespace fs = std::filesystem;

const std::vector<IniValue> kValues = {
    {"FONTSIZE", " 24"},  {"FONTNAME", "IPAGothic"}, {"FONTCOLOR", "255"},
    {"FILE", "/m/a.txt"}, {"MP3", "/m/b.mp3"},       {"TIME", "4"},
};

const std::string kOldFile = "; mine\r\n[TARVEX]\r\nTIME=2\r\nFILE=/old.txt\r\n[OTHER]\r\nX=1\r\n";

class IniBatchWriteTest : public ::testing::Test {
 protected:
  bool Write(const IniValueWriter& writer = basSysAPI::WriteIniValue) {
    return WriteIniValues("TARVEX", kValues, path, writer);
  }
  // The file that six direct writes leave, for comparison.
  std::string WrittenDirectly(const std::optional<std::string>& start) {
    const std::string direct = dir.File("direct.ini");
    fs::remove(direct);
    if (start) dir.Write("direct.ini", *start);
    for (const auto& [key, value] : kValues) basSysAPI::WriteIniValue("TARVEX", key, value, direct);
    const std::string bytes = dir.Read("direct.ini");
    fs::remove(direct);
    return bytes;
  }
  bool LeftoverCopy() const { return fs::exists(path + ".saving"); }

  testing::TempDir dir;
  std::string path = dir.File("tarvex.ini");
};

TEST_F(IniBatchWriteTest, StoresAllValuesAsDirectWritesWould) {
  for (const auto& start : {std::optional<std::string>(), std::optional(kOldFile)}) {
    fs::remove(path);
    if (start) dir.Write("tarvex.ini", *start);
    ASSERT_TRUE(Write());
    EXPECT_EQ(dir.Read("tarvex.ini"), WrittenDirectly(start));
    EXPECT_FALSE(LeftoverCopy());
  }
}

// A writer that fails at one call, like a disk filling up half-way.
class FailingAtKey : public IniBatchWriteTest, public ::testing::WithParamInterface<int> {};

TEST_P(FailingAtKey, StopsAndLeavesNoFileOrTheOldOneByteForByte) {
  int calls = 0;
  const auto writer = [&](std::string_view section, std::string_view key, std::string_view value,
                          const std::string& file) {
    return ++calls != GetParam() && basSysAPI::WriteIniValue(section, key, value, file);
  };
  EXPECT_FALSE(Write(writer));
  EXPECT_FALSE(fs::exists(path));
  dir.Write("tarvex.ini", kOldFile);
  calls = 0;
  EXPECT_FALSE(Write(writer));
  EXPECT_EQ(calls, GetParam()) << "writing went on after the failure";
  EXPECT_EQ(dir.Read("tarvex.ini"), kOldFile);
  EXPECT_FALSE(LeftoverCopy());
}

INSTANTIATE_TEST_SUITE_P(AtEachKey, FailingAtKey, ::testing::Range(1, 7));

TEST_F(IniBatchWriteTest, RefusesPlacesThatCannotHoldTheFileAndLeavesThemAlone) {
  dir.Write("plain", "x");
  fs::create_directory(path);
  for (const std::string& target :
       {dir.File("plain/tarvex.ini"), dir.File("gone/tarvex.ini"), path}) {
    EXPECT_FALSE(WriteIniValues("TARVEX", kValues, target, basSysAPI::WriteIniValue)) << target;
  }
  EXPECT_EQ(dir.Read("plain"), "x");
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_FALSE(fs::exists(dir.File("gone")) || LeftoverCopy());
}

TEST_F(IniBatchWriteTest, NeverReplacesAReadOnlyFile) {
  dir.Write("tarvex.ini", kOldFile);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(Write());
  EXPECT_EQ(dir.Read("tarvex.ini"), kOldFile);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_FALSE(LeftoverCopy());
}

// Permission bits and links as POSIX systems have them.
#ifndef _WIN32
TEST_F(IniBatchWriteTest, KeepsTheFilesPermissions) {
  dir.Write("tarvex.ini", kOldFile);
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(Write());
  EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(IniBatchWriteTest, UpdatesTheTargetOfALink) {
  const std::string target = dir.Write("real.ini", kOldFile);
  fs::create_symlink(target, path);
  ASSERT_TRUE(Write());
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(dir.Read("real.ini"), WrittenDirectly(kOldFile));
}

TEST_F(IniBatchWriteTest, FailsInAReadOnlyDirectory) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser may write read-only directories";
  dir.Write("tarvex.ini", kOldFile);
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Write());
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(dir.Read("tarvex.ini"), kOldFile);
}
#endif

}  // namespace
}  // namespace tarvex::dialog
