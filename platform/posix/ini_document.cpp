#include "platform/posix/ini_document.h"

#include <string>

#include "platform/posix/line_text.h"

namespace tarvex::platform::posix {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return EqualsIgnoringCase(Trim(a), Trim(b));
}

// The name of a "[section]" line; a line without the closing bracket names
// everything after the opening one.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimLeft(line);
  if (!line.starts_with('[')) {
    return std::nullopt;
  }
  line.remove_prefix(1);
  return line.substr(0, line.find(']'));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  line = TrimLeft(line);
  if (line.empty() || line.front() == ';' || line.front() == '[') {
    return std::nullopt;
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    return std::nullopt;
  }
  return KeyLine{line.substr(0, equals), Trim(line.substr(equals + 1))};
}

bool IsQuotePair(std::string_view value) {
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
         value.front() == value.back();
}

std::string_view Unquote(std::string_view value) {
  return IsQuotePair(value) ? value.substr(1, value.size() - 2) : value;
}

// Quotes a value whose edges reading would otherwise drop.
std::string Stored(std::string_view value) {
  if (Trim(value).size() == value.size() && !IsQuotePair(value)) {
    return std::string(value);
  }
  return "\"" + std::string(value) + "\"";
}

}  // namespace

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const std::optional<SectionLines> lines = FindSection(section);
  if (!lines) {
    return std::nullopt;
  }
  const std::optional<std::size_t> line = FindKey(*lines, key);
  if (!line) {
    return std::nullopt;
  }
  return std::string(Unquote(ParseKeyLine(lines_.lines()[*line].text)->value));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  return Store(section, key, value) && lines_.ReadsBack();
}

bool IniDocument::Store(std::string_view section, std::string_view key, std::string_view value) {
  const std::string stored = Stored(value);
  const std::optional<SectionLines> lines = FindSection(section);
  if (!lines) {
    return lines_.Insert(lines_.size(), "[" + std::string(section) + "]") &&
           lines_.Insert(lines_.size(), std::string(key) + "=" + stored);
  }
  if (const std::optional<std::size_t> line = FindKey(*lines, key)) {
    return lines_.ReplaceAfter(*line, '=', stored);
  }
  return lines_.Insert(AppendPosition(*lines), std::string(key) + "=" + stored);
}

// After the section's last key; in a section without keys, after its last
// line that is not blank. Blank lines stay where they separate sections.
std::size_t IniDocument::AppendPosition(SectionLines lines) const {
  std::size_t last_key = 0;
  std::size_t last_text = lines.header;
  for (std::size_t i = lines.header + 1; i < lines.end; ++i) {
    const std::string_view text = lines_.lines()[i].text;
    if (ParseKeyLine(text)) {
      last_key = i;
    }
    if (!Trim(text).empty()) {
      last_text = i;
    }
  }
  return (last_key != 0 ? last_key : last_text) + 1;
}

std::optional<IniDocument::SectionLines> IniDocument::FindSection(std::string_view section) const {
  const auto& lines = lines_.lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::optional<std::string_view> name = SectionName(lines[i].text);
    if (!name || !SameName(*name, section)) {
      continue;
    }
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end].text)) {
      ++end;
    }
    return SectionLines{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(SectionLines lines, std::string_view key) const {
  for (std::size_t i = lines.header + 1; i < lines.end; ++i) {
    const std::optional<KeyLine> parsed = ParseKeyLine(lines_.lines()[i].text);
    if (parsed && SameName(parsed->key, key)) {
      return i;
    }
  }
  return std::nullopt;
}

bool IsValidSectionName(std::string_view name) {
  return !Trim(name).empty() && !HasLineBreakOrNul(name) &&
         name.find(']') == std::string_view::npos;
}

bool IsValidKeyName(std::string_view name) {
  const std::string_view trimmed = Trim(name);
  return !trimmed.empty() && !HasLineBreakOrNul(name) && name.find('=') == std::string_view::npos &&
         trimmed.front() != '[' && trimmed.front() != ';';
}

}  // namespace tarvex::platform::posix
