#include <gtest/gtest.h>

#include "runtime/runtime_error.h"
#include "startup/basKORVAN.h"
#include "tests/support/temp_dir.h"

namespace tarvex::basKORVAN {
namespace {

using testing::TempDir;

class ReadMessageFileTest : public ::testing::Test {
 protected:
  SharedState StateFor(const std::string& messageFile) {
    SharedState state;
    state.AppDir = dir_.str() + "/";
    state.Settings.MessageFile = messageFile;
    return state;
  }

  std::vector<std::string> ItemsOf(std::string_view bytes) {
    SharedState state = StateFor(dir_.Write("message.txt", bytes));
    ReadMessageFile(state);
    EXPECT_EQ(state.MessageLines.size(), state.LineCount == 0 ? 0u : state.LineCount + 1u);
    if (state.LineCount == 0) return {};
    EXPECT_EQ(state.MessageLines[0], "") << "entry 0 is never written";
    return {state.MessageLines.begin() + 1, state.MessageLines.end()};
  }

  int ErrorNumberFor(const std::string& messageFile, std::string* subject = nullptr) {
    SharedState state = StateFor(messageFile);
    try {
      ReadMessageFile(state);
    } catch (const runtime::RuntimeError& error) {
      if (subject != nullptr) *subject = error.subject();
      return error.number();
    }
    return 0;
  }

  TempDir dir_;
};

using Lines = std::vector<std::string>;

TEST_F(ReadMessageFileTest, ItemsBecomeLinesInFileOrder) {
  EXPECT_EQ(ItemsOf("one\r\ntwo, words\r\n\"kept, together\"\r\n\r\nlast"),
            (Lines{"one", "two", "words", "kept, together", "", "last"}));
}

TEST_F(ReadMessageFileTest, EmptyFileGivesNoLinesAndNoStorage) {
  EXPECT_TRUE(ItemsOf("").empty());
}

TEST_F(ReadMessageFileTest, ShiftJisAndUtf8FilesBothDecode) {
  EXPECT_EQ(ItemsOf("\x93\xfa\x96\x7b\x8c\xea\r\n"), (Lines{"日本語"}));
  EXPECT_EQ(ItemsOf("日本語\n"), (Lines{"日本語"}));
  EXPECT_EQ(ItemsOf("\xef\xbb\xbf"
                    "BOM\n"),
            (Lines{"BOM"}));
}

TEST_F(ReadMessageFileTest, BinaryBytesLoadWithoutLoss) {
  const Lines lines = ItemsOf(std::string("ok\r\n\x82\x00\xff\x80\r\n", 8));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "ok");
  EXPECT_FALSE(lines[1].empty());
}

TEST_F(ReadMessageFileTest, EmptySettingReadsReadmeInTheProgramDirectory) {
  dir_.Write("readme.txt", "from readme\r\n");
  SharedState state = StateFor("");
  ReadMessageFile(state);
  EXPECT_EQ(state.Settings.MessageFile, dir_.str() + "/readme.txt");
  ASSERT_EQ(state.LineCount, 1);
  EXPECT_EQ(state.MessageLines[1], "from readme");
}

TEST_F(ReadMessageFileTest, TheLastPossibleItemLoadsAndOneMoreOverflows) {
  std::string bytes;
  for (int i = 0; i < 32767; ++i) bytes += "x\n";
  SharedState state = StateFor(dir_.Write("full.txt", bytes));
  ReadMessageFile(state);
  EXPECT_EQ(state.LineCount, 32767);
  EXPECT_EQ(ErrorNumberFor(dir_.Write("over.txt", bytes + "y\n")), runtime::kOverflow);
}

TEST_F(ReadMessageFileTest, TenMegabyteLineLoads) {
  const Lines lines = ItemsOf(std::string(10 * 1024 * 1024, 'a'));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), 10u * 1024 * 1024);
}

TEST_F(ReadMessageFileTest, OpenFailuresNameTheFile) {
  std::string subject;
  const std::string missing = dir_.str() + "/missing.txt";
  EXPECT_EQ(ErrorNumberFor(missing, &subject), runtime::kFileNotFound);
  EXPECT_EQ(subject, missing);
  EXPECT_EQ(ErrorNumberFor(dir_.str() + "/no-dir/missing.txt"), runtime::kPathNotFound);
  EXPECT_EQ(ErrorNumberFor(dir_.str()), runtime::kPathFileAccessError);
  EXPECT_EQ(ErrorNumberFor(""), runtime::kFileNotFound) << "readme.txt is missing";
}

}  // namespace
}  // namespace tarvex::basKORVAN
