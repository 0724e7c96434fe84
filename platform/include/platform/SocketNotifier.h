// Tells the GUI thread that a socket has something to read.
#pragma once

#include "platform/Closure.h"
#include "platform/Component.h"

// Watches one socket (a file descriptor the caller owns) and calls OnReadable
// from the message loop while the socket has data to read and the notifier
// is enabled. The handler must read the data or disable the notifier, else
// it is called again on the next pass of the loop. OnReadable is never
// re-entered: a single pass of the loop inside the handler that finds the
// socket readable leaves it be (switching the watch off and on costs the
// toolkit a wake-up each way); when the socket is readable again on a
// further pass of a loop the handler runs, the notifier switches itself
// off (Enabled() is false) and back on once the handler has returned,
// unless the handler set it meanwhile. A notifier made before the application object exists starts
// watching once it does.
class TSocketNotifier : public TComponent {
 public:
  explicit TSocketNotifier(TComponent* AOwner = nullptr);
  ~TSocketNotifier() override;

  // -1: no socket. Detach before the socket is closed.
  int Socket() const { return socket_; }
  void SetSocket(int fd);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  TNotifyEvent OnReadable;

  // Toolkit side: the socket is readable.
  void Readable();
  // Toolkit side: the application object came or went.
  void Rewatch();

 private:
  int socket_ = -1;
  bool enabled_ = true;
  bool running_ = false;
  bool offWhileRunning_ = false;  // switched off by a call inside the handler
  int readableWhileRunning_ = 0;  // passes inside the handler that found data
};
