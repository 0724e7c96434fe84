#include "simulator/src/Options.h"

#include <arpa/inet.h>

#include <cstdlib>

namespace sim {

namespace {

bool ParseInt(const std::string& s, int lo, int hi, int& out) {
  if (s.empty() || s.size() > 10) return false;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  if (*end != '\0' || v < lo || v > hi) return false;
  out = static_cast<int>(v);
  return true;
}

}  // namespace

const char* Usage() {
  return "usage: kxr-simulator [options]\n"
         "  --address ADDR         loopback address to serve on (default 127.0.0.1)\n"
         "  --port N               UDP port; 0 or absent picks a free one\n"
         "  --port-file FILE       write the port there once listening\n"
         "  --state-dir DIR        private folder for the SNMP library (default: a temporary one)\n"
         "  --fixture FILE         device fixture; repeat to add more (default: the built-in one)\n"
         "  --read-community S     v1/v2c read community (default qovalt)\n"
         "  --write-community S    v1/v2c write community (default mundrel)\n"
         "  --user SPEC            v3 user, repeatable, replaces the default users:\n"
         "                         name:noAuthNoPriv | name:authNoPriv:MD5|SHA:pass |\n"
         "                         name:authPriv:MD5|SHA:pass:DES:pass\n"
         "  --engine-id HEX        SNMPv3 engine id (default 800000ab03024b58358100)\n"
         "  --context NAME         the named context besides the default one (default kxr5810)\n"
         "  --big-table ROWSxCOLS  add a generated table under 1.3.6.1.3.1717.1\n"
         "  --log FILE             append the request log to FILE\n"
         "  --turnaround FILE      at exit, write when each datagram arrived and each reply left\n"
         "  --control PATH         control channel on a UNIX socket at PATH\n"
         "  --control-stdin        control channel on standard input and output\n"
         "  --help                 this text\n";
}

bool IsLoopback(const std::string& address) {
  in_addr addr{};
  if (inet_pton(AF_INET, address.c_str(), &addr) != 1) return false;
  return (ntohl(addr.s_addr) >> 24) == 127;
}

bool ParseOptions(const std::vector<std::string>& args, Options& out, std::string& error) {
  out = Options();
  bool usersGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        error = a + " needs a value";
        return false;
      }
      into = args[++i];
      return true;
    };
    std::string v;
    if (a == "--help" || a == "-h") {
      out.help = true;
    } else if (a == "--control-stdin") {
      out.controlStdin = true;
    } else if (!value(v)) {
      if (a.rfind("--", 0) != 0)
        error = "unexpected argument \"" + a + "\"";
      else if (a != "--address" && a != "--port" && a != "--port-file" && a != "--state-dir" &&
               a != "--fixture" && a != "--read-community" && a != "--write-community" &&
               a != "--user" && a != "--engine-id" && a != "--context" && a != "--big-table" &&
               a != "--log" && a != "--turnaround" && a != "--control") {
        error = "unknown option \"" + a + "\"";
      }
      return false;
    } else if (a == "--address") {
      if (!IsLoopback(v)) {
        error = "--address must be an IPv4 loopback address, not \"" + v + "\"";
        return false;
      }
      out.agent.address = v;
    } else if (a == "--port") {
      if (!ParseInt(v, 0, 65535, out.agent.port)) {
        error = "bad port \"" + v + "\"";
        return false;
      }
    } else if (a == "--port-file") {
      out.portFile = v;
    } else if (a == "--state-dir") {
      out.agent.stateDir = v;
    } else if (a == "--fixture") {
      out.fixtures.push_back(v);
    } else if (a == "--read-community") {
      out.agent.readCommunity = v;
    } else if (a == "--write-community") {
      out.agent.writeCommunity = v;
    } else if (a == "--user") {
      V3UserOption user;
      if (!ParseV3UserOption(v, user, error)) return false;
      if (!usersGiven) out.agent.users.clear();
      usersGiven = true;
      out.agent.users.push_back(user);
    } else if (a == "--engine-id") {
      out.agent.engineId = v;
    } else if (a == "--context") {
      if (v.empty()) {
        error = "--context needs a name";
        return false;
      }
      out.agent.context = v;
    } else if (a == "--big-table") {
      const std::size_t x = v.find('x');
      if (x == std::string::npos || !ParseInt(v.substr(0, x), 1, 1000000, out.bigRows) ||
          !ParseInt(v.substr(x + 1), 1, 1000, out.bigColumns)) {
        error = "bad --big-table \"" + v + "\" (ROWSxCOLS, as 1000x5)";
        return false;
      }
    } else if (a == "--log") {
      out.logFile = v;
    } else if (a == "--turnaround") {
      out.turnaroundFile = v;
    } else if (a == "--control") {
      out.controlSocket = v;
    } else {
      error = "unknown option \"" + a + "\"";
      return false;
    }
  }
  if (!usersGiven) out.agent.users = DefaultUsers();
  return true;
}

}  // namespace sim
