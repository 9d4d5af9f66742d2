#include "shell/AutomaticTest.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Counts = std::vector<std::uint32_t>;

constexpr std::uint32_t kLargest = std::numeric_limits<std::uint32_t>::max();
// Short enough that a whole run takes milliseconds.
constexpr std::chrono::milliseconds kPeriod = 2ms;

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
  // Lets the event loop run for many periods, in which a timer left running would step again.
  static void LetTimePass() {
    QEventLoop loop;
    QTimer::singleShot(kPeriod * 15, &loop, &QEventLoop::quit);
    loop.exec();
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

TEST_F(Stepping, StopBetweenStepsKeepsTheLastCountShown) {
  test_.Start(10, 20, kPeriod);
  RunUntilShown(12);
  test_.Stop();
  EXPECT_FALSE(test_.IsRunning());
  EXPECT_EQ(changes_, (std::vector<bool>{true, false}));
  LetTimePass();
  EXPECT_EQ(steps_, (Counts{10, 11, 12}));
  EXPECT_EQ(test_.NextCount(), 13u);
}

TEST_F(Stepping, StopPressedDuringAStepEndsTheRun) {
  // As when the user presses Stop while a step waits in a message box or a repaint.
  onStep_ = [this](std::uint32_t count) {
    if (count == 12) test_.Stop();
    return true;
  };
  test_.Start(10, 20, kPeriod);
  RunToTheEnd();
  LetTimePass();
  EXPECT_EQ(steps_, (Counts{10, 11, 12}));
  EXPECT_EQ(changes_, (std::vector<bool>{true, false}));
}

TEST_F(Stepping, AStepThatCannotBeAppliedEndsTheRun) {
  onStep_ = [](std::uint32_t count) { return count != 7; };
  test_.Start(5, 30, kPeriod);
  RunToTheEnd();
  LetTimePass();
  EXPECT_EQ(steps_, (Counts{5, 6, 7}));
  EXPECT_EQ(changes_, (std::vector<bool>{true, false}));
  EXPECT_FALSE(test_.IsRunning());
}

TEST_F(Stepping, AFailingFirstStepEndsTheRunAtOnce) {
  onStep_ = [](std::uint32_t) { return false; };
  test_.Start(25, 35, kPeriod);
  RunToTheEnd();
  LetTimePass();
  EXPECT_EQ(steps_, (Counts{25}));
  EXPECT_EQ(changes_, (std::vector<bool>{true, false}));
}

TEST_F(Stepping, StartBetweenStepsStartsOver) {
  test_.Start(10, 20, kPeriod);
  RunUntilShown(12);
  test_.Start(50, 52, kPeriod);
  EXPECT_EQ(test_.NextCount(), 50u);
  RunToTheEnd();
  EXPECT_EQ(steps_, (Counts{10, 11, 12, 50, 51, 52}));
  // Starting over is no change of running, so the Stop button is not flickered.
  EXPECT_EQ(changes_, (std::vector<bool>{true, false}));
}

TEST_F(Stepping, StartDuringAStepStartsOver) {
  onStep_ = [this](std::uint32_t count) {
    if (count == 12) test_.Start(50, 52, kPeriod);
    return true;
  };
  test_.Start(10, 20, kPeriod);
  RunToTheEnd();
  EXPECT_EQ(steps_, (Counts{10, 11, 12, 50, 51, 52}));
  EXPECT_EQ(changes_, (std::vector<bool>{true, false}));
}

TEST_F(Stepping, TheSameTestCanRunAgainAfterItEnded) {
  test_.Start(3, 4, kPeriod);
  RunToTheEnd();
  test_.Start(8, 9, kPeriod);
  RunToTheEnd();
  EXPECT_EQ(steps_, (Counts{3, 4, 8, 9}));
  EXPECT_EQ(changes_, (std::vector<bool>{true, false, true, false}));
}

TEST_F(Stepping, AStepThatRunsTheEventLoopIsNeverOverlapped) {
  // Each step runs the event loop for several periods, as a message box or a forced repaint
  // does; a timer that kept firing meanwhile would start steps inside steps.
  int depth = 0;
  int deepest = 0;
  onStep_ = [&](std::uint32_t) {
    deepest = std::max(deepest, ++depth);
    // Only the outer step waits, so that a fault shows as a failure rather than a hang.
    if (depth == 1) LetTimePass();
    --depth;
    return true;
  };
  test_.Start(3, 6, kPeriod);
  RunToTheEnd();
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(steps_, (Counts{3, 4, 5, 6}));
  EXPECT_EQ(changes_, (std::vector<bool>{true, false}));
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
