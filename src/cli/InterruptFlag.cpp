#include "cli/InterruptFlag.h"

namespace {

// A lock-free atomic, which a signal handler may set.
std::atomic<bool> raised{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void NoteInterrupt(int) { raised.store(true); }

}  // namespace

InterruptFlag::InterruptFlag() {
  raised.store(false);
  struct sigaction action = {};
  action.sa_handler = NoteInterrupt;
  sigemptyset(&action.sa_mask);
  // Calls the signal interrupts are started again, so that reading and writing files go on.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, &previousInterrupt_);
  sigaction(SIGTERM, &action, &previousTerminate_);
}

InterruptFlag::~InterruptFlag() {
  sigaction(SIGINT, &previousInterrupt_, nullptr);
  sigaction(SIGTERM, &previousTerminate_, nullptr);
}

const std::atomic<bool>& InterruptFlag::Raised() const { return raised; }
