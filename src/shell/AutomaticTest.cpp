#include "shell/AutomaticTest.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// The first step comes almost at once, so the user sees the first count without waiting a
// whole period, yet after the dialog that started the test has closed and the window repainted.
constexpr std::chrono::milliseconds kFirstStepDelay{10};

}  // namespace

AutomaticTest::AutomaticTest(std::function<bool(std::uint32_t)> step, QObject* parent)
    : QObject(parent), step_(std::move(step)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &AutomaticTest::Step);
}

void AutomaticTest::Start(std::uint32_t first, std::uint32_t last,
                          std::chrono::milliseconds period) {
  ++generation_;
  next_ = first;
  // A last count below the first still gives the one step that shows the first count.
  end_ = std::uint64_t{std::max(first, last)} + 1;
  period_ = std::max(period, std::chrono::milliseconds{0});
  timer_.start(kFirstStepDelay);
  SetRunning(true);
}

void AutomaticTest::Stop() {
  ++generation_;
  timer_.stop();
  SetRunning(false);
}

std::uint32_t AutomaticTest::NextCount() const {
  return static_cast<std::uint32_t>(
      std::min<std::uint64_t>(next_, std::numeric_limits<std::uint32_t>::max()));
}

void AutomaticTest::Step() {
  if (!running_) return;
  const std::uint64_t generation = generation_;
  const bool applied = step_(static_cast<std::uint32_t>(next_));
  // The step may run an event loop of its own (a message box, a forced repaint) in which the
  // user pressed Stop or started a new test; that decision stands.
  if (generation != generation_) return;
  ++next_;
  if (!applied || next_ >= end_) {
    // A step that could not be applied has shown its message once; going on would show it
    // again at every step, so the run ends here.
    Stop();
    return;
  }
  timer_.start(period_);
}

void AutomaticTest::SetRunning(bool running) {
  if (running_ == running) return;
  running_ = running;
  emit RunningChanged(running);
}
