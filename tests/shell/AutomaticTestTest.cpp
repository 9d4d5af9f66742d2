#include "shell/AutomaticTest.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Counts = std::vector<std::uint32_t>;

constexpr std::uint32_t kLargest = std::numeric_limits<std::uint32_t>::max();
// Short enough that a whole run takes milliseconds.
constexpr std::chrono::milliseconds kPeriod = 2ms;

// Lets the event loop run for many periods, in which a timer left running would step again.
void LetTimePass() {
  QEventLoop loop;
  QTimer::singleShot(kPeriod * 15, &loop, &QEventLoop::quit);
  loop.exec();
}

// An automatic test whose steps record the counts they were given. A test may give each step
// more to do (stop, start over, refuse) through OnStep.
class Stepping : public testing::Test {
 protected:
  Stepping() {
    QObject::connect(&test_, &AutomaticTest::RunningChanged,
                     [this](bool running) { changes_.push_back(running); });
  }

  // Runs the event loop until the run has ended. A run that never ends fails the test after
  // a generous limit instead of hanging it; the limit is no measure of speed.
  void RunToTheEnd() {
    if (!test_.IsRunning()) return;
    QEventLoop loop;
    QObject::connect(&test_, &AutomaticTest::RunningChanged, &loop, [&](bool running) {
      if (!running) loop.quit();
    });
    bool gaveUp = false;
    QTimer::singleShot(20s, &loop, [&] {
      gaveUp = true;
      loop.quit();
    });
    loop.exec();
    EXPECT_FALSE(gaveUp) << "the run did not end";
  }
  // Runs the event loop until a step has shown the count, and returns there between two steps.
  void RunUntilShown(std::uint32_t count) {
    QEventLoop loop;
    const std::function<bool(std::uint32_t)> before = onStep_;
    onStep_ = [&](std::uint32_t shown) {
      if (shown == count) loop.quit();
      return before ? before(shown) : true;
    };
    QTimer::singleShot(20s, &loop, &QEventLoop::quit);
    loop.exec();
    onStep_ = before;
    ASSERT_FALSE(steps_.empty());
    ASSERT_EQ(steps_.back(), count) << "the run did not reach the count";
  }
  Counts steps_;
  std::vector<bool> changes_;
  std::function<bool(std::uint32_t)> onStep_;
  AutomaticTest test_{[this](std::uint32_t count) {
    steps_.push_back(count);
    return onStep_ ? onStep_(count) : true;
  }};
};

TEST_F(Stepping, IsIdleUntilStarted) {
  EXPECT_FALSE(test_.IsRunning());
  test_.Stop();
  LetTimePass();
  EXPECT_TRUE(steps_.empty());
  EXPECT_TRUE(changes_.empty());
}

struct RangeCase {
  std::uint32_t First;
  std::uint32_t Last;
  Counts Shown;
  std::uint32_t NextAfterwards;
};

class SteppingRange : public Stepping, public testing::WithParamInterface<RangeCase> {};

TEST_P(SteppingRange, ShowsEveryCountOnceInOrderAndThenStops) {
  const RangeCase& c = GetParam();
  test_.Start(c.First, c.Last, kPeriod);
  EXPECT_TRUE(test_.IsRunning());
  EXPECT_EQ(test_.NextCount(), c.First);
  EXPECT_EQ(changes_, std::vector<bool>{true});
  EXPECT_TRUE(steps_.empty()) << "the first step comes from the event loop, not from Start";

  RunToTheEnd();
  EXPECT_EQ(steps_, c.Shown);
  EXPECT_EQ(changes_, (std::vector<bool>{true, false}));
  EXPECT_FALSE(test_.IsRunning());
  EXPECT_EQ(test_.NextCount(), c.NextAfterwards);
  LetTimePass();
  EXPECT_EQ(steps_, c.Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, SteppingRange,
    testing::Values(RangeCase{25, 35, {25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35}, 36},
                    RangeCase{3, 4, {3, 4}, 5}, RangeCase{9997, 9999, {9997, 9998, 9999}, 10000},
                    // The dialog refuses these; a caller that passes them still gets an end.
                    RangeCase{7, 7, {7}, 8}, RangeCase{9, 4, {9}, 10},
                    RangeCase{kLargest - 1, kLargest, {kLargest - 1, kLargest}, kLargest},
                    RangeCase{kLargest, kLargest, {kLargest}, kLargest}));

// What a step does besides showing its count, given how deep in steps it runs; false refuses it.
using StepAction = bool (*)(AutomaticTest& test, std::uint32_t count, int depth);
// What the user does between steps once 12 was shown.
using UserAction = void (*)(AutomaticTest& test);

bool StopAt12(AutomaticTest& test, std::uint32_t count, int) {
  if (count == 12) test.Stop();
  return true;
}
bool StartOverAt12(AutomaticTest& test, std::uint32_t count, int) {
  if (count == 12) test.Start(50, 52, kPeriod);
  return true;
}
bool Refuse7(AutomaticTest&, std::uint32_t count, int) { return count != 7; }
bool RefuseAll(AutomaticTest&, std::uint32_t, int) { return false; }
// As a message box or a forced repaint does. Only the outer step waits, so that a fault shows as
// a failure rather than a hang.
bool RunTheEventLoop(AutomaticTest&, std::uint32_t, int depth) {
  if (depth == 1) LetTimePass();
  return true;
}
void Stop(AutomaticTest& test) { test.Stop(); }
void StartOver(AutomaticTest& test) { test.Start(50, 52, kPeriod); }

struct RunCase {
  std::uint32_t First;
  std::uint32_t Last;
  StepAction Step;
  UserAction After12;
  Counts Shown;
  std::optional<std::uint32_t> NextAfterwards;
};

class SteppingRun : public Stepping, public testing::WithParamInterface<RunCase> {};

TEST_P(SteppingRun, EndsAsItsStepsAndTheUserSayAndNeverOverlapsSteps) {
  const RunCase& c = GetParam();
  int depth = 0;
  int deepest = 0;
  onStep_ = [&](std::uint32_t count) {
    deepest = std::max(deepest, ++depth);
    const bool applied = c.Step == nullptr || c.Step(test_, count, depth);
    --depth;
    return applied;
  };
  test_.Start(c.First, c.Last, kPeriod);
  if (c.After12 != nullptr) {
    RunUntilShown(12);
    c.After12(test_);
  }
  RunToTheEnd();
  LetTimePass();
  EXPECT_EQ(steps_, c.Shown);
  // Starting over is no change of running, so the Stop button is not flickered.
  EXPECT_EQ(changes_, (std::vector<bool>{true, false}));
  EXPECT_FALSE(test_.IsRunning());
  if (c.NextAfterwards) {
    EXPECT_EQ(test_.NextCount(), *c.NextAfterwards);
  }
  // A timer that kept firing while a step ran the event loop would start steps inside steps.
  EXPECT_EQ(deepest, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SteppingRun,
    testing::Values(
        // Stop between steps keeps the last count shown; pressed during a step it ends the run.
        RunCase{10, 20, nullptr, Stop, {10, 11, 12}, 13},
        RunCase{10, 20, StopAt12, nullptr, {10, 11, 12}, {}},
        // A step that cannot be applied ends the run, the first one at once.
        RunCase{5, 30, Refuse7, nullptr, {5, 6, 7}, {}},
        RunCase{25, 35, RefuseAll, nullptr, {25}, {}},
        // Start between steps or during one starts over.
        RunCase{10, 20, nullptr, StartOver, {10, 11, 12, 50, 51, 52}, 53},
        RunCase{10, 20, StartOverAt12, nullptr, {10, 11, 12, 50, 51, 52}, {}},
        RunCase{3, 6, RunTheEventLoop, nullptr, {3, 4, 5, 6}, {}}));

TEST_F(Stepping, TheSameTestCanRunAgainAfterItEnded) {
  test_.Start(3, 4, kPeriod);
  RunToTheEnd();
  test_.Start(8, 9, kPeriod);
  RunToTheEnd();
  EXPECT_EQ(steps_, (Counts{3, 4, 8, 9}));
  EXPECT_EQ(changes_, (std::vector<bool>{true, false, true, false}));
}

TEST_F(Stepping, DestroyingARunningTestStepsNoMore) {
  Counts shown;
  {
    AutomaticTest test([&](std::uint32_t count) {
      shown.push_back(count);
      return true;
    });
    test.Start(3, 9999, kPeriod);
  }
  LetTimePass();
  EXPECT_TRUE(shown.empty());
}

}  // namespace
