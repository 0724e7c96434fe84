// The tests' UDP relay on its own, between two plain sockets: what it reads
// of a datagram, and what a rule makes of one (dropped, held, sent twice).
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/UdpRelay.h"

namespace {

// A version 2c message with an empty variable list: the PDU's tag and the
// request id's content octets.
std::string Message(unsigned char tag, const std::string& requestId) {
  auto tlv = [](unsigned char t, const std::string& content) {
    return std::string(1, static_cast<char>(t)) + static_cast<char>(content.size()) + content;
  };
  const std::string zero = tlv(0x02, std::string(1, '\0'));
  const std::string pdu = tlv(tag, tlv(0x02, requestId) + zero + zero + tlv(0x30, ""));
  return tlv(0x30, tlv(0x02, "\x01") + tlv(0x04, "public") + pdu);
}

TEST(UdpRelay, ReadsThePduTypeAndRequestIdOfVersion2cMessages) {
  const struct {
    const char* what;
    std::string bytes;
    int version, pdu;
    long id;
  } cases[] = {
      {"GET", Message(0xa0, "\x05"), 1, vntest::kGet, 5},
      {"GETNEXT", Message(0xa1, std::string("\x01\x00", 2)), 1, vntest::kGetNext, 256},
      {"SET", Message(0xa3, std::string("\x00\x80\x00\x00\x01", 5)), 1, vntest::kSet, 0x80000001L},
      {"RESPONSE", Message(0xa2, "\xff"), 1, vntest::kResponse, -1},
      {"not a PDU", Message(0x30, "\x05"), 1, -1, 0},
      {"cut short", Message(0xa3, "\x05").substr(0, 12), -1, -1, 0},
  };
  for (const auto& c : cases) {
    const vntest::RelayedDatagram d = vntest::DecodeDatagram(c.bytes);
    EXPECT_EQ(d.version, c.version) << c.what;
    EXPECT_EQ(d.pdu, c.pdu) << c.what;
    EXPECT_EQ(d.request_id, c.id) << c.what;
  }
}

// A UDP socket on 127.0.0.1 and its port.
struct Socket {
  Socket() {
    fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    EXPECT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len), 0);
    port = ntohs(a.sin_port);
  }
  ~Socket() { ::close(fd); }
  void SendTo(int to, const std::string& bytes) const {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(to));
    ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
  }
  // The request ids of the datagrams that come within `ms`.
  std::vector<long> Receive(int ms) const {
    std::vector<long> ids;
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, ms) > 0) {
      std::string buffer(2048, '\0');
      const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
      buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
      ids.push_back(vntest::DecodeDatagram(buffer).request_id);
    }
    return ids;
  }
  int fd = -1;
  int port = 0;
};

TEST(UdpRelay, ARuleDropsHoldsOrDuplicatesADatagram) {
  Socket agent, manager;
  vntest::UdpRelay relay(agent.port);
  relay.SetRule([](const vntest::RelayedDatagram& d) {
    vntest::Fate fate;
    fate.delay_ms = d.request_id == 1 ? 300 : 0;
    fate.copies = d.request_id == 2 ? 2 : 1;
    fate.drop = d.request_id == 3;
    return fate;
  });
  for (const char* id : {"\x01", "\x02", "\x03", "\x04"})
    manager.SendTo(relay.Port(), Message(0xa3, id));
  EXPECT_EQ(agent.Receive(150), (std::vector<long>{2, 2, 4}));
  EXPECT_EQ(agent.Receive(500), (std::vector<long>{1}));  // overtaken
  std::vector<bool> dropped;
  for (const vntest::RelayedDatagram& d : relay.Seen()) dropped.push_back(d.dropped);
  EXPECT_EQ(dropped, (std::vector<bool>{false, false, true, false}));
}

}  // namespace
