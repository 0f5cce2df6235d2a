#include "platform/posix/registry_file.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/posix/atomic_file.h"
#include "platform/posix/line_text.h"

namespace tarvex::platform::posix {

namespace {

namespace fs = std::filesystem;

// The key of a "[key]" line.
std::optional<std::string_view> KeyOfLine(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
    return std::nullopt;
  }
  return line.substr(1, line.size() - 2);
}

}  // namespace

std::string RegistryFilePath() {
  std::string base;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
      const passwd* user = ::getpwuid(::getuid());
      home = user != nullptr ? user->pw_dir : "";
    }
    base = std::string(home) + "/.config";
  }
  return base + "/tarvex/registry.reg";
}

RegistryFile::LoadResult RegistryFile::Load(const std::string& path) {
  std::error_code error;
  const std::optional<std::string> bytes = ReadFileBytes(path, error);
  lines_ = bytes ? EncodedLines::Parse(*bytes, "\n") : EncodedLines("\n");
  Index();
  if (bytes) {
    return LoadResult::kLoaded;
  }
  return error == std::errc::no_such_file_or_directory ? LoadResult::kMissing : LoadResult::kFailed;
}

bool RegistryFile::HasKey(std::string_view key) const {
  return FindSection(key) != nullptr;
}

std::optional<RegistryValue> RegistryFile::Get(std::string_view key, std::string_view name) const {
  const Entry* entry = FindEntry(key, name);
  return entry != nullptr ? entry->entry.value : std::nullopt;
}

bool RegistryFile::Set(std::string_view key, std::string_view name, const RegistryValue& value) {
  const EncodedLines before = lines_;
  if (Edit(key, name, value)) {
    return true;
  }
  lines_ = before;
  Index();
  return false;
}

bool RegistryFile::Edit(std::string_view key, std::string_view name, const RegistryValue& value) {
  const Entry* entry = FindEntry(key, name);
  // A value already in the file keeps the spelling of its name.
  const std::optional<std::string> line =
      FormatRegistryEntry(entry != nullptr ? std::string_view(entry->entry.name) : name, value);
  if (!line || HasLineBreakOrNul(key)) {
    return false;
  }
  bool written = false;
  if (entry != nullptr) {
    const std::size_t first = entry->first;
    const std::size_t end = entry->end;
    written = lines_.Replace(first, *line);
    if (written) {
      lines_.Erase(first + 1, end);
    }
  } else if (const Section* section = FindSection(key)) {
    std::size_t after = section->header + 1;
    for (const Entry& other : entries_) {
      if (&sections_[other.section] == section) {
        after = other.end;
      }
    }
    written = lines_.Insert(after, *line);
  } else {
    written = AddSection(key, *line);
  }
  Index();
  // A line after a value that ends in a dangling continuation would be read
  // as part of it: such an edit is refused, not saved as another value.
  const Entry* back = FindEntry(key, name);
  return written && lines_.ReadsBack() && back != nullptr && back->entry.value &&
         FormatRegistryEntry(back->entry.name, *back->entry.value) == line;
}

bool RegistryFile::Save(const std::string& path) const {
  const fs::path directory = fs::path(path).parent_path();
  std::error_code error;
  if (!directory.empty() && !fs::exists(directory, error)) {
    if (!fs::create_directories(directory, error)) {
      return false;
    }
    fs::permissions(directory, fs::perms::owner_all, error);
  }
  return ReplaceFileAtomically(path, lines_.Bytes(), 0600);
}

void RegistryFile::Index() {
  sections_.clear();
  entries_.clear();
  const std::vector<EncodedLine>& lines = lines_.lines();
  std::size_t i = 0;
  while (i < lines.size()) {
    if (const std::optional<std::string_view> key = KeyOfLine(lines[i].text)) {
      if (!sections_.empty()) {
        sections_.back().end = i;
      }
      sections_.push_back({std::string(*key), i, lines.size()});
      ++i;
      continue;
    }
    std::string joined = lines[i].text;
    std::size_t end = i + 1;
    while (ContinuesOnNextLine(joined) && end < lines.size()) {
      joined.resize(TrimRight(joined).size() - 1);
      joined += lines[end++].text;
    }
    std::optional<RegistryEntry> entry = ParseRegistryEntry(joined);
    if (entry && !sections_.empty()) {
      entries_.push_back({sections_.size() - 1, i, end, std::move(*entry)});
    }
    i = end;
  }
}

const RegistryFile::Entry* RegistryFile::FindEntry(std::string_view key,
                                                   std::string_view name) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
    return EqualsIgnoringCase(sections_[entry.section].key, key) &&
           EqualsIgnoringCase(entry.entry.name, name);
  });
  return found != entries_.end() ? &*found : nullptr;
}

const RegistryFile::Section* RegistryFile::FindSection(std::string_view key) const {
  const auto found = std::find_if(sections_.begin(), sections_.end(), [&](const Section& section) {
    return EqualsIgnoringCase(section.key, key);
  });
  return found != sections_.end() ? &*found : nullptr;
}

bool RegistryFile::AddSection(std::string_view key, const std::string& line) {
  if (lines_.size() == 0 && !lines_.Insert(0, "REGEDIT4")) {
    return false;
  }
  if (!Trim(lines_.lines().back().text).empty() && !lines_.Insert(lines_.size(), "")) {
    return false;
  }
  return lines_.Insert(lines_.size(), "[" + std::string(key) + "]") &&
         lines_.Insert(lines_.size(), line);
}

}  // namespace tarvex::platform::posix
