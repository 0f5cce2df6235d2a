// The file and colour choosers behind "参照" and the swatch.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/unit/dialog/form_ini_fixture.h"

namespace tarvex::testing {
namespace {

using platform::DialogEvents;
using platform::DialogTextBox;
using platform::FileTypeFilter;

struct FileButton {
  const char* name;
  void (DialogEvents::*click)();
  DialogTextBox box;
  const char* type_label;
};

class FileChooserTest : public FormIniFixture, public ::testing::WithParamInterface<FileButton> {
 protected:
  FileChooserTest() { state.Settings.MessageFile = state.Settings.Mp3File = "/loaded"; }

  // Clicks the button once per answer and records the box after each.
  std::vector<std::string> ClickWith(std::vector<std::optional<std::string>> answers) {
    std::vector<std::string> seen;
    Run([&](FakeDialogHost& window, DialogEvents& form) {
      for (auto& answer : answers) {
        window.open_answers = {answer};
        (form.*GetParam().click)();
        seen.push_back(window.Text(GetParam().box));
      }
    });
    return seen;
  }
};

TEST_P(FileChooserTest, PutsTheChosenPathInItsBoxAndCancelKeepsTheBox) {
  const auto seen = ClickWith({std::nullopt, std::string("/a/曲 1"), std::nullopt});
  EXPECT_EQ(seen, (std::vector<std::string>{"/loaded", "/a/曲 1", "/a/曲 1"}));
}

TEST_P(FileChooserTest, OpensWithAllFilesPreselectedAndTheLastConfirmedName) {
  ClickWith({std::string("/a/x"), std::nullopt});
  ASSERT_EQ(host->open_calls.size(), 2U);
  const std::vector<FileTypeFilter> filters = {{"*.*", ""}, {GetParam().type_label, ""}};
  for (const auto& call : host->open_calls) {
    EXPECT_EQ(call.filters, filters);
    EXPECT_EQ(call.filter_index, 1);
  }
  EXPECT_EQ(host->open_calls[0].file_name, "");
  EXPECT_EQ(host->open_calls[1].file_name, "/a/x");
}

INSTANTIATE_TEST_SUITE_P(Buttons, FileChooserTest,
                         ::testing::Values(FileButton{"Message", &DialogEvents::cmdSansyo_Click,
                                                      DialogTextBox::txtFile, "*.txt"},
                                           FileButton{"Music", &DialogEvents::cmdMP3_Click,
                                                      DialogTextBox::txtMP3, "*.mp3"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormIniFixture, EachFileButtonHasAChooserOfItsOwn) {
  Run([](FakeDialogHost& window, DialogEvents& form) {
    window.open_answers = {std::string("/m.txt"), std::nullopt};
    form.cmdSansyo_Click();
    form.cmdMP3_Click();
  });
  ASSERT_EQ(host->open_calls.size(), 2U);
  EXPECT_EQ(host->open_calls[1].file_name, "") << "the music chooser saw the message file";
  EXPECT_EQ(host->Text(DialogTextBox::txtMP3), "");
}

TEST_F(FormIniFixture, ColourChooserSetsTheSwatchAndCancelKeepsIt) {
  state.Settings.FontColor = "255";
  std::vector<std::int32_t> seen;
  Run([&](FakeDialogHost& window, DialogEvents& form) {
    window.color_answers = {std::nullopt, 16711680, std::nullopt};
    for (int click = 0; click < 3; ++click) {
      form.lblCol_Click();
      seen.push_back(window.swatch);
    }
  });
  EXPECT_EQ(seen, (std::vector<std::int32_t>{255, 16711680, 16711680}));
  // The chooser starts black, then at its last confirmed colour.
  EXPECT_EQ(host->color_calls, (std::vector<std::int32_t>{0, 0, 16711680}));
}

}  // namespace
}  // namespace tarvex::testing
