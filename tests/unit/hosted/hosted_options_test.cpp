// The hosted command line: the window, the settings for the run, refusals.

#include "startup/hosted_options.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/case_name.h"

namespace tarvex::basKORVAN {
namespace {

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
