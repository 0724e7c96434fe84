// Control clients that do not read their replies: the agent and the other
// clients go on; a client whose unread replies pile up too high loses its
// connection, one that reads late gets every reply in order. Many clients at
// once: each is answered up to the limit, the next is told no, and their
// descriptors go when they leave.
#include <gtest/gtest.h>
#include <linux/sockios.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "SimulatorHarness.h"
#include "simulator/src/ControlServer.h"

namespace simtest {
namespace {

int Connect(const std::string& path) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
  if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    close(fd);
    fd = -1;
  }
  return fd;
}

void SendAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
    ASSERT_GT(n, 0) << std::strerror(errno);
    done += static_cast<std::size_t>(n);
  }
}

// Everything the client receives until the agent closes its end. The wait
// only guards against a hang: a closed end comes at once.
std::string ReadToEnd(int fd) {
  std::string all;
  char buf[65536];
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 60000) <= 0) {
      ADD_FAILURE() << "the agent neither sent nor closed";
      return all;
    }
    ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) return all;
    all.append(buf, static_cast<std::size_t>(n));
  }
}

// Reads exactly `count` lines.
std::string ReadLines(int fd, int count) {
  std::string all;
  char c;
  while (count > 0) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 60000) <= 0 || read(fd, &c, 1) != 1) {
      ADD_FAILURE() << "the reply stream ended early";
      break;
    }
    all += c;
    if (c == '\n') --count;
  }
  return all;
}

std::string Repeat(const std::string& line, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += line;
  return out;
}

TEST(ControlClients, AClientThatNeverReadsIsDroppedWhileTheAgentAndOtherClientsGoOn) {
  Simulator sim;
  ASSERT_TRUE(sim.Running()) << sim.Output();
  const std::string path = sim.Dir().File("control.sock");
  const std::string help = sim.Control("help") + "\n";
  ASSERT_EQ(help.rfind("ok commands:", 0), 0u) << help;

  // A late reader: its replies outgrow the socket's buffer but not the limit.
  const int lateCount = static_cast<int>(sim::ControlServer::kMaxUnread * 3 / 4 / help.size());
  int late = Connect(path);
  ASSERT_GE(late, 0);
  SendAll(late, Repeat("help\n", lateCount));

  // A stuck client: its replies would be several times the limit.
  const int stuckCount = static_cast<int>(sim::ControlServer::kMaxUnread * 3 / help.size());
  int stuck = Connect(path);
  ASSERT_GE(stuck, 0);
  SendAll(stuck, Repeat("help\n", stuckCount));

  auto ping = std::async(std::launch::async, [&sim] { return sim.Control("ping"); });
  if (ping.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
    sim.Stop();  // ends the stalled agent, and with it the waiting ping
    FAIL() << "the agent stalled behind a client that does not read";
  }
  EXPECT_EQ(ping.get(), "ok pong");
  ToolResult r = sim.V2("snmpget", {"1.3.6.1.2.1.1.5.0"});
  EXPECT_EQ(r.status, 0) << r.out;

  const std::string stuckGot = ReadToEnd(stuck);
  EXPECT_LT(stuckGot.size(), help.size() * static_cast<std::size_t>(stuckCount));
  close(stuck);

  EXPECT_EQ(ReadLines(late, lateCount), Repeat(help, lateCount));
  SendAll(late, "ping\n");
  EXPECT_EQ(ReadLines(late, 1), "ok pong\n");
  close(late);
  EXPECT_EQ(sim.Control("ping"), "ok pong");
}

// Reads exactly `count` bytes; fewer when the stream ends or nothing comes
// for 20 s.
std::string ReadBytes(int fd, std::size_t count) {
  std::string all;
  char buf[65536];
  while (all.size() < count) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20000) <= 0) break;
    const ssize_t n = read(fd, buf, std::min(sizeof buf, count - all.size()));
    if (n <= 0) break;
    all.append(buf, static_cast<std::size_t>(n));
  }
  return all;
}

// Replies that outgrow what the agent's socket takes at once, though not the
// limit of its queue: the agent sends the rest as the client makes room, whole
// and in order.
TEST(ControlClients, RepliesBeyondTheSocketBufferReachALateReaderWholeAndInOrder) {
  Simulator sim;
  ASSERT_TRUE(sim.Running()) << sim.Output();
  const int late = Connect(sim.Dir().File("control.sock"));
  ASSERT_GE(late, 0);
  // The agent's end has the system's default buffer, as this end has.
  int buffer = 0;
  socklen_t size = sizeof buffer;
  ASSERT_EQ(getsockopt(late, SOL_SOCKET, SO_SNDBUF, &buffer, &size), 0);
  const std::size_t wanted = static_cast<std::size_t>(buffer) + sim::ControlServer::kMaxUnread / 4;
  const std::string help = sim.Control("help") + "\n";
  std::string commands, expected;
  for (int i = 0; expected.size() < wanted; ++i) {
    const std::string word = "n" + std::to_string(i);
    commands += "help\n" + word + "\n";
    expected += help + "error unknown command \"" + word + "\" (try help)\n";
  }
  SendAll(late, commands);
  // Every command has been taken in and answered before this end reads.
  int unsent = 1;
  for (int i = 0; i < 10000 && unsent > 0; ++i) {
    ASSERT_EQ(ioctl(late, SIOCOUTQ, &unsent), 0) << std::strerror(errno);
    if (unsent > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(unsent, 0);
  ASSERT_EQ(sim.Control("ping"), "ok pong");

  const std::string got = ReadBytes(late, expected.size());
  ASSERT_EQ(got.size(), expected.size());
  EXPECT_TRUE(got == expected) << "first difference at byte "
                               << std::mismatch(got.begin(), got.end(), expected.begin()).first -
                                      got.begin();
  SendAll(late, "ping\n");
  EXPECT_EQ(ReadLines(late, 1), "ok pong\n");
  close(late);
}

std::size_t OpenDescriptors(pid_t pid) {
  std::error_code ec;
  std::size_t n = 0;
  for (std::filesystem::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", ec), end;
       !ec && it != end; it.increment(ec))
    ++n;
  return n;
}

TEST(ControlClients, ManyClientsAreEachAnsweredUpToTheLimitAndLeaveNoDescriptorsBehind) {
  Simulator sim;  // its own control connection is the first client
  ASSERT_TRUE(sim.Running()) << sim.Output();
  ASSERT_EQ(sim.Control("ping"), "ok pong");
  const std::size_t before = OpenDescriptors(sim.Pid());
  const std::string path = sim.Dir().File("control.sock");

  std::vector<int> clients;
  for (std::size_t i = 1; i < sim::ControlServer::kMaxClients; ++i) {
    const int fd = Connect(path);
    ASSERT_GE(fd, 0) << i;
    clients.push_back(fd);
    SendAll(fd, "ping\n");
  }
  // One common deadline: a client left unserved fails the test, not each in turn.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  std::size_t answered = 0;
  for (int fd : clients) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0))) > 0 &&
        ReadLines(fd, 1) == "ok pong\n")
      ++answered;
  }
  EXPECT_EQ(answered, clients.size());

  const int extra = Connect(path);
  ASSERT_GE(extra, 0);
  EXPECT_EQ(ReadToEnd(extra), sim::ControlServer::kRefusal);
  close(extra);

  for (int fd : clients) close(fd);
  while (OpenDescriptors(sim.Pid()) != before && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(OpenDescriptors(sim.Pid()), before);
  const int again = Connect(path);
  SendAll(again, "ping\n");
  EXPECT_EQ(ReadLines(again, 1), "ok pong\n");
  close(again);
}

}  // namespace
}  // namespace simtest
