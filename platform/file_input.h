#pragma once
// Sequential file input: the whole content of a file opened for reading.

#include <string>

namespace tarvex::platform {

// The file's bytes. Raises a run-time error naming the file when it cannot
// be read: 53 missing file, 76 missing directory, 52 invalid name,
// 70 permission denied, 75 a directory or other non-file.
std::string ReadFileForInput(const std::string& path);

}  // namespace tarvex::platform
