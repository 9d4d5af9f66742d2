#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>

// Steps the preview's number of images from a first to a last count, one step per period, so
// that a layout can be watched over a range of group sizes. It holds no widgets: the form gives
// it the step, and the period comes from outside so that tests can step in milliseconds.
class AutomaticTest : public QObject {
  Q_OBJECT

 public:
  // step(count) shows that many images (the form sets its number-of-images field and applies
  // the form); it returns false when the step could not be applied, which ends the run.
  explicit AutomaticTest(std::function<bool(std::uint32_t)> step, QObject* parent = nullptr);

  // Shows first, first + 1, ..., last: the first step 10 ms after the start, then one step per
  // period. The first count is always shown, even when last is not greater. Starting while
  // running starts over with the new values.
  void Start(std::uint32_t first, std::uint32_t last, std::chrono::milliseconds period);
  // No further step; the last count shown stays.
  void Stop();
  bool IsRunning() const { return running_; }
  // The count the next step shows; once a run has ended on its own, one more than the last
  // count shown (at most the largest 32-bit number).
  std::uint32_t NextCount() const;

 signals:
  // The form enables and disables Stop with it.
  void RunningChanged(bool running);

 private:
  void Step();
  void SetRunning(bool running);

  std::function<bool(std::uint32_t)> step_;
  // One single-shot timer, started again only once a step is done, so that a step slower than
  // the period (or one that waits in a message box) is never followed by a pile of steps.
  QTimer timer_;
  // Counted in 64 bits so that one past the largest count cannot wrap round to zero.
  std::uint64_t next_ = 0;
  std::uint64_t end_ = 0;
  std::chrono::milliseconds period_{0};
  bool running_ = false;
  // Changes with every Start and Stop, so that a step during which the user stopped or started
  // over does not go on with the run it belonged to.
  std::uint64_t generation_ = 0;
};
