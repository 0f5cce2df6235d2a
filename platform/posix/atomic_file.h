#pragma once
// Whole-file reads, and replacing a file so that it holds either its old or
// its new bytes, never a mix, even after a crash or a full disk.

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tarvex::platform::posix {

// The file's bytes; nothing, with the reason in `error`, when it cannot be
// read (std::errc::no_such_file_or_directory for a missing file).
std::optional<std::string> ReadFileBytes(const std::string& path, std::error_code& error);

// Writes `bytes` to a temporary file in the same directory, flushes it to the
// disk and renames it over `path` (through a symbolic link, its target).
// An existing file keeps its permission bits unless `mode` is given; a new
// one gets `mode`, or 0666 less the umask. A file without any write
// permission bit, or that this process may not write, is refused. On any
// failure the temporary file is removed, the old file is left untouched and
// the result is false.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           std::optional<mode_t> mode = std::nullopt);

}  // namespace tarvex::platform::posix
