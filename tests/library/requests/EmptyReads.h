// Counts the reads of one socket that found nothing to read. A test program
// that calls these gets a recvmsg of its own (the SNMP library reads its
// UDP socket with it) that notes each such read and otherwise reads as the
// system's does.
#pragma once

namespace reqtest {

// Starts counting afresh for the socket (-1: none).
void CountEmptyReadsOf(int fd);
// The reads of that socket since then that failed for want of data.
int EmptyReads();

}  // namespace reqtest
