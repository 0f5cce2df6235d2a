// The saver's loading of the message file, one crawl line per item.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "startup/basKORVAN.h"
#include "tests/support/temp_dir.h"

namespace tarvex::basKORVAN {
namespace {

class ReadMessageFileTest : public ::testing::Test {
 protected:
  SharedState Read(const std::string& message_file) {
    SharedState state;
    state.AppDir = dir_.str() + "/";
    state.Settings.MessageFile = message_file;
    ReadMessageFile(state);
    return state;
  }
  runtime::RuntimeError ErrorFor(const std::string& message_file) {
    try {
      Read(message_file);
    } catch (const runtime::RuntimeError& error) {
      return error;
    }
    return runtime::RuntimeError(0);
  }

  testing::TempDir dir_;
};

TEST_F(ReadMessageFileTest, ItemsBecomeLinesOneToLineCountAndEntryZeroStaysEmpty) {
  const SharedState state = Read(dir_.Write("m.txt", "one\r\ntwo, words\r\n\"kept, together\""));
  EXPECT_EQ(state.LineCount, 4);
  EXPECT_EQ(state.MessageLines,
            (std::vector<std::string>{"", "one", "two", "words", "kept, together"}));
  EXPECT_TRUE(Read(dir_.Write("empty.txt", "")).MessageLines.empty());
}

TEST_F(ReadMessageFileTest, AnEmptySettingReadsReadmeInTheProgramDirectory) {
  dir_.Write("readme.txt", "\x93\xfa\x96\x7b\r\n");  // Shift JIS
  const SharedState state = Read("");
  EXPECT_EQ(state.Settings.MessageFile, dir_.str() + "/readme.txt");
  EXPECT_EQ(state.MessageLines, (std::vector<std::string>{"", "日本"}));
}

TEST_F(ReadMessageFileTest, TheLastPossibleItemLoadsAndOneMoreOverflows) {
  std::string bytes;
  for (int i = 0; i < 32767; ++i) bytes += "x\n";
  EXPECT_EQ(Read(dir_.Write("full.txt", bytes)).LineCount, 32767);
  EXPECT_EQ(ErrorFor(dir_.Write("over.txt", bytes + "y\n")).number(), runtime::kOverflow);
}

TEST_F(ReadMessageFileTest, OpenFailuresAreTheirErrorsAndNameTheFile) {
  const std::string missing = dir_.File("missing.txt");
  EXPECT_EQ(ErrorFor(missing).number(), runtime::kFileNotFound);
  EXPECT_EQ(ErrorFor(missing).subject(), missing);
  EXPECT_EQ(ErrorFor(dir_.File("no-dir/missing.txt")).number(), runtime::kPathNotFound);
  EXPECT_EQ(ErrorFor(dir_.str()).number(), runtime::kPathFileAccessError);
}

}  // namespace
}  // namespace tarvex::basKORVAN
