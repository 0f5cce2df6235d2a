#pragma once
// The process services of the Linux program: the single-instance lock, the
// program directory, the command line and the existence test for files.

#include <string>

namespace tarvex::platform::posix {

// Takes the per-user instance lock (an flock on a file in $XDG_RUNTIME_DIR,
// or in the temporary directory) for the rest of the process. False when
// another process holds it.
bool ClaimSingleInstance();

// The directory of /proc/self/exe.
std::string ProgramDirectory();

// The arguments after the program name, joined by single spaces.
std::string CommandLineText(int argc, char** argv);

// A regular file (symbolic links followed) whose name does not start with a
// dot (hidden); false for anything else and for names that cannot be tested.
bool NormalFileExists(const std::string& path);

}  // namespace tarvex::platform::posix
