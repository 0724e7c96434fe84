#include "support/Snmpd.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace vntest {

namespace {

std::string UserLine(const SnmpdUser& u) {
  std::ostringstream line;
  line << "createUser " << u.name;
  auto key = [](const std::string& k) {
    return k.rfind("-m ", 0) == 0 || k.rfind("-l ", 0) == 0 ? k : "\"" + k + "\"";
  };
  if (!u.auth.empty()) {
    line << " " << u.auth << " " << key(u.auth_key);
    if (!u.priv.empty()) line << " " << u.priv << " " << key(u.priv_key);
  }
  return line.str();
}

std::string AccessLine(const SnmpdUser& u) {
  std::string level = u.auth.empty() ? "noauth" : u.priv.empty() ? "auth" : "priv";
  return std::string(u.read_write ? "rwuser " : "rouser ") + u.name + " " + level;
}

// A version 1 GET of sysUpTime.0, encoded by hand: enough to see whether the
// agent answers.
std::string ProbePacket(const std::string& community) {
  auto tlv = [](char tag, const std::string& content) {
    std::string out(1, tag);
    out.push_back(static_cast<char>(content.size()));
    out.append(content);
    return out;
  };
  const std::string zero("\x02\x01\x00", 3);
  std::string binding = tlv('\x06', std::string("\x2b\x06\x01\x02\x01\x01\x03\x00", 8));
  binding.append("\x05\x00", 2);
  std::string pdu("\x02\x01\x01", 3);  // request id 1
  pdu.append(zero).append(zero).append(tlv('\x30', tlv('\x30', binding)));
  std::string message = zero;
  message.append(tlv('\x04', community)).append(tlv('\xa0', pdu));
  return tlv('\x30', message);
}

}  // namespace

Snmpd::Snmpd(const SnmpdOptions& options) : read_community_(options.read_community) {
  // A port found free may be taken before the agent binds it: try again.
  for (int attempt = 0; attempt < (options.port ? 1 : 3); ++attempt) {
    if (StartOnce(options)) return;
  }
  std::string log = Log();
  Stop();
  throw std::runtime_error("snmpd did not start:\n" + log);
}

Snmpd::~Snmpd() { Stop(); }

std::vector<std::string> Snmpd::ToolEnvironment() const {
  return {"MIBS=", "MIBDIRS=", "SNMPCONFPATH=" + dir_.File("toolconf"),
          "SNMP_PERSISTENT_DIR=" + dir_.File("toolpersist")};
}

bool Snmpd::StartOnce(const SnmpdOptions& options) {
  Stop();
  port_ = options.port ? options.port : FreeUdpPort();
  std::ostringstream conf;
  std::string view;
  if (!options.view.empty()) {
    for (const std::string& subtree : options.view)
      conf << "view vntest included " << subtree << "\n";
    view = " -V vntest";
  }
  if (!options.read_community.empty()) {
    conf << "rocommunity " << options.read_community << " 127.0.0.1" << view << "\n";
  }
  if (!options.write_community.empty()) {
    conf << "rwcommunity " << options.write_community << " 127.0.0.1" << view << "\n";
  }
  for (const SnmpdUser& u : options.users) {
    conf << UserLine(u) << "\n" << AccessLine(u) << view << "\n";
  }
  conf << options.extra_config << "\n";
  dir_.Write("snmpd.conf", conf.str());
  mkdir(dir_.File("persist").c_str(), 0700);
  mkdir(dir_.File("toolconf").c_str(), 0700);
  mkdir(dir_.File("toolpersist").c_str(), 0700);

  std::vector<std::string> args = {"/usr/sbin/snmpd",
                                   "-f",
                                   "-Lo",
                                   "-C",
                                   "-c",
                                   ConfigPath(),
                                   "-I",
                                   "-smux",
                                   "-p",
                                   dir_.File("snmpd.pid"),
                                   "udp:127.0.0.1:" + std::to_string(port_)};
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    if (entry.rfind("MIBS=", 0) == 0 || entry.rfind("MIBDIRS=", 0) == 0 ||
        entry.rfind("SNMP_PERSISTENT_DIR=", 0) == 0 || entry.rfind("SNMPCONFPATH=", 0) == 0) {
      continue;
    }
    env.push_back(entry);
  }
  env.push_back("MIBS=");
  env.push_back("SNMP_PERSISTENT_DIR=" + dir_.File("persist"));
  env.push_back("SNMPCONFPATH=" + dir_.File("toolconf"));
  std::vector<char*> argv, envp;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  // fork and exec rather than posix_spawn: the agent must die with the test
  // process even when that is killed (a test timeout), so the child asks
  // for a signal on its parent's death before it execs.
  std::string log = dir_.File("snmpd.log");
  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("cannot fork: " + std::string(strerror(errno)));
  if (pid == 0) {
    // Only async-signal-safe calls from here on.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (out < 0 || in < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0 || dup2(in, 0) < 0) _exit(127);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  pid_ = pid;

  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;  // exited: most likely the port was taken meanwhile
      return false;
    }
    if (Answers(100)) return true;
  }
  return false;
}

bool Snmpd::Answers(int timeout_ms) const {
  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<uint16_t>(port_));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string packet = ProbePacket(read_community_.empty() ? "public" : read_community_);
  sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  pollfd p{fd, POLLIN, 0};
  bool ok = poll(&p, 1, timeout_ms) > 0 && (p.revents & POLLIN);
  if (ok) {
    char buf[1500];
    ok = recv(fd, buf, sizeof buf, 0) > 0;
  }
  close(fd);
  if (!ok && read_community_.empty()) {
    // Without a community the agent stays silent; give it a moment instead.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    return true;
  }
  return ok;
}

void Snmpd::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  pid_ = -1;
}

}  // namespace vntest
