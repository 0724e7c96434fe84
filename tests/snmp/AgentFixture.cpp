#include "AgentFixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "KeyDerivation.h"

namespace snmptest {

std::unique_ptr<vntest::Snmpd> AgentTest::agent_;
std::unique_ptr<Snmp> AgentTest::snmp_;

namespace {

std::string MasterKeyHex(const std::string& password) {
  std::vector<std::uint8_t> ku = vnsnmp::PasswordToKu(vnsnmp::HashKind::Md5, password);
  OctetStr bytes(ku.data(), ku.size());
  return "-m 0x" + bytes.get_printable_hex();
}

std::string AuthName(long auth) {
  return auth == SNMP_AUTHPROTOCOL_HMACMD5 ? "MD5" : auth == SNMP_AUTHPROTOCOL_HMACSHA ? "SHA" : "";
}

}  // namespace

void AgentTest::SetUpTestSuite() {
  vntest::SnmpdOptions options;
  options.view = {"1.3.6.1.2.1.1",  "1.3.6.1.2.1.2",       "1.3.6.1.2.1.4.20",  "1.3.6.1.2.1.11",
                  "1.3.6.1.2.1.31", "1.3.6.1.4.1.2021.10", "1.3.6.1.6.3.10.2.1"};
  for (const TestUser& u : kAllUsers) {
    vntest::SnmpdUser user;
    user.name = u.name;
    user.auth = AuthName(u.auth);
    user.auth_key = std::string(u.auth_pass).size() < 8 ? MasterKeyHex(u.auth_pass) : u.auth_pass;
    user.priv = u.priv == SNMP_PRIVPROTOCOL_DES ? "DES" : "";
    user.priv_key = u.priv_pass;
    options.users.push_back(user);
  }
  agent_ = std::make_unique<vntest::Snmpd>(options);

  int status = -99;
  snmp_ = std::make_unique<Snmp>(status, 0);
  ASSERT_EQ(status, SNMP_CLASS_SUCCESS);
  ASSERT_EQ(mpInit(snmp_.get(), "VnSNMP_PP_Application", 1), SNMPv3_MP_OK);
  for (const TestUser& u : kAllUsers) {
    ASSERT_EQ(usmAddUserName(u.name, u.auth, u.priv, u.auth_pass, u.priv_pass), SNMPv3_USM_OK);
  }
}

void AgentTest::TearDownTestSuite() {
  snmp_.reset();
  agent_.reset();
}

UdpAddress AgentTest::AgentAddress() {
  UdpAddress address(agent_->Address());
  address.set_port(static_cast<std::uint16_t>(agent_->Port()));
  return address;
}

CTarget AgentTest::V1Target() {
  CTarget target(AgentAddress());
  target.set_version(version1);
  target.set_readcommunity("qovalt");
  target.set_writecommunity("mundrel");
  target.set_timeout(100);
  target.set_retry(1);
  return target;
}

CTarget AgentTest::V2Target() {
  CTarget target = V1Target();
  target.set_version(version2c);
  return target;
}

UTarget AgentTest::V3Target(const TestUser& user) {
  UTarget target(AgentAddress());
  target.set_version(version3);
  target.set_security_model(SNMP_SECURITY_MODEL_USM);
  target.set_security_name(user.name);
  target.set_timeout(100);
  target.set_retry(1);
  return target;
}

Pdu AgentTest::MakePdu(std::initializer_list<const char*> oids, int level) {
  Pdu pdu;
  for (const char* o : oids) pdu += Vb(Oid(o));
  pdu.set_security_level(level);
  pdu.set_context_name("");
  pdu.set_context_engine_id("");
  return pdu;
}

SilentPort::SilentPort() {
  fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
    throw std::runtime_error("cannot bind a silent port");
  }
  port_ = ntohs(a.sin_port);
}

SilentPort::~SilentPort() {
  if (fd_ >= 0) close(fd_);
}

UdpAddress SilentPort::Address() const {
  UdpAddress address("127.0.0.1");
  address.set_port(static_cast<std::uint16_t>(port_));
  return address;
}

std::string SilentPort::Take() const {
  char buf[65536];
  const ssize_t n = recv(fd_, buf, sizeof buf, MSG_DONTWAIT);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

Recorder::Recorder() : start_(std::chrono::steady_clock::now()) {}

void Recorder::Callback(int reason, Snmp* session, Pdu& pdu, SnmpTarget& target, void* data) {
  auto* self = static_cast<Recorder*>(data);
  Completion c;
  c.reason = reason;
  c.error_status = pdu.get_error_status();
  c.error_index = pdu.get_error_index();
  c.pdu = pdu;
  GenAddress address;
  target.get_address(address);
  c.address = address.get_printable();
  c.at_ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - self->start_)
          .count();
  self->done.push_back(c);
  if (self->on_completion) self->on_completion(session);
}

double PumpUntil(const std::function<bool()>& done, int limit_ms) {
  auto start = std::chrono::steady_clock::now();
  auto elapsed = [&] {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
  };
  while (!done() && elapsed() < limit_ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SNMPProcessPendingEvents();
  }
  return elapsed();
}

}  // namespace snmptest
