// The profile functions over the system's own: writing, and what the read
// side adds to them (growing buffers, names the code page lacks).

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace tarvex::platform {
namespace {

using testing::TempDir;

class Win32ProfileTest : public ::testing::Test {
 protected:
  std::string Read(const char* key, std::int32_t size = 200) {
    return GetPrivateProfileStringA("TARVEX", key, "", size, path_);
  }

  TempDir dir_;
  std::string path_ = (dir_.path() / "tarvex.ini").string();
};

TEST_F(Win32ProfileTest, WritesANewFileAndReadsItBack) {
  ASSERT_TRUE(WritePrivateProfileStringA("TARVEX", "FONTNAME", "ＭＳ Ｐ明朝", path_));
  ASSERT_TRUE(WritePrivateProfileStringA("TARVEX", "FILE", "C:\\ソフト\\a.txt", path_));
  EXPECT_EQ(Read("FONTNAME", 30), "ＭＳ Ｐ明朝");
  EXPECT_EQ(Read("FILE"), "C:\\ソフト\\a.txt");
  // The file holds the ANSI code page, as the system writes it.
  EXPECT_NE(dir_.Read("tarvex.ini").find("FILE=C:\\\x83\x5C\x83\x74\x83\x67\\a.txt"),
            std::string::npos);
}

TEST_F(Win32ProfileTest, ReplacesAValueInPlace) {
  dir_.Write("tarvex.ini", "[TARVEX]\r\nTIME=1\r\nFILE=a\r\n[OTHER]\r\nX=1\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("TARVEX", "TIME", "4", path_));
  EXPECT_EQ(dir_.Read("tarvex.ini"), "[TARVEX]\r\nTIME=4\r\nFILE=a\r\n[OTHER]\r\nX=1\r\n");
}

struct RefusedWrite {
  const char* name;
  const char* section;
  const char* key;
  const char* value;
};

void PrintTo(const RefusedWrite& c, std::ostream* os) {
  *os << c.name;
}

class Win32RefusedWriteTest : public Win32ProfileTest,
                              public ::testing::WithParamInterface<RefusedWrite> {};

// Text that would be stored mangled or read back as something else is
// refused, and the file keeps what it held.
TEST_P(Win32RefusedWriteTest, ReportsFailureAndKeepsTheFile) {
  const std::string before = "[TARVEX]\r\nFILE=old\r\n";
  dir_.Write("tarvex.ini", before);
  const RefusedWrite& c = GetParam();
  EXPECT_FALSE(WritePrivateProfileStringA(c.section, c.key, c.value, path_));
  EXPECT_EQ(dir_.Read("tarvex.ini"), before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Win32RefusedWriteTest,
    ::testing::Values(RefusedWrite{"CharacterTheCodePageLacks", "TARVEX", "FILE", "caf\xC3\xA9"},
                      RefusedWrite{"LineFeedInValue", "TARVEX", "FILE", "a\nTIME=9"},
                      RefusedWrite{"CarriageReturnInValue", "TARVEX", "FILE", "a\rb"},
                      RefusedWrite{"EqualsInKey", "TARVEX", "FI=LE", "x"},
                      RefusedWrite{"BracketInSection", "TAR]VEX", "FILE", "x"},
                      RefusedWrite{"EmptyKey", "TARVEX", "", "x"}),
    [](const auto& info) { return std::string(info.param.name); });

// (A read-only file would do on Windows, but the tests may run as root, whom
// Wine lets write it.)
TEST_F(Win32ProfileTest, AFileThatCannotBeWrittenIsReported) {
  ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr));
  EXPECT_FALSE(WritePrivateProfileStringA("TARVEX", "FILE", "new", path_));
}

TEST_F(Win32ProfileTest, AMissingDirectoryIsReported) {
  const std::string path = (dir_.path() / "no" / "tarvex.ini").string();
  EXPECT_FALSE(WritePrivateProfileStringA("TARVEX", "FILE", "x", path));
}

TEST_F(Win32ProfileTest, ALargeBufferHoldsALongValueWhole) {
  const std::string value(10000, 'v');
  dir_.Write("tarvex.ini", "[TARVEX]\r\nFILE=" + value + "\r\n");
  EXPECT_EQ(Read("FILE", 1 << 20), value);
  EXPECT_EQ(Read("FILE", 5000), value.substr(0, 4999));
}

TEST_F(Win32ProfileTest, BufferOfOneOrLessGivesNothing) {
  dir_.Write("tarvex.ini", "[TARVEX]\r\nFILE=x\r\n");
  EXPECT_EQ(Read("FILE", 1), "");
  EXPECT_EQ(Read("FILE", 0), "");
  EXPECT_EQ(Read("FILE", -5), "");
}

TEST_F(Win32ProfileTest, AKeyTheCodePageLacksIsMissing) {
  dir_.Write("tarvex.ini", "[TARVEX]\r\nFILE=x\r\n");
  EXPECT_EQ(GetPrivateProfileStringA("TARVEX", "caf\xC3\xA9", "dflt", 200, path_), "dflt");
  EXPECT_EQ(GetPrivateProfileStringA("TARVEX", "NONE", "abcdef", 4, path_), "abc");
}

}  // namespace
}  // namespace tarvex::platform
