#pragma once
// The process services of the Windows program: the single-instance mutex, the
// program directory, the command line and the existence test for files. All
// texts are program text (UTF-8), converted from the ANSI forms of the calls.

#include <string>
#include <string_view>

namespace tarvex::platform::win32 {

// The mutex that marks a running instance, in the user's session.
inline constexpr const char* kInstanceMutexName = "Local\\tarvex-screen-saver-instance";

// Creates the named mutex and keeps it for the rest of the process. False
// when it existed already (another instance holds it); true also when no
// mutex can be made, so that a failing system never stops the program.
bool ClaimInstance(const char* mutexName);

// ClaimInstance(kInstanceMutexName), made once per process: later calls give
// the first call's answer.
bool ClaimSingleInstance();

// The directory of the program file (GetModuleFileNameA), without a
// trailing backslash unless it is a drive root ("C:\").
std::string ProgramDirectory();

// The directory part of a module's full path, by the same rule.
std::string DirectoryOfModule(std::string_view modulePath);

// Everything after the program name in the command line the system gave
// (GetCommandLineA), as one text.
std::string CommandLineText();

// The part of `commandLine` after the program name and the blanks that
// follow it. The program name ends at the first blank outside double quotes,
// as the C runtime reads it.
std::string_view ArgumentsOf(std::string_view commandLine);

// A normal file: it exists and is neither a directory nor hidden nor a
// system file; false for names the code page or the file system rejects.
bool NormalFileExists(const std::string& path);

}  // namespace tarvex::platform::win32
