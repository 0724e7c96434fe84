// Carries control-channel lines over a UNIX stream socket (up to kMaxClients
// clients at once) or standard input, each line answered by one reply line.
// Nothing here waits for a client: replies that a client does not read yet
// wait in its own queue, and a client whose queue outgrows kMaxUnread loses
// its connection (and the replies it never read). A client past the limit
// is told so in one error line and disconnected.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "simulator/src/Agent.h"
#include "simulator/src/Control.h"

namespace sim {

class ControlServer {
 public:
  static constexpr std::size_t kMaxUnread = 256 * 1024;
  static constexpr std::size_t kMaxClients = 256;
  static constexpr const char* kRefusal = "error too many control clients (at most 256)\n";

  ControlServer(Agent& agent, ControlChannel& channel);
  ~ControlServer();
  ControlServer(const ControlServer&) = delete;
  ControlServer& operator=(const ControlServer&) = delete;

  // Listens on a UNIX socket at path (replacing a stale socket file).
  bool Listen(const std::string& path, std::string& error);
  // Reads commands from standard input and answers on standard output.
  void UseStdin();
  void Close();

 private:
  struct Client {
    int fd;
    int out;
    std::string buffer;   // received, not yet a whole line
    std::string pending;  // replies not yet written
    bool waitingToWrite = false;
  };
  void Accept();
  void Refuse(int fd);
  void Read(int fd);
  // Writes what the client can take now; watches for room when some is left.
  void Flush(int fd);
  void Drop(int fd);

  Agent& agent_;
  ControlChannel& channel_;
  int listenFd_ = -1;
  // Out of descriptors: the socket is not watched until a client leaves,
  // lest a connection we cannot take wake the loop for ever.
  bool acceptPaused_ = false;
  std::size_t socketClients_ = 0;
  std::string path_;
  std::map<int, Client> clients_;
};

}  // namespace sim
