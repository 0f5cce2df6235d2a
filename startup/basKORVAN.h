#pragma once
// basKORVAN: the program's entry procedure and the loading steps it shares
// with the render tool.

#include <cstdint>
#include <string>
#include <string_view>

#include "startup/settings_overrides.h"
#include "startup/shared_state.h"

#include "platform/desktop.h"

namespace tarvex::basKORVAN {

// The whole course of the process, from the single-instance test to the end
// of the chosen mode. Returns the process's exit status: 0, or 1 after a
// run-time error has been reported. `overrides` replace settings of
// tarvex.ini for this run.
int Main(platform::Desktop& desktop, const SettingsOverrides& overrides = {});

// Loading in every mode: the password setting, AppDir, IniPath and the six
// settings. `programDirectory` is the directory holding the program; `files`
// name another tarvex.ini to save to (IniPath) and to read.
void LoadSettings(SharedState& state, const std::string& programDirectory,
                  const platform::SettingsFiles& files = {});

// Loading for the saver: MessageFile (defaulting to readme.txt in AppDir)
// read item by item into MessageLines and LineCount.
void ReadMessageFile(SharedState& state);

// The path separator that AppDir always ends in.
inline constexpr char kPathSeparator =
#if defined(_WIN32)
    '\\';
#else
    '/';
#endif

}  // namespace tarvex::basKORVAN
