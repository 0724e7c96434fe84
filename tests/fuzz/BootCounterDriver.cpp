// The engine-boots counter file: the first byte gives the length of the
// engine id that follows (at most 40 octets), the rest is the file. A count
// read or missing is saved one higher and must read back as that.
#include <string>

#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "snmp/BootCounter.h"
#include "snmp/OctetStr.h"
#include "snmp/SnmpConstants.h"

void vnfuzz::RunBootCounterInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const std::size_t idLength = data[0] % 41 < size ? data[0] % 41 : size - 1;
  const OctetStr engine(data + 1, idLength);
  const std::size_t head = 1 + idLength;
  const std::string path = WriteScratchFile("boots.txt", Text(data + head, size - head));

  unsigned int boots = 0;
  const int rc = getBootCounter(path, engine, boots);
  if (rc != SNMPv3_OK && rc != SNMPv3_NO_ENTRY_ERROR) return;
  if (rc == SNMPv3_OK && boots >= 2147483647u) return;
  const unsigned int next = rc == SNMPv3_OK ? boots + 1 : 1;
  if (saveBootCounter(path, engine, next) != SNMPv3_OK) return;
  unsigned int back = 0;
  const int again = getBootCounter(path, engine, back);
  if (again != SNMPv3_OK || back != next)
    Broken("saved " + std::to_string(next) + ", read back " + std::to_string(back) +
           " with result " + std::to_string(again));
}
