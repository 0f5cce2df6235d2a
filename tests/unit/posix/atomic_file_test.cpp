// Replacing files: modes kept, failures leave the old bytes and no
// temporary file behind.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "platform/posix/atomic_file.h"
#include "platform/profile.h"
#include "tests/unit/posix/scratch_dir.h"

namespace tarvex::platform::posix {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "[A]\r\nK=old\r\n";

TEST(AtomicFile, ReplacesTheContent) {
  testing::ScratchDir dir;
  dir.Write("f", kOld);
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("f"), "new"));
  EXPECT_EQ(dir.Read("f"), "new");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"f"});
}

TEST(AtomicFile, KeepsThePermissionBits) {
  testing::ScratchDir dir;
  dir.Write("f", kOld);
  fs::permissions(dir.File("f"), fs::perms(0640));
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("f"), "new"));
  EXPECT_EQ(dir.Mode("f"), 0640u);
}

TEST(AtomicFile, GivenModeWinsOverTheOldOne) {
  testing::ScratchDir dir;
  dir.Write("f", kOld);
  fs::permissions(dir.File("f"), fs::perms(0644));
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("f"), "new", 0600));
  EXPECT_EQ(dir.Mode("f"), 0600u);
}

TEST(AtomicFile, NewFileFollowsTheUmask) {
  testing::ScratchDir dir;
  const mode_t old_mask = ::umask(027);
  const bool written = ReplaceFileAtomically(dir.File("f"), "new");
  ::umask(old_mask);
  ASSERT_TRUE(written);
  EXPECT_EQ(dir.Mode("f"), 0640u);
}

TEST(AtomicFile, WritesThroughASymbolicLink) {
  testing::ScratchDir dir;
  dir.Write("real", kOld);
  fs::create_symlink("real", dir.File("link"));
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("link"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir.File("link")));
  EXPECT_EQ(dir.Read("real"), "new");
}

TEST(AtomicFile, ReadReportsAMissingFile) {
  testing::ScratchDir dir;
  std::error_code error;
  EXPECT_FALSE(ReadFileBytes(dir.File("none"), error));
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
  dir.Write("f", std::string("a\0b", 3));
  EXPECT_EQ(ReadFileBytes(dir.File("f"), error), std::string("a\0b", 3));
  EXPECT_FALSE(error);
}

// Each failure is tried through the profile writer, the way the program
// meets it: false, the old bytes, and no temporary file left.
class AtomicFileFailure : public ::testing::Test {
 protected:
  void ExpectRefusedAndUntouched(const std::string& path) {
    const std::vector<std::string> names_before = dir_.Names();
    EXPECT_FALSE(WritePrivateProfileStringA("A", "K", "new", path));
    EXPECT_EQ(dir_.Names(), names_before);
  }
  testing::ScratchDir dir_;
};

TEST_F(AtomicFileFailure, ReadOnlyFile) {
  dir_.Write("t.ini", kOld);
  fs::permissions(dir_.File("t.ini"), fs::perms(0444));
  ExpectRefusedAndUntouched(dir_.File("t.ini"));
  EXPECT_EQ(dir_.Read("t.ini"), kOld);
  EXPECT_EQ(dir_.Mode("t.ini"), 0444u);
}

TEST_F(AtomicFileFailure, DirectoryInPlaceOfTheFile) {
  fs::create_directory(dir_.File("t.ini"));
  ExpectRefusedAndUntouched(dir_.File("t.ini"));
  EXPECT_TRUE(fs::is_directory(dir_.File("t.ini")));
}

TEST_F(AtomicFileFailure, MissingDirectory) {
  ExpectRefusedAndUntouched(dir_.File("none/t.ini"));
}

TEST_F(AtomicFileFailure, DanglingSymbolicLink) {
  fs::create_symlink("none/t.ini", dir_.File("t.ini"));
  ExpectRefusedAndUntouched(dir_.File("t.ini"));
}

TEST_F(AtomicFileFailure, ReadOnlyDirectory) {
  dir_.Write("t.ini", kOld);
  fs::permissions(dir_.path(), fs::perms(0555));
  if (::access(dir_.path().c_str(), W_OK) == 0) {
    GTEST_SKIP() << "this user writes into read-only directories";
  }
  ExpectRefusedAndUntouched(dir_.File("t.ini"));
  EXPECT_EQ(dir_.Read("t.ini"), kOld);
}

// A file size limit makes write() fail the way a full disk does.
TEST_F(AtomicFileFailure, DiskFull) {
  dir_.Write("t.ini", kOld);
  const std::string big(4096, 'x');
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = 1024;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool written = WritePrivateProfileStringA("A", "K", big, dir_.File("t.ini"));
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(written);
  EXPECT_EQ(dir_.Read("t.ini"), kOld);
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"t.ini"});
}

}  // namespace
}  // namespace tarvex::platform::posix
