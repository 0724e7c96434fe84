#include "ScriptedAgent.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "SnmpReplyContext.h"
#include "library/VnSNMPRequest.h"
#include "library/VnSNMPSession.h"
#include "platform/Forms.h"
#include "platform/InputHold.h"
#include "simulator/SimulatorHarness.h"
#include "snmp/Address.h"
#include "snmp/Snmp.h"
#include "support/UdpRelay.h"

namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  return a;
}

bool Readable(int fd, int ms) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, ms) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace

ScriptedAgent::ScriptedAgent(simtest::Simulator& sim, const VnSNMPRequest& request)
    : sim_(sim), request_(request), switch_(Loopback(sim.Port())) {
  fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in here = Loopback(0);
  socklen_t length = sizeof here;
  if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&here), sizeof here) != 0 ||
      getsockname(fd_, reinterpret_cast<sockaddr*>(&here), &length) != 0) {
    if (fd_ >= 0) close(fd_);
    throw std::runtime_error("scripted agent: no socket");
  }
  port_ = ntohs(here.sin_port);
}

ScriptedAgent::~ScriptedAgent() { close(fd_); }

void ScriptedAgent::Collect() {
  Settle();
  while (Readable(fd_, 0)) {
    sockaddr_in from{};
    std::string datagram = Receive(from);
    if (from.sin_port != switch_.sin_port) TakeIn(std::move(datagram), from);
    // else: an answer nobody waits for
  }
}

std::string ScriptedAgent::Receive(sockaddr_in& from) {
  std::string buffer(65536, '\0');
  socklen_t length = sizeof from;
  const ssize_t n =
      recvfrom(fd_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
  buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return buffer;
}

void ScriptedAgent::TakeIn(std::string datagram, const sockaddr_in& from) {
  session_ = from;
  Exchange e;
  e.number = ++sent_;
  e.write = vntest::DecodeDatagram(datagram).pdu == vntest::kSet;
  kinds_ += e.write ? 'W' : 'R';
  e.datagram = std::move(datagram);
  waiting_.push_back(std::move(e));
}

bool ScriptedAgent::Outstanding(int number) const {
  bool found = false;
  if (!g_SnmpSession) return false;
  // A look at the session's exchanges that takes none of them back.
  g_SnmpSession->cancel_if([&](void* data) {
    const auto* context = static_cast<SnmpReplyContext*>(data);
    if (context->Request == &request_ && context->Exchange == static_cast<unsigned>(number))
      found = true;
    return false;
  });
  return found;
}

void ScriptedAgent::Reply(std::size_t index, Answer answer) {
  const Exchange e = waiting_.at(index);
  waiting_.erase(waiting_.begin() + static_cast<std::ptrdiff_t>(index));
  if (answer != Answer::Ok)
    sim_.Control(std::string("inject any 1.3.6.1 ") +
                 (answer == Answer::TooBig ? "tooBig" : "genErr"));
  Send(e.datagram, switch_);
  lastAnswer_ = ReceiveFromSwitch();
  Send(lastAnswer_, session_);
  Settle();
}

void ScriptedAgent::TimeOut(std::size_t index) {
  const Exchange e = waiting_.at(index);
  waiting_.erase(waiting_.begin() + static_cast<std::ptrdiff_t>(index));
  if (!g_SnmpSession) return;
  const std::vector<void*> given_up = g_SnmpSession->cancel_if([&](void* data) {
    const auto* context = static_cast<SnmpReplyContext*>(data);
    return context->Request == &request_ && context->Exchange == static_cast<unsigned>(e.number);
  });
  for (void* context : given_up) {
    // As the session's event processor delivers a time-out: with the
    // user's input held, the request's PDU as the reply.
    const InputHold held;
    Pdu sent;
    sent.set_error_status(SNMP_CLASS_TIMEOUT);
    CTarget target(UdpAddress(("127.0.0.1/" + std::to_string(port_)).c_str()));
    SnmpCallbackThunk(SNMP_CLASS_TIMEOUT, g_SnmpSession, sent, target, context);
  }
  Settle();
}

bool ScriptedAgent::AnswerAgain() {
  if (lastAnswer_.empty()) return false;
  Send(lastAnswer_, session_);
  Settle();
  return true;
}

void ScriptedAgent::Settle() {
  // The session's handler, as its socket's notifier runs it, then the
  // loop's own turn (calls asked for soon, posted messages), until neither
  // finds anything to do.
  for (int quiet = 0; quiet < 2;) {
    const int socket = g_SnmpSession ? g_SnmpSession->get_socket() : -1;
    const bool pending = socket >= 0 && Readable(socket, 0);
    g_SnmpEventProcessor.OnTimer(nullptr);
    Application->ProcessMessages();
    quiet = pending ? 0 : quiet + 1;
  }
}

void ScriptedAgent::Send(const std::string& bytes, const sockaddr_in& to) {
  sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

std::string ScriptedAgent::ReceiveFromSwitch() {
  for (;;) {
    if (!Readable(fd_, 5000)) throw std::runtime_error("scripted agent: the switch did not answer");
    sockaddr_in from{};
    std::string datagram = Receive(from);
    if (from.sin_port == switch_.sin_port) return datagram;
    TakeIn(std::move(datagram), from);  // the session sent meanwhile: it waits as the others
  }
}
