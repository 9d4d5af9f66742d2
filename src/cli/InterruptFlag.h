#pragma once

#include <atomic>
#include <csignal>

// Turns SIGINT and SIGTERM into a flag for as long as it lives, so that a batch interrupted from
// the keyboard or by a service manager stops after the files being written instead of dying with
// one half-written. The handlers only set the flag, which is all a handler may safely do; the
// handlers there were before are put back when the object goes.
class InterruptFlag {
 public:
  InterruptFlag();
  ~InterruptFlag();
  InterruptFlag(const InterruptFlag&) = delete;
  InterruptFlag& operator=(const InterruptFlag&) = delete;

  // Set once a signal came.
  const std::atomic<bool>& Raised() const;

 private:
  struct sigaction previousInterrupt_ = {};
  struct sigaction previousTerminate_ = {};
};
