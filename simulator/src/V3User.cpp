#include "simulator/src/V3User.h"

namespace sim {

bool ParseV3UserOption(const std::string& text, V3UserOption& out, std::string& error) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  while (true) {
    std::size_t colon = text.find(':', pos);
    parts.push_back(text.substr(pos, colon == std::string::npos ? std::string::npos : colon - pos));
    if (colon == std::string::npos) break;
    pos = colon + 1;
  }
  out = V3UserOption();
  error =
      "bad user \"" + text +
      "\" (name:noAuthNoPriv, name:authNoPriv:MD5|SHA:pass, name:authPriv:MD5|SHA:pass:DES:pass)";
  if (parts.size() < 2 || parts[0].empty()) return false;
  out.name = parts[0];
  const std::string& level = parts[1];
  if (level == "noAuthNoPriv" && parts.size() == 2) {
    out.level = V3UserOption::NoAuthNoPriv;
  } else if (level == "authNoPriv" && parts.size() == 4) {
    out.level = V3UserOption::AuthNoPriv;
  } else if (level == "authPriv" && parts.size() == 6) {
    out.level = V3UserOption::AuthPriv;
  } else {
    return false;
  }
  if (out.level >= V3UserOption::AuthNoPriv) {
    out.authProtocol = parts[2];
    out.authPass = parts[3];
    if (out.authProtocol != "MD5" && out.authProtocol != "SHA") return false;
    if (out.authPass.size() < 8) {
      error = "pass phrases need 8 characters or more: \"" + text + "\"";
      return false;
    }
  }
  if (out.level == V3UserOption::AuthPriv) {
    out.privProtocol = parts[4];
    out.privPass = parts[5];
    if (out.privProtocol != "DES") return false;
    if (out.privPass.size() < 8) {
      error = "pass phrases need 8 characters or more: \"" + text + "\"";
      return false;
    }
  }
  error.clear();
  return true;
}

std::string V3UserOptionText(const V3UserOption& u) {
  switch (u.level) {
    case V3UserOption::NoAuthNoPriv:
      return u.name + ":noAuthNoPriv";
    case V3UserOption::AuthNoPriv:
      return u.name + ":authNoPriv:" + u.authProtocol + ":" + u.authPass;
    case V3UserOption::AuthPriv:
      return u.name + ":authPriv:" + u.authProtocol + ":" + u.authPass + ":" + u.privProtocol +
             ":" + u.privPass;
  }
  return u.name;
}

std::vector<V3UserOption> DefaultUsers() {
  std::vector<V3UserOption> users;
  for (const char* spec :
       {"plain:noAuthNoPriv", "md5user:authNoPriv:MD5:md5password",
        "shauser:authNoPriv:SHA:shapassword", "md5des:authPriv:MD5:md5password:DES:despassword",
        "shades:authPriv:SHA:shapassword:DES:despassword"}) {
    V3UserOption u;
    std::string error;
    ParseV3UserOption(spec, u, error);
    users.push_back(u);
  }
  return users;
}

}  // namespace sim
