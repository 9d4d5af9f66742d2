// Work shared out over every core: each index runs once whatever the count, and a call that
// throws stops the work and reaches the caller once every thread has stopped.
#include "platform/EveryCore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

TEST(EveryCore, RunsEachIndexOnce) {
  for (const std::size_t count :
       {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{97}}) {
    SCOPED_TRACE(count);
    std::vector<std::atomic<int>> runs(count);
    ForEachOnEveryCore(count, [&](std::size_t i) { ++runs[i]; });
    for (const std::atomic<int>& run : runs) EXPECT_EQ(run.load(), 1);
  }
}

TEST(EveryCore, AFailureStopsTheWorkAndReachesTheCaller) {
  std::atomic<std::size_t> ran{0};
  std::atomic<bool> thrown{false};
  const auto work = [&](std::size_t i) {
    ++ran;
    if (i == 3) {
      thrown = true;
      throw std::runtime_error("no memory for it");
    }
    // Later indices wait for the failure and take a while after it, so that no thread races
    // through all of them before the failure is caught.
    if (i > 3) {
      while (!thrown) std::this_thread::yield();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  };
  EXPECT_THROW(ForEachOnEveryCore(10000, work), std::runtime_error);
  EXPECT_LT(ran.load(), 100u);
}

}  // namespace
