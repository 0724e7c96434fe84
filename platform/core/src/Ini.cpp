// Reading values of INI files the way the Windows profile functions do.
#include <sys/stat.h>

#include <cstring>
#include <exception>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "platform/IniSnapshot.h"
#include "platform/WinApi.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// Names and values are views into the text they were parsed from.
struct Entry {
  std::string_view key;
  std::optional<std::string_view> value;  // none for a line without "="
};

struct Section {
  std::string_view name;
  std::vector<Entry> entries;
};

// Lines end at LF, CR LF, CR or a zero byte. Blank lines and lines starting
// with ";" are skipped; "[name]" opens a section (a missing "]" ends the name
// at the line end); "key = value" lines before the first section belong to
// none.
std::vector<Section> Parse(std::string_view text) {
  std::vector<Section> sections;
  std::size_t p = 0;
  // A UTF-8 byte-order mark is not part of the first line.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") p = 3;
  while (p < text.size()) {
    std::size_t end = text.find_first_of(std::string_view("\r\n\0", 3), p);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = TrimBlanks(text.substr(p, end - p));
    p = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      line.remove_prefix(1);
      std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) line = line.substr(0, close);
      sections.push_back(Section{TrimBlanks(line), {}});
      continue;
    }
    if (sections.empty()) continue;
    Entry e;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      e.key = line;
    } else {
      e.key = TrimBlanks(line.substr(0, eq));
      e.value = TrimBlanks(line.substr(eq + 1));
    }
    sections.back().entries.push_back(std::move(e));
  }
  return sections;
}

// False when the name is no readable regular file.
bool ReadWholeFile(const char* fileName, std::string& out) {
  if (!fileName || !*fileName) return false;
  const std::string path = ToSystemPath(fileName).str();
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.clear();
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
      out.append(chunk, static_cast<std::size_t>(in.gcount()));
    return !in.bad();
  } catch (const std::exception&) {
    out.clear();
    return false;
  }
}

// A value wholly inside a pair of matching quotes loses them.
std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

// Copies at most size - 1 characters and terminates; returns the count.
DWORD CopyOut(std::string_view s, LPSTR buffer, DWORD size) {
  std::size_t n = s.size() < size - 1 ? s.size() : size - 1;
  if (n > 0) std::memcpy(buffer, s.data(), n);
  buffer[n] = '\0';
  return static_cast<DWORD>(n);
}

// Copies names each followed by a zero and one more zero at the end. When
// they do not fit, the last one is cut and two zeros end the buffer; the
// result is then size - 2.
DWORD CopyList(const std::vector<std::string_view>& names, LPSTR buffer, DWORD size) {
  std::string all;
  for (std::string_view n : names) {
    all.append(n);
    all.push_back('\0');
  }
  if (all.size() + 1 <= size) {
    std::memcpy(buffer, all.data(), all.size());
    buffer[all.size()] = '\0';
    if (all.empty() && size >= 2) buffer[1] = '\0';
    return static_cast<DWORD>(all.size());
  }
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  std::memcpy(buffer, all.data(), size - 2);
  buffer[size - 2] = '\0';
  buffer[size - 1] = '\0';
  return size - 2;
}

}  // namespace

struct TIniSnapshot::Sections {
  std::string text;
  std::vector<Section> list;  // views into text
};

TIniSnapshot::TIniSnapshot(LPCSTR fileName) {
  auto parsed = std::make_unique<Sections>();
  if (ReadWholeFile(fileName, parsed->text)) parsed->list = Parse(parsed->text);
  sections_ = std::move(parsed);
}

TIniSnapshot::~TIniSnapshot() = default;

DWORD TIniSnapshot::GetString(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer,
                              DWORD size) const {
  if (!buffer || size == 0) return 0;
  const std::vector<Section>& sections = sections_->list;

  if (!section) {
    std::vector<std::string_view> names;
    for (const Section& s : sections) names.emplace_back(s.name);
    return CopyList(names, buffer, size);
  }

  const std::string_view wantedSection = TrimBlanks(section);
  const Section* found = nullptr;
  for (const Section& s : sections) {
    if (SameName(s.name, wantedSection)) {
      found = &s;
      break;
    }
  }

  if (!key) {
    std::vector<std::string_view> names;
    if (found)
      for (const Entry& e : found->entries) names.emplace_back(e.key);
    return CopyList(names, buffer, size);
  }

  if (found) {
    const std::string_view wantedKey = TrimBlanks(key);
    for (const Entry& e : found->entries) {
      if (!SameName(e.key, wantedKey)) continue;
      if (!e.value) break;  // a bare name has no value: the default applies
      return CopyOut(Unquote(*e.value), buffer, size);
    }
  }

  std::string_view d = def ? std::string_view(def) : std::string_view();
  while (!d.empty() && (d.back() == ' ' || d.back() == '\t')) d.remove_suffix(1);
  return CopyOut(d, buffer, size);
}

// Like the system call, every question reads the file afresh.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size,
                               LPCSTR fileName) {
  if (!buffer || size == 0) return 0;
  return TIniSnapshot(fileName).GetString(section, key, def, buffer, size);
}
