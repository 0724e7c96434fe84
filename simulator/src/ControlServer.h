// Carries control-channel lines over a UNIX stream socket (any number of
// clients) or standard input, each line answered by one reply line.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "simulator/src/Agent.h"
#include "simulator/src/Control.h"

namespace sim {

class ControlServer {
 public:
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
    std::string buffer;
  };
  void Accept();
  void Read(int fd);
  void Drop(int fd);

  Agent& agent_;
  ControlChannel& channel_;
  int listenFd_ = -1;
  std::string path_;
  std::map<int, Client> clients_;
};

}  // namespace sim
