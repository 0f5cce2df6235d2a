// The six settings written as one replacement of the file: all of them, or
// none and the old file as it was.

#include "dialog/ini_batch_write.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/basSysAPI.h"
#include "tests/support/temp_dir.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvex::dialog {
namespace {

namespace fs = std::filesystem;

const std::vector<IniValue> kValues = {{"FONTSIZE", " 24"},  {"FONTNAME", "IPAGothic"},
                                       {"FONTCOLOR", "255"}, {"FILE", "/m/a.txt"},
                                       {"MP3", "/m/b.mp3"},  {"TIME", "4"}};
const std::string kOldFile = "; mine\r\n[TARVEX]\r\nTIME=2\r\nFILE=/old.txt\r\n[OTHER]\r\nX=1\r\n";

class IniBatchWriteTest : public ::testing::Test {
 protected:
  bool Write(const std::string& target, const IniValueWriter& writer = basSysAPI::WriteIniValue) {
    return WriteIniValues("TARVEX", kValues, target, writer);
  }
  // The file that six direct writes leave, from none or from `start`.
  std::string WrittenDirectly(const std::string& start) {
    const testing::TempDir other;
    const std::string direct = start.empty() ? other.File("d.ini") : other.Write("d.ini", start);
    for (const auto& [key, value] : kValues) basSysAPI::WriteIniValue("TARVEX", key, value, direct);
    return other.Read("d.ini");
  }
  std::size_t Entries() const { return dir.Names().size(); }

  testing::TempDir dir;
  std::string path = dir.File("tarvex.ini");
};

TEST_F(IniBatchWriteTest, StoresAllValuesAsDirectWritesWouldAndFollowsALink) {
  ASSERT_TRUE(Write(path));
  EXPECT_EQ(dir.Read("tarvex.ini"), WrittenDirectly(""));
  dir.Write("tarvex.ini", kOldFile);
  ASSERT_TRUE(Write(path));
  EXPECT_EQ(dir.Read("tarvex.ini"), WrittenDirectly(kOldFile));
  EXPECT_EQ(Entries(), 1u) << "nothing left beside the file";
#ifndef _WIN32
  const std::string real = dir.Write("sub/real.ini", kOldFile);
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::remove(path);
  fs::create_symlink(real, path);
  ASSERT_TRUE(Write(path));
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(dir.Read("sub/real.ini"), WrittenDirectly(kOldFile));
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif
}

// A writer that fails at one call, like a disk filling up half-way.
class FailingAtKey : public IniBatchWriteTest, public ::testing::WithParamInterface<int> {};

TEST_P(FailingAtKey, StopsAndLeavesNoFileOrTheOldOneByteForByte) {
  int calls = 0;
  const auto writer = [&](std::string_view section, std::string_view key, std::string_view value,
                          const std::string& file) {
    return ++calls != GetParam() && basSysAPI::WriteIniValue(section, key, value, file);
  };
  EXPECT_FALSE(Write(path, writer));
  EXPECT_FALSE(fs::exists(path));
  dir.Write("tarvex.ini", kOldFile);
  calls = 0;
  EXPECT_FALSE(Write(path, writer));
  EXPECT_EQ(calls, GetParam()) << "writing went on after the failure";
  EXPECT_EQ(dir.Read("tarvex.ini"), kOldFile);
  EXPECT_EQ(Entries(), 1u);
}

INSTANTIATE_TEST_SUITE_P(AtEachKey, FailingAtKey, ::testing::Range(1, 7));

TEST_F(IniBatchWriteTest, RefusesPlacesThatCannotHoldTheFileAndLeavesThemAlone) {
  dir.Write("plain", "x");
  fs::create_directory(path);
  for (const std::string& target : {dir.File("plain/a.ini"), dir.File("gone/a.ini"), path}) {
    EXPECT_FALSE(Write(target)) << target;
  }
  EXPECT_EQ(dir.Read("plain"), "x");
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(Entries(), 2u);
#ifndef _WIN32
  if (::geteuid() == 0) return;  // the superuser may write read-only directories
  fs::remove(path);
  dir.Write("tarvex.ini", kOldFile);
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Write(path));
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(dir.Read("tarvex.ini"), kOldFile);
#endif
}

}  // namespace
}  // namespace tarvex::dialog
