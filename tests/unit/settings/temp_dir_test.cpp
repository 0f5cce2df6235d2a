// The settings tests leave read-only files behind (a settings file that
// cannot be written): the test folder must still go away with all of them.

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

namespace tarvex::testing {
namespace {

namespace fs = std::filesystem;

constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::owner_exec;

struct Leftover {
  const char* name;
  std::function<void(const TempDir&)> make;
};

void PrintTo(const Leftover& leftover, std::ostream* out) {
  *out << leftover.name;
}

class TempDirRemovalTest : public ::testing::TestWithParam<Leftover> {};

TEST_P(TempDirRemovalTest, RemovesEverythingInside) {
  fs::path root;
  {
    const TempDir dir;
    root = dir.path();
    GetParam().make(dir);
    ASSERT_FALSE(fs::is_empty(root));
  }
  EXPECT_FALSE(fs::exists(root));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TempDirRemovalTest,
    ::testing::Values(Leftover{"ReadOnlyFile",
                               [](const TempDir& dir) {
                                 fs::permissions(dir.Write("tarvex.ini", "[TARVEX]\r\n"),
                                                 fs::perms::owner_read);
                               }},
                      Leftover{"ReadOnlyFileInReadOnlyFolder",
                               [](const TempDir& dir) {
                                 const fs::path file = dir.Write("sub/deeper/tarvex.ini", "x");
                                 fs::permissions(file, fs::perms::owner_read);
                                 fs::permissions(file.parent_path(), kReadOnly);
                                 fs::permissions(file.parent_path().parent_path(), kReadOnly);
                               }},
                      Leftover{"ManyReadOnlyFiles",
                               [](const TempDir& dir) {
                                 for (int i = 0; i < 20; ++i) {
                                   const std::string name = "f" + std::to_string(i);
                                   fs::permissions(dir.Write(name, name), fs::perms::owner_read);
                                 }
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TempDirTest, EachIsFreshAndWritable) {
  const TempDir first;
  const TempDir second;
  EXPECT_NE(first.path(), second.path());
  EXPECT_TRUE(fs::is_empty(first.path()));
  EXPECT_EQ(first.Read("a.bin"), "");
  first.Write("a.bin", std::string("\0\r\n\xFF", 4));
  EXPECT_EQ(first.Read("a.bin"), std::string("\0\r\n\xFF", 4));
  EXPECT_EQ(first.File("a.bin"), (first.path() / "a.bin").string());
}

#ifndef _WIN32
// A link inside points out of the folder: what it points to stays as it was.
TEST(TempDirTest, LeavesTheTargetsOfLinksAlone) {
  const TempDir outside;
  const fs::path target = outside.Write("target.txt", "kept");
  fs::permissions(target, fs::perms::owner_read);
  {
    const TempDir dir;
    fs::create_symlink(target, dir.path() / "link");
    fs::create_directory_symlink(outside.path(), dir.path() / "dirlink");
  }
  EXPECT_EQ(outside.Read("target.txt"), "kept");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read);
}
#endif

}  // namespace
}  // namespace tarvex::testing
