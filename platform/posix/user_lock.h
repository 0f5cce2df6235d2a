#pragma once
// Per-user locks that last as long as the process: an flock on
// $XDG_RUNTIME_DIR/<stem>.lock, or on <temp>/<stem>-<uid>.lock without one.

#include <string>

namespace tarvex::platform::posix {

// Takes the lock for the rest of the process. False when another process
// holds it; true also when the lock file cannot be opened, so a missing
// runtime directory never silences or stops the saver.
bool ClaimUserLock(const std::string& stem);

}  // namespace tarvex::platform::posix
