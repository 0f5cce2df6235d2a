// The hosted command line: which window, which settings for the run, and
// the refusal of bad values.

#include "startup/hosted_options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tarvex::basKORVAN {
namespace {

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word == "''" ? "" : word);
  return words;
}

// What a run gets, in one line: "-" when the command line is not hosted.
std::string Describe(const std::optional<HostedOptions>& options) {
  if (!options) return "-";
  const SettingsOverrides& o = options->overrides;
  std::string text = "window=" + std::to_string(options->window);
  if (o.MessageFile) text += " file=" + *o.MessageFile;
  if (o.Mp3File) text += " mp3=" + *o.Mp3File;
  if (o.TimerInterval) text += " ms=" + std::to_string(*o.TimerInterval);
  if (o.FontName) text += " font=" + *o.FontName;
  if (o.FontSize) text += " size=" + std::to_string(*o.FontSize);
  if (o.FontColor) text += " color=" + *o.FontColor;
  return text;
}

struct OptionCase {
  const char* name;
  const char* args;  // split at blanks; '' is an empty argument
  const char* env;   // XSCREENSAVER_WINDOW, null when unset
  const char* expected;
};

class HostedOptionsTest : public testing::TestWithParam<OptionCase> {};

TEST_P(HostedOptionsTest, ParsesTo) {
  const OptionCase& c = GetParam();
  EXPECT_EQ(Describe(ParseHostedOptions(Words(c.args), c.env)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, HostedOptionsTest,
    testing::Values(
        OptionCase{"RootTakesHexFromTheDaemon", "-root", "0x1a", "window=26"},
        OptionCase{"RootTakesDecimal", "--root", "4194305", "window=4194305"},
        OptionCase{"RootAloneIsTheRootWindow", "--root", nullptr, "window=0"},
        OptionCase{"WindowIdWinsOverRoot", "--root --window-id 0x20", "0x30", "window=32"},
        OptionCase{"WindowIdAfterEquals", "-window-id=77", nullptr, "window=77"},
        OptionCase{"SwitchFirstIsNotHosted", "/s --root", "0x1a", "-"},
        OptionCase{"NoWindowIsNotHosted", "--speed 0 --color red", nullptr, "-"},
        OptionCase{"EmptyIsNotHosted", "", "0x1a", "-"},
        OptionCase{"UnknownOptionsIgnored", "--root --fps -delay 5 --speed 3", nullptr,
                   "window=0 ms=75"},
        OptionCase{"EveryOverride",
                   "--root --file a.txt -mp3 m.mp3 --font IPAGothic -size 72 --color #FF8000",
                   nullptr, "window=0 file=a.txt mp3=m.mp3 font=IPAGothic size=72 color=33023"},
        OptionCase{"SpeedBounds", "--root --speed 1 -speed=10", nullptr, "window=0 ms=250"},
        OptionCase{"EmptyPathsAllowed", "--root --file '' --mp3=", nullptr, "window=0 file= mp3="}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  const char* args;
  const char* env;
  const char* message;  // part of what() that names the value
};

class HostedRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(HostedRefusalTest, RefusedNamingTheValue) {
  const RefusalCase& c = GetParam();
  try {
    ParseHostedOptions(Words(c.args), c.env);
    ADD_FAILURE() << "accepted";
  } catch (const HostedOptionError& error) {
    EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    BadValues, HostedRefusalTest,
    testing::Values(RefusalCase{"WindowIdMissing", "--window-id", nullptr, "--window-id needs"},
                    RefusalCase{"WindowIdZero", "--window-id 0", nullptr, "\"0\" is not a window"},
                    RefusalCase{"WindowIdBareHex", "-window-id 0x", nullptr, "\"0x\""},
                    RefusalCase{"WindowIdNegative", "--window-id -5", nullptr, "\"-5\""},
                    RefusalCase{"WindowIdTooLarge", "--window-id 0x1ffffffff", nullptr, "0x1ff"},
                    RefusalCase{"WindowIdText", "--root --window-id pane", "0x1a", "\"pane\""},
                    RefusalCase{"EnvEmpty", "--root", "", "XSCREENSAVER_WINDOW: \"\""},
                    RefusalCase{"EnvNotHex", "-root", "0xzz", "XSCREENSAVER_WINDOW: \"0xzz\""},
                    RefusalCase{"EnvTrailingBlank", "-root", "12 ", "\"12 \""},
                    RefusalCase{"SpeedZero", "--root --speed 0", nullptr, "--speed: \"0\""},
                    RefusalCase{"SpeedEleven", "--root --speed 11", nullptr, "\"11\""},
                    RefusalCase{"SpeedFraction", "--root --speed 2.5", nullptr, "\"2.5\""},
                    RefusalCase{"SpeedSigned", "--root --speed +3", nullptr, "\"+3\""},
                    RefusalCase{"SpeedMissing", "--root --speed", nullptr, "--speed needs"},
                    RefusalCase{"SizeZero", "--root --size 0", nullptr, "--size: \"0\""},
                    RefusalCase{"SizeHuge", "--root --size 1001", nullptr, "\"1001\""},
                    RefusalCase{"SizeWithUnit", "--root --size 12pt", nullptr, "\"12pt\""},
                    RefusalCase{"ColorName", "--root --color red", nullptr, "--color: \"red\""},
                    RefusalCase{"ColorShort", "--root --color #12345", nullptr, "\"#12345\""},
                    RefusalCase{"ColorLong", "--root --color #1234567", nullptr, "\"#1234567\""},
                    RefusalCase{"ColorNotHex", "--root --color #GGGGGG", nullptr, "\"#GGGGGG\""},
                    RefusalCase{"ColorNoHash", "--root --color FF0000", nullptr, "\"FF0000\""},
                    RefusalCase{"FontEmpty", "--root --font=", nullptr, "--font: \"\""},
                    RefusalCase{"FirstBadValueNamed", "--speed 0 --root --size 0", nullptr,
                                "--speed"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvex::basKORVAN
