#include "support/UdpRelay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace vntest {

namespace {

using Clock = std::chrono::steady_clock;

// BER, as far as the header of a message goes: one TLV after another
// within [at, end).
struct BerReader {
  const std::string& bytes;
  std::size_t at;
  std::size_t end;

  // The next TLV of the given tag: its content becomes [start, start + length).
  bool Next(unsigned char tag, std::size_t& start, std::size_t& length) {
    if (at + 2 > end || static_cast<unsigned char>(bytes[at]) != tag) return false;
    std::size_t p = at + 1;
    const auto first = static_cast<unsigned char>(bytes[p++]);
    length = first;
    if (first & 0x80) {
      const unsigned octets = first & 0x7f;
      if (octets == 0 || octets > 4 || p + octets > end) return false;
      length = 0;
      for (unsigned i = 0; i < octets; ++i)
        length = length << 8 | static_cast<unsigned char>(bytes[p++]);
    }
    if (length > end - p) return false;
    start = p;
    at = p + length;
    return true;
  }
  // The content of the next TLV of that tag, read into a reader of its own.
  bool Enter(unsigned char tag, BerReader& inner) {
    std::size_t start = 0, length = 0;
    if (!Next(tag, start, length)) return false;
    inner.at = start;
    inner.end = start + length;
    return true;
  }
  bool Text(unsigned char tag, std::string& out) {
    std::size_t start = 0, length = 0;
    if (!Next(tag, start, length)) return false;
    out = bytes.substr(start, length);
    return true;
  }
  // The tag of the next TLV, or -1 at the end.
  int Tag() const { return at < end ? static_cast<unsigned char>(bytes[at]) : -1; }
  bool Integer(long& out) {
    std::size_t start = 0, length = 0;
    if (!Next(0x02, start, length) || length == 0 || length > 8) return false;
    long value = static_cast<signed char>(bytes[start]);
    for (std::size_t i = 1; i < length; ++i)
      value = value * 256 + static_cast<unsigned char>(bytes[start + i]);
    out = value;
    return true;
  }
  bool SmallInteger(int& out) {
    std::size_t start = 0, length = 0;
    if (!Next(0x02, start, length) || length != 1) return false;
    out = static_cast<unsigned char>(bytes[start]);
    return true;
  }
};

constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kOctets = 0x04;
constexpr unsigned char kInteger = 0x02;

// A descriptor closed with its owner.
struct Fd {
  int fd = -1;
  Fd() = default;
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

// A UDP socket on 127.0.0.1, on a port the system chooses.
int BoundSocket() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in a = Loopback(0);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  return a;
}

RelayedDatagram DecodeDatagram(const std::string& bytes) {
  RelayedDatagram d;
  BerReader top{bytes, 0, bytes.size()}, message{bytes, 0, 0};
  int version = -1;
  if (!top.Enter(kSequence, message) || !message.SmallInteger(version)) return d;
  if (version != 3) {
    d.version = version;
    // The community, then the PDU: its tag and request id.
    std::string community;
    BerReader pdu{bytes, 0, 0};
    if (!message.Text(kOctets, community)) return d;
    const int tag = message.Tag();
    if (tag >= kGet && tag <= 0xa8 && message.Enter(static_cast<unsigned char>(tag), pdu) &&
        pdu.Integer(d.request_id))
      d.pdu = tag;
    return d;
  }
  // msgGlobalData, then msgSecurityParameters: an OCTET STRING that holds
  // the USM's SEQUENCE of engine id, boots, time and user name (the two
  // numbers are stepped over).
  std::size_t start = 0, length = 0;
  BerReader wrapped{bytes, 0, 0}, usm{bytes, 0, 0};
  if (!message.Next(kSequence, start, length) || !message.Enter(kOctets, wrapped) ||
      !wrapped.Enter(kSequence, usm) || !usm.Text(kOctets, d.engine_id) ||
      !usm.Next(kInteger, start, length) || !usm.Next(kInteger, start, length) ||
      !usm.Text(kOctets, d.user)) {
    return d;
  }
  d.version = 3;
  return d;
}

struct UdpRelay::State {
  Fd front;  // the manager's side
  Fd back;   // the agent's side
  Fd wake_read, wake_write;
  int port = 0;

  mutable std::mutex mutex;
  int agent_port = 0;
  sockaddr_in manager{};
  bool manager_known = false;
  Rule rule;
  std::vector<RelayedDatagram> seen;
  // Datagrams held, in the order they came; the relay's thread alone.
  struct Held {
    Clock::time_point due;
    bool to_agent;
    std::string bytes;
  };
  std::vector<Held> held;

  std::thread thread;

  void Run();
  void Forward(bool to_agent);
  void Send(bool to_agent, const std::string& bytes);
  // Sends what is due; the milliseconds until the next is, or -1.
  int SendDue();
};

void UdpRelay::State::Run() {
  for (;;) {
    pollfd fds[3] = {{front.fd, POLLIN, 0}, {back.fd, POLLIN, 0}, {wake_read.fd, POLLIN, 0}};
    if (::poll(fds, 3, SendDue()) < 0) continue;
    if (fds[2].revents) return;
    if (fds[0].revents & POLLIN) Forward(true);
    if (fds[1].revents & POLLIN) Forward(false);
  }
}

int UdpRelay::State::SendDue() {
  const Clock::time_point now = Clock::now();
  int wait = -1;
  for (auto h = held.begin(); h != held.end();) {
    if (h->due <= now) {
      Send(h->to_agent, h->bytes);
      h = held.erase(h);
      continue;
    }
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(h->due - now).count();
    if (wait < 0 || ms < wait) wait = static_cast<int>(ms);
    ++h;
  }
  return wait;
}

void UdpRelay::State::Send(bool to_agent, const std::string& bytes) {
  sockaddr_in to{};
  {
    std::lock_guard<std::mutex> lock(mutex);
    to = to_agent ? Loopback(agent_port) : manager;
  }
  ::sendto(to_agent ? back.fd : front.fd, bytes.data(), bytes.size(), 0,
           reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

void UdpRelay::State::Forward(bool to_agent) {
  std::string buffer(65536, '\0');
  sockaddr_in from{};
  socklen_t from_len = sizeof from;
  const ssize_t n = ::recvfrom(to_agent ? front.fd : back.fd, buffer.data(), buffer.size(),
                               MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &from_len);
  if (n < 0) return;
  buffer.resize(static_cast<std::size_t>(n));
  RelayedDatagram d = DecodeDatagram(buffer);
  d.to_agent = to_agent;

  Fate fate;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (to_agent) {
      manager = from;
      manager_known = true;
    }
    if (rule) fate = rule(d);
    d.dropped = fate.drop || (!to_agent && !manager_known);
    seen.push_back(d);
  }
  if (d.dropped) return;
  const Clock::time_point due = Clock::now() + std::chrono::milliseconds(fate.delay_ms);
  for (int copy = 0; copy < fate.copies; ++copy) {
    if (fate.delay_ms > 0)
      held.push_back({due, to_agent, buffer});
    else
      Send(to_agent, buffer);
  }
}

UdpRelay::UdpRelay(int agent_port) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.agent_port = agent_port;
  s.front.fd = BoundSocket();
  s.back.fd = BoundSocket();
  int wake[2] = {-1, -1};
  if (::pipe2(wake, O_CLOEXEC) == 0) {
    s.wake_read.fd = wake[0];
    s.wake_write.fd = wake[1];
  }
  sockaddr_in a{};
  socklen_t len = sizeof a;
  if (s.front.fd < 0 || s.back.fd < 0 || s.wake_read.fd < 0 ||
      ::getsockname(s.front.fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
    throw std::runtime_error("the UDP relay cannot open its sockets");
  }
  s.port = ntohs(a.sin_port);
  s.thread = std::thread([&s] { s.Run(); });
}

UdpRelay::~UdpRelay() {
  const char stop = 0;
  while (::write(state_->wake_write.fd, &stop, 1) < 0 && errno == EINTR) {
  }
  state_->thread.join();
}

int UdpRelay::Port() const { return state_->port; }

void UdpRelay::SetAgentPort(int port) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->agent_port = port;
}

void UdpRelay::SetRule(Rule rule) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->rule = std::move(rule);
}

void UdpRelay::SetDropRule(DropRule rule) {
  if (!rule) return SetRule(nullptr);
  SetRule([rule = std::move(rule)](const RelayedDatagram& d) { return Fate{.drop = rule(d)}; });
}

std::vector<RelayedDatagram> UdpRelay::Seen() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->seen;
}

}  // namespace vntest
