// The settings-file corpus through this system's profile functions.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/profile.h"
#include "runtime/ansi_text.h"
#include "tests/support/temp_dir.h"
#include "tests/wine/profile_corpus.h"

namespace tarvex::testing {
namespace {

class ProfileCorpusTest : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileCorpusTest, ReadsTheExpectedValue) {
  const ProfileCase& c = GetParam();
  const TempDir dir;
  const std::string path =
      c.file == kNoFile ? (dir.path() / "tarvex.ini").string() : dir.Write("tarvex.ini", c.file);
  const std::string value =
      platform::GetPrivateProfileStringA(runtime::AnsiToText(c.section), c.key, "", c.size, path);
  EXPECT_EQ(runtime::TextToAnsi(value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Corpus, ProfileCorpusTest, ::testing::ValuesIn(ProfileCorpus()),
                         CaseName());

class RefusedWriteTest : public ::testing::TestWithParam<RefusedWrite> {};

TEST_P(RefusedWriteTest, ReportsFailureAndKeepsTheFile) {
  const RefusedWrite& c = GetParam();
  const TempDir dir;
  const std::string before = "[TARVEX]\r\nFONTNAME=" + kMei + "\r\nFILE=old\r\n";
  dir.Write("tarvex.ini", before);
  std::filesystem::create_directory(dir.path() / "folder");
  EXPECT_FALSE(platform::WritePrivateProfileStringA(c.section, c.key, c.value, dir.File(c.file)));
  EXPECT_EQ(dir.Read("tarvex.ini"), before);
}

INSTANTIATE_TEST_SUITE_P(Writes, RefusedWriteTest, ::testing::ValuesIn(RefusedWrites()),
                         CaseName());

}  // namespace
}  // namespace tarvex::testing
