// The class of an IPv4 address, judged by its first part. The system log
// host check and the ping and traceroute target check both decide with it,
// so that they agree on where multicast (class D) begins.
#pragma once

enum class TIpv4Class {
  None,  // 248..255, or no part at all (below 0)
  A,     // 0..127
  B,     // 128..191
  C,     // 192..223
  D,     // 224..239, multicast
  E,     // 240..247, reserved
};

TIpv4Class Ipv4ClassOf(int firstPart);

// Class D or E: an address no host has.
inline bool IsMulticastOrReserved(int firstPart) {
  const TIpv4Class c = Ipv4ClassOf(firstPart);
  return c == TIpv4Class::D || c == TIpv4Class::E;
}
