#pragma once
// The registry stand-in on Linux: a REGEDIT4 text file of keys and typed
// values. Reading finds values; writing changes one value and keeps every
// other line of the file as it was.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/encoded_lines.h"
#include "platform/posix/registry_value.h"

namespace tarvex::platform::posix {

// The key holding the desktop's screen-saver settings.
inline constexpr std::string_view kDesktopKey = "HKEY_CURRENT_USER\\Control Panel\\desktop";

// ${XDG_CONFIG_HOME:-$HOME/.config}/tarvex/registry.reg, from the environment
// as it is at the call.
std::string RegistryFilePath();

class RegistryFile {
 public:
  enum class LoadResult { kLoaded, kMissing, kFailed };

  // Reads the file. A missing or unreadable file leaves an empty registry.
  LoadResult Load(const std::string& path);

  // Key paths (e.g. kDesktopKey) and value names match without regard to
  // ASCII letter case; the first matching value in the file wins.
  bool HasKey(std::string_view key) const;
  std::optional<RegistryValue> Get(std::string_view key, std::string_view name) const;

  // Sets one value, adding the key when it is missing. False when the value
  // cannot be written into the file (a line break in a text, a character
  // the file's encoding lacks, bytes that would make it read in another
  // encoding, a line that a value before it would swallow as its
  // continuation); the registry is then left as it was and must not be saved.
  bool Set(std::string_view key, std::string_view name, const RegistryValue& value);

  // Replaces the file atomically, readable by its owner only (mode 0600),
  // creating its directory (mode 0700) when missing.
  bool Save(const std::string& path) const;

 private:
  struct Section {
    std::string key;
    std::size_t header;  // the "[key]" line
    std::size_t end;     // the next key's header, or the end of the file
  };
  struct Entry {
    std::size_t section;
    std::size_t first;  // the value's first line
    std::size_t end;    // the line after its last continuation line
    RegistryEntry entry;
  };

  // Set's change, true when it reads back as the value set.
  bool Edit(std::string_view key, std::string_view name, const RegistryValue& value);
  void Index();
  const Entry* FindEntry(std::string_view key, std::string_view name) const;
  const Section* FindSection(std::string_view key) const;
  bool AddSection(std::string_view key, const std::string& line);

  EncodedLines lines_{"\n"};
  std::vector<Section> sections_;
  std::vector<Entry> entries_;
};

}  // namespace tarvex::platform::posix
