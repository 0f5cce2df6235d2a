// Main's reading of its command line (the switch, and the options a saver
// daemon passes), and the saver's loading of the message file, one crawl
// line per item.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/runtime_error.h"
#include "startup/basKORVAN.h"
#include "startup/hosted_options.h"
#include "startup/switch_dispatch.h"
#include "tests/support/case_name.h"
#include "tests/support/temp_dir.h"

namespace tarvex::basKORVAN {
namespace {

using SwitchCase = std::tuple<const char*, const char*, Mode>;
class DispatchSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(DispatchSwitch, ChoosesTheMode) {
  EXPECT_EQ(basKORVAN::DispatchSwitch(std::get<1>(GetParam())), std::get<2>(GetParam()));
}

// Only the first two characters count, compared exactly.
const SwitchCase kSwitches[] = {
    {"NothingShowsTheSettings", "", Mode::kSettings},
    {"SlashCShowsTheSettings", "/c", Mode::kSettings},
    {"CapitalCShowsTheSettings", "/C", Mode::kSettings},
    {"CWithAHandleShowsTheSettings", "/c:1234", Mode::kSettings},
    {"SlashPIsThePreview", "/p 1234", Mode::kPreview},
    {"CapitalPIsThePreview", "/P", Mode::kPreview},
    {"SlashSRunsTheSaver", "/s", Mode::kSaver},
    {"SlashAChangesThePassword", "/a", Mode::kPasswordChange},
    {"CapitalAChangesThePassword", "/A 1234", Mode::kPasswordChange},
    {"AnUnknownSwitchRunsTheSaver", "/x", Mode::kSaver},
    {"ALeadingBlankRunsTheSaver", " /c", Mode::kSaver},
    {"WideCharactersRunTheSaver", "／ｃ", Mode::kSaver},
};
INSTANTIATE_TEST_SUITE_P(Switches, DispatchSwitch, ::testing::ValuesIn(kSwitches),
                         testing::CaseName());

TEST(PasswordParentHandle, IsTheRoundedNumberAfterTheSwitchOrAnOverflow) {
  for (const auto& [line, handle] : {std::pair{"/a", 0},
                                     {"/A   77  ", 77},
                                     {"/a:12", 0},
                                     {"/a 2.5", 2},
                                     {"/a -32768", -32768},
                                     {"/a12", 12}}) {
    EXPECT_EQ(PasswordParentHandle(line), handle) << line;
  }
  for (const char* line : {"/a 32768", "/a -32769"}) {
    EXPECT_THROW(PasswordParentHandle(line), runtime::RuntimeError) << line;
  }
}

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

// What a run gets, in one line: "-" when the command line is not hosted,
// "refused ..." and the message for a bad value.
std::string Outcome(const std::string& line, const char* env) {
  std::vector<std::string> args;
  std::istringstream in(line);
  for (std::string word; in >> word;) args.push_back(word == "''" ? "" : word);
  std::optional<HostedOptions> options;
  try {
    options = ParseHostedOptions(args, env);
  } catch (const HostedOptionError& error) {
    return std::string("refused ") + error.what();
  }
  if (!options) return "-";
  const SettingsOverrides& o = options->overrides;
  std::string text = "window=" + std::to_string(options->window);
  for (const auto& [name, value] : {std::pair{" file=", o.MessageFile},
                                    {" mp3=", o.Mp3File},
                                    {" font=", o.FontName},
                                    {" color=", o.FontColor}}) {
    if (value) text += name + *value;
  }
  if (o.TimerInterval) text += " ms=" + std::to_string(*o.TimerInterval);
  if (o.FontSize) text += " size=" + std::to_string(*o.FontSize);
  return text;
}

// Arguments split at blanks ('' is an empty one), XSCREENSAVER_WINDOW (null
// when unset) and the outcome.
struct OptionCase {
  const char *name, *args, *env, *expected;
};
TARVEX_PRINT_CASE_AS_NAME(OptionCase)

class HostedOptionsTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(HostedOptionsTest, ParsesTo) {
  EXPECT_EQ(Outcome(GetParam().args, GetParam().env), GetParam().expected);
}

constexpr const char* kNoEnv = nullptr;
const char* const kSpeedZero = "refused --speed: \"0\" is not a speed from 1 to 10";
// clang-format off
INSTANTIATE_TEST_SUITE_P(CommandLines, HostedOptionsTest, ::testing::Values(
    OptionCase{"RootTakesHexFromTheDaemon", "-root", "0x1a", "window=26"},
    OptionCase{"RootAloneIsTheRootWindow", "--root", kNoEnv, "window=0"},
    OptionCase{"WindowIdWinsOverRoot", "--root --window-id 0x20", "0x30", "window=32"},
    OptionCase{"SwitchFirstIsNotHosted", "/s --root", "0x1a", "-"},
    OptionCase{"NoWindowIsNotHosted", "--speed 0 --color red", kNoEnv, "-"},
    OptionCase{"UnknownOptionsIgnored", "--root --fps -delay 5 --speed 3", kNoEnv, "window=0 ms=75"},
    OptionCase{"EveryOverride", "--root --file a -mp3 m --font F -size 72 --color #FF8000", kNoEnv, "window=0 file=a mp3=m font=F color=33023 size=72"},
    OptionCase{"WindowIdMissing", "--window-id", kNoEnv, "refused --window-id needs a value"},
    OptionCase{"SpeedZero", "--root --speed 0", kNoEnv, kSpeedZero},
    OptionCase{"SizeWithUnit", "--root --size 12pt", kNoEnv, "refused --size: \"12pt\" is not a font size from 1 to 1000 points"},
    OptionCase{"FirstBadValueNamed", "--speed 0 --root --size 0", kNoEnv, kSpeedZero}),
    testing::CaseName());
// clang-format on

}  // namespace
}  // namespace tarvex::basKORVAN
