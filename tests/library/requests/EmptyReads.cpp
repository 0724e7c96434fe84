#include "EmptyReads.h"

#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace {

int g_watched = -1;
int g_emptyReads = 0;

// Counts a read of the watched socket that failed for want of data; errno
// is the call's.
ssize_t Noted(int fd, long result) {
  if (fd == g_watched && result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) ++g_emptyReads;
  return static_cast<ssize_t>(result);
}

}  // namespace

// Takes the place of the C library's in the programs that link this file.
extern "C" ssize_t recvmsg(int fd, msghdr* message, int flags) {
  return Noted(fd, syscall(SYS_recvmsg, fd, message, flags));
}

namespace reqtest {

void CountEmptyReadsOf(int fd) {
  g_watched = fd;
  g_emptyReads = 0;
}

int EmptyReads() { return g_emptyReads; }

}  // namespace reqtest
