#include "simulator/src/ControlServer.h"

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sim {

namespace {

// A socket takes what fits at once; other outputs (standard output) only as
// much as a poll promises, a pipe's atomic size, so that no write blocks.
ssize_t WriteSome(int fd, const std::string& text) {
  if (fd != 1) return ::send(fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  pollfd p{fd, POLLOUT, 0};
  if (::poll(&p, 1, 0) <= 0 || !(p.revents & POLLOUT)) {
    errno = EAGAIN;
    return -1;
  }
  return ::write(fd, text.data(), std::min<std::size_t>(text.size(), PIPE_BUF));
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
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return false;
  }
  addr.sun_family = AF_UNIX;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(fd, SOMAXCONN) != 0) {
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
  clients_[0] = Client{0, 1, {}, {}, false};
  agent_.Watch(0, [this] { Read(0); });
}

void ControlServer::Accept() {
  for (;;) {
    int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        agent_.Unwatch(listenFd_);
        acceptPaused_ = true;
      }
      return;  // EAGAIN: every waiting connection taken
    }
    if (socketClients_ >= kMaxClients) {
      Refuse(fd);
      continue;
    }
    clients_[fd] = Client{fd, fd, {}, {}, false};
    ++socketClients_;
    agent_.Watch(fd, [this, fd] { Read(fd); });
  }
}

void ControlServer::Refuse(int fd) {
  // One try: a client that cannot take a line at once only misses the reason.
  const std::string text = kRefusal;
  [[maybe_unused]] ssize_t n = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  ::close(fd);
}

void ControlServer::Read(int fd) {
  auto it = clients_.find(fd);
  if (it == clients_.end()) return;
  char buf[4096];
  ssize_t n = ::read(fd, buf, sizeof buf);
  if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) return;
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
    const std::string reply = channel_.Execute(line) + "\n";
    it = clients_.find(fd);  // a command may have closed the channel
    if (it == clients_.end()) return;
    it->second.pending += reply;
    if (it->second.pending.size() > kMaxUnread) {
      Drop(fd);  // it sends and does not read: it may not hold the agent up
      return;
    }
  }
  if (it->second.buffer.size() > 65536) {
    Drop(fd);  // no line that long is a command
    return;
  }
  Flush(fd);
}

void ControlServer::Flush(int fd) {
  auto it = clients_.find(fd);
  if (it == clients_.end()) return;
  Client& c = it->second;
  while (!c.pending.empty()) {
    ssize_t n = WriteSome(c.out, c.pending);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    if (n <= 0) {
      Drop(fd);  // the client went away
      return;
    }
    c.pending.erase(0, static_cast<std::size_t>(n));
  }
  if (!c.pending.empty() && !c.waitingToWrite) {
    agent_.WatchWritable(c.out, [this, fd] { Flush(fd); });
    c.waitingToWrite = true;
  } else if (c.pending.empty() && c.waitingToWrite) {
    agent_.UnwatchWritable(c.out);
    c.waitingToWrite = false;
  }
}

void ControlServer::Drop(int fd) {
  auto it = clients_.find(fd);
  if (it != clients_.end() && it->second.waitingToWrite) agent_.UnwatchWritable(it->second.out);
  agent_.Unwatch(fd);
  if (it != clients_.end() && fd != 0) {
    ::close(fd);
    --socketClients_;
  }
  clients_.erase(fd);
  if (acceptPaused_ && listenFd_ >= 0) {
    acceptPaused_ = false;
    agent_.Watch(listenFd_, [this] { Accept(); });
  }
}

void ControlServer::Close() {
  while (!clients_.empty()) Drop(clients_.begin()->first);
  if (listenFd_ >= 0) {
    acceptPaused_ = false;
    agent_.Unwatch(listenFd_);
    ::close(listenFd_);
    ::unlink(path_.c_str());
    listenFd_ = -1;
  }
}

}  // namespace sim
