#include "CatalogueJson.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "support/TestSupport.h"

namespace cattest {
namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  Json Document() {
    Json value = Value();
    Blanks();
    if (i_ != s_.size()) Fail("text after the value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string("JSON: ") + what + " at offset " + std::to_string(i_));
  }
  void Blanks() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t'))
      ++i_;
  }
  bool Take(char c) {
    Blanks();
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail("unexpected character");
  }
  bool Word(const char* w) {
    const std::string word(w);
    if (s_.compare(i_, word.size(), word) != 0) return false;
    i_ += word.size();
    return true;
  }

  Json Value() {
    Blanks();
    if (i_ >= s_.size()) Fail("unexpected end");
    const char c = s_[i_];
    if (c == '{') return Object();
    if (c == '[') return Array();
    if (c == '"') return Json{String()};
    if (Word("null")) return Json{nullptr};
    if (Word("true")) return Json{true};
    if (Word("false")) return Json{false};
    return Number();
  }

  Json Object() {
    auto obj = std::make_shared<Json::Object>();
    Expect('{');
    if (!Take('}')) {
      do {
        Blanks();
        std::string key = String();
        Expect(':');
        (*obj)[key] = Value();
      } while (Take(','));
      Expect('}');
    }
    return Json{obj};
  }

  Json Array() {
    auto arr = std::make_shared<Json::Array>();
    Expect('[');
    if (!Take(']')) {
      do arr->push_back(Value());
      while (Take(','));
      Expect(']');
    }
    return Json{arr};
  }

  Json Number() {
    std::size_t start = i_;
    if (i_ < s_.size() && s_[i_] == '-') ++i_;
    while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
    if (i_ == start || (i_ < s_.size() && (s_[i_] == '.' || s_[i_] == 'e' || s_[i_] == 'E')))
      Fail("not an integer");
    return Json{std::stoll(s_.substr(start, i_ - start))};
  }

  void Utf8(unsigned cp, std::string& out) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  unsigned Hex4() {
    if (i_ + 4 > s_.size()) Fail("short \\u escape");
    unsigned v = 0;
    for (int k = 0; k < 4; ++k) {
      const char h = s_[i_++];
      v <<= 4;
      if (h >= '0' && h <= '9')
        v |= static_cast<unsigned>(h - '0');
      else if (h >= 'a' && h <= 'f')
        v |= static_cast<unsigned>(h - 'a' + 10);
      else if (h >= 'A' && h <= 'F')
        v |= static_cast<unsigned>(h - 'A' + 10);
      else
        Fail("bad \\u escape");
    }
    return v;
  }

  std::string String() {
    if (i_ >= s_.size() || s_[i_] != '"') Fail("string expected");
    ++i_;
    std::string out;
    while (true) {
      if (i_ >= s_.size()) Fail("unterminated string");
      const char c = s_[i_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (i_ >= s_.size()) Fail("unterminated escape");
      const char e = s_[i_++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          unsigned cp = Hex4();
          if (cp >= 0xD800 && cp < 0xDC00 && Word("\\u")) {
            const unsigned low = Hex4();
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          }
          Utf8(cp, out);
          break;
        }
        default:
          Fail("bad escape");
      }
    }
  }

  const std::string& s_;
  std::size_t i_ = 0;
};

}  // namespace

Json ParseJson(const std::string& text) { return Parser(text).Document(); }

std::string SharedFilePath(const std::string& relative) {
  // Each file in the folder of what uses it.
  static const std::map<std::string, std::string> kInSource = {
      {"catalogue/mib-catalogue.json", "catalogue/mib-catalogue.json"},
      {"menu/menu-tree.json", "tests/app/mainwin/menu-tree.json"},
  };
  const auto it = kInSource.find(relative);
  if (it == kInSource.end()) return std::string();
  const std::filesystem::path path = std::filesystem::path(vntest::SourceDir()) / it->second;
  return std::filesystem::is_regular_file(path) ? path.string() : std::string();
}

std::string CatalogueDataPath() {
  if (const char* env = std::getenv("VN_CATALOGUE_DATA")) return env;
  return SharedFilePath("catalogue/mib-catalogue.json");
}

const Json* CatalogueData() {
  static const std::unique_ptr<Json> data = [] {
    const std::string path = CatalogueDataPath();
    if (path.empty() || !std::filesystem::is_regular_file(path)) return std::unique_ptr<Json>();
    return std::make_unique<Json>(ParseJson(vntest::ReadFile(path)));
  }();
  return data.get();
}

}  // namespace cattest
