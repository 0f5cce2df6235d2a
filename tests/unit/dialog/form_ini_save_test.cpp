// What "保 存" and "取 消" do to the settings file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "settings/basSysAPI.h"
#include "tests/unit/dialog/form_ini_fixture.h"

namespace tarvex::testing {
namespace {

namespace fs = std::filesystem;
using platform::DialogEvents;
using platform::DialogList;
using platform::DialogTextBox;

const std::string kOldFile =
    "; written by hand\r\n[TARVEX]\r\nTIME=2\r\nFILE=/old.txt\r\n[OTHER]\r\nX=1\r\n";

// The size is saved as Str() gives it, with a leading blank, and the message
// file's path holds Japanese. How those land in the file is the system's
// profile store's business.
#ifdef _WIN32
// Windows writes the value as given, in the ANSI code page, and trims the
// blank on reading. (Wine already drops it on writing.)
const std::vector<std::string> kSizeLines = {"FONTSIZE= 24\r\n", "FONTSIZE=24\r\n"};
const std::string kFileLine = "FILE=/home/u/\x83\x81\x83\x62\x83\x5A\x81\x5B\x83\x57 1.txt\r\n";
std::string SizeReadBack(const std::string& size) {
  return size;
}
#else
// Our Linux store writes UTF-8 and keeps the blank by quoting the value.
const std::vector<std::string> kSizeLines = {"FONTSIZE=\" 24\"\r\n"};
const std::string kFileLine = "FILE=/home/u/メッセージ 1.txt\r\n";
std::string SizeReadBack(const std::string& size) {
  return " " + size;
}
#endif

// The file as the store may write it: `before` and `after` around the size line.
::testing::Matcher<std::string> FileWithSizeLine(const std::string& before,
                                                 const std::string& after) {
  std::vector<std::string> files;
  files.reserve(kSizeLines.size());
  for (const std::string& line : kSizeLines) {
    std::string file = before;
    file.append(line).append(after);
    files.push_back(std::move(file));
  }
  return ::testing::AnyOfArray(files);
}

class FormIniSaveTest : public FormIniFixture {
 protected:
  FormIniSaveTest() {
    state.Settings.FontSize = 24;
    state.Settings.FontName = "IPAGothic";
    state.Settings.TimerInterval = 100;
    state.Settings.MessageFile = "/home/u/メッセージ 1.txt";
  }
};

TEST_F(FormIniSaveTest, WritesTheSixKeysInOrderIntoANewFile) {
  RunAndPress(&DialogEvents::cmdOK_Click);
  const std::string after_size =
      "FONTNAME=IPAGothic\r\nFONTCOLOR=-2147483641\r\n" + kFileLine + "MP3=\r\nTIME=4\r\n";
  EXPECT_THAT(Ini(), FileWithSizeLine("[TARVEX]\r\n", after_size));
  EXPECT_EQ(host->close_count, 1);
  EXPECT_EQ(MessageBoxCount(), 0);
}

TEST_F(FormIniSaveTest, UpdatesAnExistingFileInPlace) {
  WriteBytes(state.IniPath, kOldFile);
  RunAndPress(&DialogEvents::cmdOK_Click);
  const std::string before_size = "; written by hand\r\n[TARVEX]\r\nTIME=4\r\n" + kFileLine;
  EXPECT_THAT(Ini(), FileWithSizeLine(before_size,
                                      "FONTNAME=IPAGothic\r\nFONTCOLOR=-2147483641\r\n"
                                      "MP3=\r\n[OTHER]\r\nX=1\r\n"));
}

TEST_F(FormIniSaveTest, WritesWhatTheUserChose) {
  Run([](FakeDialogHost& window, DialogEvents& form) {
    window.Choose(DialogList::cmbSize, "72");
    window.Choose(DialogList::cmbFont, "DejaVu Sans");
    window.Choose(DialogList::cmbTim, "10");
    window.color_answers = {65280};
    form.lblCol_Click();
    window.open_answers = {std::string("/music/曲 A.mp3")};
    form.cmdMP3_Click();
    window.SetText(DialogTextBox::txtFile, "relative name.txt");
    form.cmdOK_Click();
  });
  const auto read = [&](const char* key) {
    return basSysAPI::ReadIniValue("TARVEX", key, 200, state.IniPath);
  };
  EXPECT_EQ(read("FONTSIZE"), SizeReadBack("72"));
  EXPECT_EQ(read("FONTNAME"), "DejaVu Sans");
  EXPECT_EQ(read("FONTCOLOR"), "65280");
  EXPECT_EQ(read("FILE"), "relative name.txt");
  EXPECT_EQ(read("MP3"), "/music/曲 A.mp3");
  EXPECT_EQ(read("TIME"), "10");
  EXPECT_EQ(state.Settings.TimerInterval, 10) << "the step, not milliseconds";
}

TEST_F(FormIniSaveTest, KeepsTheLoadedValueOfAListWithoutSelection) {
  state.Settings.FontSize = 30;
  dialog::FormIni form(state, desktop);
  form.cmdOK_Click();  // not loaded: the lists are empty
  EXPECT_EQ(basSysAPI::ReadIniValue("TARVEX", "FONTSIZE", 6, state.IniPath), SizeReadBack("30"));
  EXPECT_EQ(basSysAPI::ReadIniValue("TARVEX", "TIME", 6, state.IniPath), "100");
  EXPECT_EQ(basSysAPI::ReadIniValue("TARVEX", "FONTNAME", 30, state.IniPath), "");
}

struct Closing {
  const char* name;
  void (*user)(FakeDialogHost&, DialogEvents&);
};

class FormIniCancelTest : public FormIniSaveTest, public ::testing::WithParamInterface<Closing> {};

TEST_P(FormIniCancelTest, LeavesTheFileByteForByte) {
  WriteBytes(state.IniPath, kOldFile);
  Run(GetParam().user);
  EXPECT_EQ(Ini(), kOldFile);
  EXPECT_EQ(fs::directory_iterator(dir.path())->path().filename(), "tarvex.ini")
      << "nothing else was written beside it";
}

TEST_P(FormIniCancelTest, CreatesNoFile) {
  Run(GetParam().user);
  EXPECT_FALSE(fs::exists(state.IniPath));
}

INSTANTIATE_TEST_SUITE_P(Ways, FormIniCancelTest,
                         ::testing::Values(Closing{"CancelButton",
                                                   [](FakeDialogHost& window, DialogEvents& form) {
                                                     window.Choose(DialogList::cmbSize, "50");
                                                     form.cmdEXIT_Click();
                                                   }},
                                           Closing{"WindowFrame",
                                                   [](FakeDialogHost& window, DialogEvents&) {
                                                     window.Choose(DialogList::cmbTim, "7");
                                                   }}),
                         [](const auto& info) { return std::string(info.param.name); });

class FormIniSaveFailureTest : public FormIniSaveTest {
 protected:
  // The user changes the size and a path, saves, then cancels.
  void SaveThenCancel() {
    Run([this](FakeDialogHost& window, DialogEvents& form) {
      window.Choose(DialogList::cmbSize, "50");
      window.SetText(DialogTextBox::txtFile, "/new.txt");
      form.cmdOK_Click();
      closes_after_save = window.close_count;
      size_after_save = window.ListText(DialogList::cmbSize);
      file_after_save = window.Text(DialogTextBox::txtFile);
      form.cmdEXIT_Click();
    });
  }

  void ExpectReportedAndStillOpen() {
    EXPECT_EQ(closes_after_save, 0) << "the dialog closed after a failed save";
    EXPECT_EQ(size_after_save, "50");
    EXPECT_EQ(file_after_save, "/new.txt");
    ASSERT_EQ(MessageBoxCount(), 1);
    EXPECT_THAT(desktop.calls.back(), ::testing::HasSubstr("設定を保存できませんでした"));
    EXPECT_THAT(desktop.calls.back(), ::testing::HasSubstr(state.IniPath));
  }

  int closes_after_save = -1;
  std::string size_after_save;
  std::string file_after_save;
};

TEST_F(FormIniSaveFailureTest, ReadOnlyFileIsReportedAndKept) {
  WriteBytes(state.IniPath, kOldFile);
  fs::permissions(state.IniPath, fs::perms::owner_read | fs::perms::group_read);
  SaveThenCancel();
  ExpectReportedAndStillOpen();
  EXPECT_EQ(Ini(), kOldFile);
}

TEST_F(FormIniSaveFailureTest, MissingDirectoryIsReported) {
  state.IniPath = dir.File("gone") + "/tarvex.ini";
  SaveThenCancel();
  ExpectReportedAndStillOpen();
  EXPECT_FALSE(fs::exists(dir.File("gone")));
}

TEST_F(FormIniSaveFailureTest, SavingAgainAfterTheCauseIsGoneWorks) {
  WriteBytes(state.IniPath, kOldFile);
  fs::permissions(state.IniPath, fs::perms::owner_read);
  Run([this](FakeDialogHost& window, DialogEvents& form) {
    form.cmdOK_Click();
    fs::permissions(state.IniPath, fs::perms::owner_read | fs::perms::owner_write);
    form.cmdOK_Click();
    EXPECT_EQ(window.close_count, 1);
  });
  EXPECT_EQ(MessageBoxCount(), 1);
  EXPECT_EQ(basSysAPI::ReadIniValue("TARVEX", "TIME", 6, state.IniPath), "4");
}

}  // namespace
}  // namespace tarvex::testing
