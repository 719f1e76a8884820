#pragma once

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace nvtest {

// A disk that is full, for the process while the object lives: its file
// size limit (RLIMIT_FSIZE, which binds root too) is held at `bytes`, so a
// write that would make a file longer fails with EFBIG. SIGXFSZ is ignored
// meanwhile, so that the writer sees the failure instead of ending.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &before_);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &signalBefore_);
    rlimit limited = before_;
    limited.rlim_cur = std::min(bytes, before_.rlim_max);
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &before_);
    ::sigaction(SIGXFSZ, &signalBefore_, nullptr);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // Whatever limit holds is lifted while this object lives, for files the
  // test itself writes.
  class Lifted {
  public:
    Lifted() {
      ::getrlimit(RLIMIT_FSIZE, &before_);
      rlimit lifted = before_;
      lifted.rlim_cur = before_.rlim_max;
      ::setrlimit(RLIMIT_FSIZE, &lifted);
    }
    ~Lifted() { ::setrlimit(RLIMIT_FSIZE, &before_); }
    Lifted(const Lifted&) = delete;
    Lifted& operator=(const Lifted&) = delete;

  private:
    rlimit before_{};
  };

private:
  rlimit before_{};
  struct sigaction signalBefore_ {};
};

}  // namespace nvtest
