#include "forms/common/AddressClass.h"

TIpv4Class Ipv4ClassOf(int firstPart) {
  if (firstPart < 0) return TIpv4Class::None;
  if (firstPart <= 127) return TIpv4Class::A;
  if (firstPart <= 191) return TIpv4Class::B;
  if (firstPart <= 223) return TIpv4Class::C;
  if (firstPart <= 239) return TIpv4Class::D;
  if (firstPart <= 247) return TIpv4Class::E;
  return TIpv4Class::None;
}
