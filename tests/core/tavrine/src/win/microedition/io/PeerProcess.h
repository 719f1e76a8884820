#pragma once

// A real peer for connection tests: a program started on 127.0.0.1 and
// stopped (by its own process id) when the object goes.

#include <chrono>
#include <cstdio>
#include <netinet/in.h>
#include <signal.h>
#include <string>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace nvtest {

class PeerProcess {
public:
  // Starts argv; when announcesPort, reads the port from its first output line.
  PeerProcess(const std::vector<std::string>& argv, bool announcesPort) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> args;
      for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
      args.push_back(nullptr);
      execvp(args[0], args.data());
      _exit(127);
    }
    ::close(out[1]);
    output_ = fdopen(out[0], "r");
    if (announcesPort && output_ && std::fscanf(output_, "%d", &port_) != 1) port_ = 0;
  }
  ~PeerProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (output_) std::fclose(output_);
  }
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  int port() const { return port_; }
  void setPort(int port) { port_ = port; }

  // True once something accepts connections on the port (bounded wait).
  bool awaitListening() const {
    for (int attempt = 0; attempt < 500; ++attempt) {
      if (accepts(port_)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  static int freePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
      port = ntohs(address.sin_port);
    ::close(fd);
    return port;
  }

private:
  static bool accepts(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
  }

  pid_t pid_ = -1;
  FILE* output_ = nullptr;
  int port_ = 0;
};

// Polls until pred holds (bounded): true when it did.
template <class Pred>
bool eventually(Pred pred) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    if (pred()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return pred();
}

}  // namespace nvtest
