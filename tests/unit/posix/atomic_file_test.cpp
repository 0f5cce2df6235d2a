// Replacing files: modes kept, failures leave the old bytes and no
// temporary file behind.

#include "platform/posix/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "platform/profile.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform::posix {
namespace {

namespace fs = std::filesystem;
using Dir = const testing::TempDir&;

const std::string kOld = "[A]\r\nK=old\r\n";

TEST(AtomicFile, KeepsThePermissionBitsUnlessGivenAndWritesThroughALink) {
  testing::TempDir dir;
  fs::permissions(dir.Write("f", kOld), fs::perms(0640));
  fs::create_symlink("f", dir.File("link"));
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("link"), std::string("n\0w", 3)));
  EXPECT_EQ(dir.Read("f"), std::string("n\0w", 3));
  EXPECT_EQ(dir.Mode("f"), 0640u);
  EXPECT_TRUE(fs::is_symlink(dir.File("link")));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"f", "link"}));
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("f"), "new", 0600));
  EXPECT_EQ(dir.Mode("f"), 0600u);
}

TEST(AtomicFile, NewFileFollowsTheUmask) {
  testing::TempDir dir;
  const mode_t old_mask = ::umask(027);
  const bool written = ReplaceFileAtomically(dir.File("f"), "new");
  ::umask(old_mask);
  ASSERT_TRUE(written);
  EXPECT_EQ(dir.Mode("f"), 0640u);
}

// Each failure is met through the profile writer, as the program meets it.
struct FailureCase {
  const char* name;
  const char* file;
  void (*make)(Dir dir);
  std::string value;
};
TARVEX_PRINT_CASE_AS_NAME(FailureCase)

class AtomicFileFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(AtomicFileFailure, RefusesAndLeavesTheOldBytesAndNoTemporaryFile) {
  const testing::TempDir dir;
  const std::string path = dir.File(GetParam().file);
  GetParam().make(dir);
  const std::vector<std::string> names = dir.Names();
  const std::string before = fs::is_regular_file(path) ? dir.Read(GetParam().file) : "";
  // The limit on file sizes makes write() fail the way a full disk does.
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  rlimit small = old_limit;
  small.rlim_cur = 1024;
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool written = WritePrivateProfileStringA("A", "K", GetParam().value, path);
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(written);
  EXPECT_EQ(dir.Names(), names);
  EXPECT_EQ(fs::is_regular_file(path) ? dir.Read(GetParam().file) : "", before);
}

const FailureCase kFailures[] = {
    {"ReadOnlyFile", "t.ini",
     [](Dir d) { fs::permissions(d.Write("t.ini", kOld), fs::perms(0444)); }, "new"},
    {"DirectoryInPlaceOfTheFile", "t.ini", [](Dir d) { fs::create_directory(d.File("t.ini")); },
     "new"},
    {"MissingDirectory", "none/t.ini", [](Dir) {}, "new"},
    {"DanglingSymbolicLink", "t.ini",
     [](Dir d) { fs::create_symlink("none/t.ini", d.File("t.ini")); }, "new"},
    {"DiskFull", "t.ini", [](Dir d) { d.Write("t.ini", kOld); }, std::string(4096, 'x')},
};
INSTANTIATE_TEST_SUITE_P(Files, AtomicFileFailure, ::testing::ValuesIn(kFailures),
                         tarvex::testing::CaseName());

}  // namespace
}  // namespace tarvex::platform::posix
