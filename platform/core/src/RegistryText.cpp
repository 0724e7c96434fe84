#include "RegistryText.h"

#include <cstddef>
#include <vector>

#include "platform/Registry.h"

namespace vn_registry {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// "a\\b\" and "\a\b" both become "a\b".
std::string NormalPath(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      if (!out.empty()) out += '\\';
      out.append(path, start, end - start);
    }
    start = end + 1;
  }
  return out;
}

// The text as lines without their "\n"; a trailing "\r" stays in the line
// and is ignored when it is read.
struct Lines {
  std::vector<std::string> lines;
  std::string eol = "\n";

  explicit Lines(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t nl = text.find('\n', start);
      if (nl == std::string::npos) nl = text.size();
      lines.push_back(text.substr(start, nl - start));
      start = nl + 1;
    }
    if (!lines.empty() && !lines.front().empty() && lines.front().back() == '\r') eol = "\r\n";
  }

  std::string Join() const {
    std::string out;
    for (const auto& l : lines) {
      out += l;
      if (l.empty() || l.back() != '\r')
        out += eol;
      else
        out += '\n';
    }
    return out;
  }
};

// The section name of a header line "[name]".
bool HeaderName(const std::string& line, std::string& name) {
  // Most lines are values: no copy is made of them.
  std::size_t b = 0, e = line.size();
  while (b < e && IsBlank(line[b])) ++b;
  while (e > b && IsBlank(line[e - 1])) --e;
  if (e - b < 2 || line[b] != '[') return false;
  std::size_t close = line.rfind(']', e - 1);
  if (close == std::string::npos || close == b) return false;
  name = NormalPath(line.substr(b + 1, close - b - 1));
  return true;
}

bool IsComment(const std::string& trimmed) {
  return trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#';
}

std::string FileValueName(const std::string& name) { return name.empty() ? "@" : name; }

bool ValueLine(const std::string& line, std::string& name, std::string& value) {
  std::string t = Trim(line);
  if (IsComment(t)) return false;
  std::size_t eq = t.find('=');
  if (eq == std::string::npos) return false;
  name = Trim(t.substr(0, eq));
  value = Trim(t.substr(eq + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return true;
}

std::string ValueText(const std::string& value) {
  bool quote =
      !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                         (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
  return quote ? "\"" + value + "\"" : value;
}

// Index of the first header line of `path`; -1 when none.
int FindSection(const Lines& text, const std::string& path) {
  std::string name;
  for (std::size_t i = 0; i < text.lines.size(); ++i)
    if (HeaderName(text.lines[i], name) && SameName(name, path)) return static_cast<int>(i);
  return -1;
}

// One past the last line of the section whose header is at `header`.
std::size_t SectionEnd(const Lines& text, std::size_t header) {
  std::string name;
  std::size_t i = header + 1;
  while (i < text.lines.size() && !HeaderName(text.lines[i], name)) ++i;
  return i;
}

// Adds a header for `path` at the end; returns its index.
std::size_t AppendSection(Lines& text, const std::string& path) {
  if (!text.lines.empty() && !Trim(text.lines.back()).empty()) text.lines.emplace_back();
  text.lines.push_back("[" + path + "]");
  return text.lines.size() - 1;
}

// A key's section header is one line: a line break in its path would end
// it and turn the rest into lines of their own.
bool CannotHead(const std::string& key) {
  return key.empty() || key.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

bool KeyExists(const std::string& text, const std::string& path) {
  const std::string key = NormalPath(path);
  if (key.empty()) return false;
  Lines lines(text);
  std::string name;
  for (const auto& line : lines.lines) {
    if (!HeaderName(line, name)) continue;
    if (SameName(name, key)) return true;
    if (name.size() > key.size() && name[key.size()] == '\\' &&
        SameName(name.substr(0, key.size()), key))
      return true;
  }
  return false;
}

bool CreateKey(std::string& text, const std::string& path) {
  const std::string key = NormalPath(path);
  if (key.empty()) throw ERegistryException("empty key path");
  if (CannotHead(key)) throw ERegistryException("the key path cannot be stored");
  Lines lines(text);
  if (FindSection(lines, key) >= 0) return false;
  AppendSection(lines, key);
  text = lines.Join();
  return true;
}

bool ReadValue(const std::string& text, const std::string& path, const std::string& name,
               std::string& value) {
  Lines lines(text);
  int header = FindSection(lines, NormalPath(path));
  if (header < 0) return false;
  const std::string wanted = FileValueName(name);
  std::string n, v;
  const auto at = static_cast<std::size_t>(header);
  for (std::size_t i = at + 1, end = SectionEnd(lines, at); i < end; ++i) {
    if (ValueLine(lines.lines[i], n, v) && SameName(n, wanted)) {
      value = v;
      return true;
    }
  }
  return false;
}

void WriteValue(std::string& text, const std::string& path, const std::string& name,
                const std::string& value) {
  const std::string key = NormalPath(path);
  const std::string fileName = FileValueName(Trim(name));
  if (CannotHead(key) || name.find_first_of("=\r\n") != std::string::npos || Trim(name) != name ||
      value.find_first_of("\r\n") != std::string::npos || fileName[0] == ';' ||
      fileName[0] == '#' || fileName[0] == '[')
    throw ERegistryException("the name or the text cannot be stored");
  Lines lines(text);
  int found = FindSection(lines, key);
  std::size_t header = found >= 0 ? static_cast<std::size_t>(found) : AppendSection(lines, key);
  const std::string line = fileName + "=" + ValueText(value);
  std::size_t end = SectionEnd(lines, header);
  std::size_t last = header;  // the last line of the section that is not blank
  std::string n, v;
  for (std::size_t i = header + 1; i < end; ++i) {
    if (ValueLine(lines.lines[i], n, v) && SameName(n, fileName)) {
      lines.lines[i] = line;
      text = lines.Join();
      return;
    }
    if (!Trim(lines.lines[i]).empty()) last = i;
  }
  lines.lines.insert(lines.lines.begin() + static_cast<std::ptrdiff_t>(last + 1), line);
  text = lines.Join();
}

}  // namespace vn_registry
