#include "Resolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <vector>

namespace vnsnmp {

bool ParseDottedQuad(const std::string& text, std::array<std::uint8_t, 4>& out) {
  std::array<std::uint8_t, 4> octets{};
  std::size_t i = 0;
  for (int part = 0; part < 4; ++part) {
    unsigned value = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
      value = value * 10 + static_cast<unsigned>(text[i] - '0');
      if (digits >= 3 || value > 255) return false;
    }
    if (digits == 0) return false;
    octets[static_cast<std::size_t>(part)] = static_cast<std::uint8_t>(value);
    if (part < 3) {
      if (i >= text.size() || text[i] != '.') return false;
      ++i;
    }
  }
  if (i != text.size()) return false;
  out = octets;
  return true;
}

namespace {

using Clock = std::chrono::steady_clock;

struct CacheEntry {
  bool ok = false;
  std::array<std::uint8_t, 4> address{};
  Clock::time_point expires;
};

constexpr auto kKeepAnswer = std::chrono::minutes(10);
constexpr auto kKeepFailure = std::chrono::seconds(10);
constexpr long kLimitSeconds = 3;

// Look-ups that did not finish in time and could not be cancelled; glibc
// still writes into them, so they are kept until the process ends.
struct PendingLookup {
  std::string name;
  addrinfo hints{};
  gaicb request{};
};
std::vector<std::unique_ptr<PendingLookup>>& Abandoned() {
  static auto* list = new std::vector<std::unique_ptr<PendingLookup>>();  // lives to exit
  return *list;
}

bool LookUp(const std::string& name, std::array<std::uint8_t, 4>& out) {
  auto lookup = std::make_unique<PendingLookup>();
  lookup->name = name;
  lookup->hints.ai_family = AF_INET;
  lookup->hints.ai_socktype = SOCK_DGRAM;
  lookup->request.ar_name = lookup->name.c_str();
  lookup->request.ar_request = &lookup->hints;
  gaicb* list[1] = {&lookup->request};
  if (getaddrinfo_a(GAI_NOWAIT, list, 1, nullptr) != 0) return false;
  timespec limit{kLimitSeconds, 0};
  const gaicb* wait[1] = {&lookup->request};
  auto deadline = Clock::now() + std::chrono::seconds(kLimitSeconds);
  while (gai_error(&lookup->request) == EAI_INPROGRESS && Clock::now() < deadline) {
    gai_suspend(wait, 1, &limit);
  }
  int rc = gai_error(&lookup->request);
  if (rc == EAI_INPROGRESS) {
    if (gai_cancel(&lookup->request) != EAI_CANCELED) Abandoned().push_back(std::move(lookup));
    return false;
  }
  addrinfo* result = lookup->request.ar_result;
  bool ok = false;
  if (rc == 0) {
    for (addrinfo* ai = result; ai; ai = ai->ai_next) {
      if (ai->ai_family == AF_INET && ai->ai_addr) {
        const auto* sin = reinterpret_cast<const sockaddr_in*>(ai->ai_addr);
        std::memcpy(out.data(), &sin->sin_addr.s_addr, 4);
        ok = true;
        break;
      }
    }
  }
  if (result) freeaddrinfo(result);
  return ok;
}

}  // namespace

bool ResolveIPv4(const std::string& text, std::array<std::uint8_t, 4>& out) {
  if (ParseDottedQuad(text, out)) return true;
  if (text.empty() || text.size() > 253) return false;
  static std::map<std::string, CacheEntry> cache;  // GUI thread only
  auto now = Clock::now();
  auto it = cache.find(text);
  if (it != cache.end() && it->second.expires > now) {
    if (it->second.ok) out = it->second.address;
    return it->second.ok;
  }
  CacheEntry entry;
  entry.ok = LookUp(text, entry.address);
  entry.expires = now + (entry.ok ? kKeepAnswer : kKeepFailure);
  cache[text] = entry;
  if (entry.ok) out = entry.address;
  return entry.ok;
}

}  // namespace vnsnmp
