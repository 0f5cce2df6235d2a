#pragma once
// Where tarvex.ini lies on Windows. A copy in a folder of the user's own keeps
// it beside the program. An installed copy keeps each user's in
// %APPDATA%\tarvex\; until the user first saves, the packaged tarvex.ini
// beside the program is read. A copy is installed when it lies in the Windows
// folder or a system folder (where the screen-saver settings list savers and
// an ordinary user cannot write), or in any folder this user cannot write.

#include <string>

#include "platform/desktop.h"

namespace tarvex::platform::win32 {

// The Windows folder or one of the system folders, however spelt: letter
// case, short names and a trailing backslash do not matter.
bool IsSystemFolder(const std::string& directory);

// Empty for a portable copy, and where the system names no application-data
// folder. For an installed copy the user's folder is made when missing, so
// that the first save finds it. Paths are program text: one the ANSI code
// page cannot hold is kept as it is, and the profile calls refuse it, so a
// save there is reported as failed rather than made under a mangled name.
SettingsFiles SettingsFilesFor(const std::string& programDirectory);

}  // namespace tarvex::platform::win32
