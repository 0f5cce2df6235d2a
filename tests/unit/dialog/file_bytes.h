#pragma once
// Whole files as bytes, for comparing settings files exactly.

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace tarvex::testing {

// The file's bytes, or nothing when it cannot be read.
inline std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace tarvex::testing
