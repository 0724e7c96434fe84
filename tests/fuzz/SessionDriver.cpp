// Datagrams reaching a session's socket while one of its requests is
// outstanding, as an agent would send them: request-id and message-id
// matching, Reports, engine discovery, USM authentication and decryption.
// The first octet picks the request (even: v2c, odd: v3 authPriv with a
// known user); then come up to four datagrams, each a 2-octet big-endian
// length and its bytes, fed one after another, each after the session has
// sent what it had to send (a v3 exchange starts with the discovery probe).
// The requests carry fixed ids (SetReplayIds) so that recorded replies match.
// A recorded ciphertext mutated fails the authentication before it is
// decrypted; so a first octet with its two low bits set instead takes the
// rest of the input as the plaintext scoped PDU of the reply: the agent's
// recorded discovery Report goes first, then that plaintext sealed with
// the user's keys, as the agent would seal it, so that what lies behind
// decryption reads well-authenticated text of the fuzzer's choice.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/UsmSeal.h"
#include "snmp/Replay.h"
#include "snmp/Snmp.h"
#include "snmp/Usm.h"

namespace {

constexpr int kRequestId = 0x4b58;
constexpr int kMessageId = 0x5810;
constexpr std::size_t kMaxDatagrams = 4;

// A loopback socket that stands for the agent: requests land there, replies
// leave from there.
struct FakeAgent {
  int fd = -1;
  std::uint16_t port = 0;
  FakeAgent() {
    fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0)
      vnfuzz::Broken("cannot open the agent's loopback socket");
    port = ntohs(a.sin_port);
  }
  ~FakeAgent() { ::close(fd); }
  FakeAgent(const FakeAgent&) = delete;
  FakeAgent& operator=(const FakeAgent&) = delete;

  // Takes in what the session sent; it is never looked at.
  void Drain() const {
    char buf[65536];
    while (::recv(fd, buf, sizeof buf, 0) >= 0) {
    }
  }
  void SendTo(std::uint16_t sessionPort, const std::uint8_t* data, std::size_t size) const {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(sessionPort);
    [[maybe_unused]] ssize_t n =
        ::sendto(fd, data, size, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  }
};

// The agent's answer to the discovery probe, as recorded: its engine id,
// boots 1, time 3.
constexpr std::uint8_t kDiscoveryReport[] = {
    0x30, 0x61, 0x02, 0x01, 0x03, 0x30, 0x0f, 0x02, 0x02, 0x58, 0x10, 0x02, 0x03, 0x00, 0xff,
    0xe3, 0x04, 0x01, 0x00, 0x02, 0x01, 0x03, 0x04, 0x1b, 0x30, 0x19, 0x04, 0x0b, 0x80, 0x00,
    0x00, 0xab, 0x03, 0x02, 0x4b, 0x58, 0x35, 0x81, 0x00, 0x02, 0x01, 0x01, 0x02, 0x01, 0x03,
    0x04, 0x00, 0x04, 0x00, 0x04, 0x00, 0x30, 0x2e, 0x04, 0x0b, 0x80, 0x00, 0x00, 0xab, 0x03,
    0x02, 0x4b, 0x58, 0x35, 0x81, 0x00, 0x04, 0x00, 0xa8, 0x1d, 0x02, 0x02, 0x4b, 0x58, 0x02,
    0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x11, 0x30, 0x0f, 0x06, 0x0a, 0x2b, 0x06, 0x01, 0x06,
    0x03, 0x0f, 0x01, 0x01, 0x04, 0x00, 0x41, 0x01, 0x01};

struct Setup {
  FakeAgent agent;
  vnfuzz::SealParams seal = vnfuzz::RecordedAgentSeal(kMessageId);
  Setup() {
    // The engine a module starts and the simulator's authPriv user.
    int status = 0;
    Snmp starter(status);
    if (status != SNMP_CLASS_SUCCESS || mpInit(starter, "VnSNMP_PP_Application", 1) != SNMPv3_MP_OK)
      vnfuzz::Broken("cannot start the local engine");
    usmAddUserName("shades", SNMP_AUTHPROTOCOL_HMACSHA, SNMP_PRIVPROTOCOL_DES, "shapassword",
                   "despassword");
  }
};

// The fixed ids hold only while one input runs: other targets and tests in
// the process see the library's own.
struct ReplayIdsGuard {
  ReplayIdsGuard() { SetReplayIds(kRequestId, kMessageId); }
  ~ReplayIdsGuard() { SetReplayIds(0, 0); }
  ReplayIdsGuard(const ReplayIdsGuard&) = delete;
  ReplayIdsGuard& operator=(const ReplayIdsGuard&) = delete;
};

using vnfuzz::Bytes;

struct Outcome {
  int completions = 0;
};

void OnCompletion(int, Snmp*, Pdu&, SnmpTarget&, void* data) {
  ++static_cast<Outcome*>(data)->completions;
}

}  // namespace

void vnfuzz::RunSessionInput(const std::uint8_t* data, std::size_t size) {
  static Setup setup;
  if (size < 1) return;
  const bool v3 = data[0] & 1;
  const bool sealed = (data[0] & 3) == 3;
  ++data;
  --size;

  ReplayIdsGuard ids;
  ForgetEngineTimes();  // each input is judged on its own
  setup.agent.Drain();
  Outcome outcome;  // outlives the session, whose end completes what is left
  int status = 0;
  Snmp session(status);  // a fresh one: no engine ids, no requests left over
  if (status != SNMP_CLASS_SUCCESS) Broken("cannot open a session");

  const UdpAddress address(IpAddress("127.0.0.1"), setup.agent.port);
  CTarget community(address, "qovalt", "mundrel");
  UTarget user(address);
  user.set_security_name("shades");
  SnmpTarget& target = v3 ? static_cast<SnmpTarget&>(user) : community;
  target.set_version(v3 ? version3 : version2c);
  target.set_retry(0);
  target.set_timeout(1000);  // never reached: every datagram is read at once
  Pdu pdu;
  pdu += Vb(Oid("1.3.6.1.2.1.1.5.0"));
  if (v3) pdu.set_security_level(SNMP_SECURITY_LEVEL_AUTH_PRIV);

  if (session.get(pdu, target, OnCompletion, &outcome) != SNMP_CLASS_SUCCESS)
    Broken("the request was refused");
  if (sealed) {
    setup.agent.Drain();
    setup.agent.SendTo(session.get_local_port(), kDiscoveryReport, sizeof kDiscoveryReport);
    session.process_pending_events();
    const Bytes reply =
        SealResponse(setup.seal, Bytes(data, data + std::min<std::size_t>(size, 60000)));
    setup.agent.Drain();
    setup.agent.SendTo(session.get_local_port(), reply.data(), reply.size());
    session.process_pending_events();
    size = 0;
  }
  for (std::size_t n = 0; n < kMaxDatagrams && size >= 2 && outcome.completions == 0; ++n) {
    const std::size_t length = std::min<std::size_t>((data[0] << 8 | data[1]), size - 2);
    setup.agent.Drain();
    setup.agent.SendTo(session.get_local_port(), data + 2, length);
    session.process_pending_events();
    data += 2 + length;
    size -= 2 + length;
  }
  if (outcome.completions > 1) Broken("a request completed more than once");
  if (outcome.completions == 0 && session.outstanding() != 1)
    Broken("a request neither completed nor outstanding");
}
