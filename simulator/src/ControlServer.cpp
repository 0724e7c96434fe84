#include "simulator/src/ControlServer.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sim {

namespace {

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the client went away; its read end reports that
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace

ControlServer::ControlServer(Agent& agent, ControlChannel& channel)
    : agent_(agent), channel_(channel) {}

ControlServer::~ControlServer() { Close(); }

bool ControlServer::Listen(const std::string& path, std::string& error) {
  sockaddr_un addr{};
  if (path.size() >= sizeof addr.sun_path) {
    error = "control socket path too long: " + path;
    return false;
  }
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) {
    if (!S_ISSOCK(st.st_mode)) {
      error = path + " exists and is not a socket";
      return false;
    }
    ::unlink(path.c_str());
  }
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return false;
  }
  addr.sun_family = AF_UNIX;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0) {
    error = "cannot listen on " + path + ": " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  listenFd_ = fd;
  path_ = path;
  agent_.Watch(fd, [this] { Accept(); });
  return true;
}

void ControlServer::UseStdin() {
  clients_[0] = Client{0, 1, {}};
  agent_.Watch(0, [this] { Read(0); });
}

void ControlServer::Accept() {
  int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return;
  clients_[fd] = Client{fd, fd, {}};
  agent_.Watch(fd, [this, fd] { Read(fd); });
}

void ControlServer::Read(int fd) {
  auto it = clients_.find(fd);
  if (it == clients_.end()) return;
  char buf[4096];
  ssize_t n = ::read(fd, buf, sizeof buf);
  if (n < 0 && errno == EINTR) return;
  if (n <= 0) {
    Drop(fd);
    return;
  }
  it->second.buffer.append(buf, static_cast<std::size_t>(n));
  std::size_t nl;
  while ((nl = it->second.buffer.find('\n')) != std::string::npos) {
    std::string line = it->second.buffer.substr(0, nl);
    it->second.buffer.erase(0, nl + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const int out = it->second.out;
    WriteAll(out, channel_.Execute(line) + "\n");
    it = clients_.find(fd);  // a command may have closed the channel
    if (it == clients_.end()) return;
  }
  if (it->second.buffer.size() > 65536) Drop(fd);  // no line that long is a command
}

void ControlServer::Drop(int fd) {
  agent_.Unwatch(fd);
  if (fd != 0) ::close(fd);
  clients_.erase(fd);
}

void ControlServer::Close() {
  while (!clients_.empty()) Drop(clients_.begin()->first);
  if (listenFd_ >= 0) {
    agent_.Unwatch(listenFd_);
    ::close(listenFd_);
    ::unlink(path_.c_str());
    listenFd_ = -1;
  }
}

}  // namespace sim
