#include "startup/hosted_options.h"

#include <charconv>
#include <string_view>

namespace tarvex::basKORVAN {
namespace {

struct Parsed {
  bool root = false;
  bool windowAsked = false;  // -window-id given, valid or not
  std::optional<std::uint32_t> windowId;
  std::optional<std::string> refusal;  // the first bad value's message
  SettingsOverrides overrides;
};

using Setter = void (*)(Parsed&, const std::string& value);

struct Option {
  std::string_view name;
  bool takesValue;
  Setter set;
};

[[noreturn]] void Refuse(std::string_view option, const std::string& value, const char* what) {
  throw HostedOptionError("--" + std::string(option) + ": \"" + value + "\" is not " + what);
}

// Plain decimal digits within [low, high]; nothing else.
std::optional<int> WholeNumber(const std::string& text, int low, int high) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc{} || stop != end || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::uint32_t> HexColor(const std::string& text) {
  std::uint32_t rgb = 0;
  const char* end = text.data() + text.size();
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  const auto [stop, error] = std::from_chars(text.data() + 1, end, rgb, 16);
  if (error != std::errc{} || stop != end) return std::nullopt;
  return rgb;
}

void SetWindow(Parsed& p, const std::string& value) {
  p.windowId = ParseWindowId(value);
  if (!p.windowId) Refuse("window-id", value, "a window id");
}

void SetSpeed(Parsed& p, const std::string& value) {
  const std::optional<int> speed = WholeNumber(value, 1, 10);
  if (!speed) Refuse("speed", value, "a speed from 1 to 10");
  p.overrides.TimerInterval = static_cast<std::int16_t>(*speed * 25);
}

void SetSize(Parsed& p, const std::string& value) {
  const std::optional<int> points = WholeNumber(value, 1, 1000);
  if (!points) Refuse("size", value, "a font size from 1 to 1000 points");
  p.overrides.FontSize = static_cast<std::int16_t>(*points);
}

void SetFont(Parsed& p, const std::string& value) {
  if (value.empty()) Refuse("font", value, "a font face");
  p.overrides.FontName = value;
}

// #RRGGBB to the stored form: red + 256 x green + 65536 x blue.
void SetColor(Parsed& p, const std::string& value) {
  const std::optional<std::uint32_t> rgb = HexColor(value);
  if (!rgb) Refuse("color", value, "a colour written #RRGGBB");
  const std::uint32_t bgr = (*rgb >> 16) | (*rgb & 0xFF00u) | ((*rgb & 0xFFu) << 16);
  p.overrides.FontColor = std::to_string(bgr);
}

constexpr Option kOptions[] = {
    {"root", false, [](Parsed& p, const std::string&) { p.root = true; }},
    {"window-id", true, SetWindow},
    {"file", true, [](Parsed& p, const std::string& v) { p.overrides.MessageFile = v; }},
    {"mp3", true, [](Parsed& p, const std::string& v) { p.overrides.Mp3File = v; }},
    {"speed", true, SetSpeed},
    {"font", true, SetFont},
    {"size", true, SetSize},
    {"color", true, SetColor},
};

const Option* FindOption(std::string_view name) {
  for (const Option& option : kOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

// "-name", "--name", either with "=value".
void ParseOne(Parsed& p, const std::vector<std::string>& args, std::size_t& i) {
  std::string_view word = args[i];
  word.remove_prefix(word.starts_with("--") ? 2 : 1);
  const std::size_t equals = word.find('=');
  const Option* option = FindOption(word.substr(0, equals));
  if (option == nullptr) return;
  p.windowAsked = p.windowAsked || option->name == "window-id";
  if (!option->takesValue) return option->set(p, {});
  if (equals != std::string_view::npos) return option->set(p, std::string(word.substr(equals + 1)));
  if (i + 1 >= args.size()) {
    throw HostedOptionError("--" + std::string(option->name) + " needs a value");
  }
  option->set(p, args[++i]);
}

// -window-id wins; -root means the daemon's window, or the root window.
std::uint32_t ChosenWindow(const Parsed& p, const char* xscreensaverWindow) {
  if (p.windowId) return *p.windowId;
  if (xscreensaverWindow == nullptr) return 0;
  const std::optional<std::uint32_t> id = ParseWindowId(xscreensaverWindow);
  if (!id) {
    throw HostedOptionError("XSCREENSAVER_WINDOW: \"" + std::string(xscreensaverWindow) +
                            "\" is not a window id");
  }
  return *id;
}

}  // namespace

std::optional<std::uint32_t> ParseWindowId(const std::string& text) {
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const std::string_view digits = std::string_view(text).substr(hex ? 2 : 0);
  std::uint32_t id = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, id, hex ? 16 : 10);
  if (digits.empty() || error != std::errc{} || stop != end || id == 0) return std::nullopt;
  return id;
}

std::optional<HostedOptions> ParseHostedOptions(const std::vector<std::string>& args,
                                                const char* xscreensaverWindow) {
  if (args.empty() || !args[0].starts_with('-')) return std::nullopt;
  Parsed p;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].size() < 2 || !args[i].starts_with('-')) continue;
    try {
      ParseOne(p, args, i);
    } catch (const HostedOptionError& refusal) {
      if (!p.refusal) p.refusal = refusal.what();
    }
  }
  // Without a window to draw into these are unknown options of the saver.
  if (!p.root && !p.windowAsked) return std::nullopt;
  if (p.refusal) throw HostedOptionError(*p.refusal);
  return HostedOptions{ChosenWindow(p, xscreensaverWindow), p.overrides};
}

}  // namespace tarvex::basKORVAN
