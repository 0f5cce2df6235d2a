#include "tools/tarvex-render/info_report.h"

#include <cstdio>

#include "platform/posix/settings_files.h"
#include "startup/basKORVAN.h"

namespace tarvex::render {
namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Member(const char* name, const std::string& json) {
  return std::string("\"") + name + "\": " + json;
}

std::string Lines(const basKORVAN::SharedState& state) {
  std::string out = "[";
  for (int i = 1; i <= state.LineCount; ++i) {
    if (i > 1) out += ", ";
    out += Quoted(state.MessageLines[static_cast<std::size_t>(i)]);
  }
  return out + "]";
}

}  // namespace

std::optional<runtime::RuntimeError> LoadAsSaver(basKORVAN::SharedState& state,
                                                 const std::string& programDirectory) {
  try {
    basKORVAN::LoadSettings(state, programDirectory,
                            platform::posix::SettingsFilesFor(programDirectory));
    basKORVAN::ReadMessageFile(state);
  } catch (const runtime::RuntimeError& error) {
    return error;
  }
  return std::nullopt;
}

std::string InfoJson(const basKORVAN::SharedState& state,
                     const std::optional<runtime::RuntimeError>& error) {
  const basKORVAN::SaverSettings& s = state.Settings;
  std::string out = "{";
  out += Member("TimerInterval", std::to_string(s.TimerInterval)) + ", ";
  out += Member("FontSize", std::to_string(s.FontSize)) + ", ";
  out += Member("FontName", Quoted(s.FontName)) + ", ";
  out += Member("FontColor", Quoted(s.FontColor)) + ", ";
  out += Member("MessageFile", Quoted(s.MessageFile)) + ", ";
  out += Member("Mp3File", Quoted(s.Mp3File)) + ", ";
  out += Member("UsePassword", std::to_string(state.UsePassword)) + ", ";
  out += Member("IniPath", Quoted(state.IniPath)) + ", ";
  out += Member("LineCount", std::to_string(state.LineCount)) + ", ";
  out += Member("MessageLines", Lines(state));
  if (error) {
    out += ", " + Member("Error", "{" + Member("Number", std::to_string(error->number())) + ", " +
                                      Member("Description", Quoted(error->description())) + "}");
  }
  return out + "}";
}

}  // namespace tarvex::render
