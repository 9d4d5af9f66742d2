#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "images/LoadRetryPolicy.h"

// Stands in for the clock and the wait of the retries: every wait moves the clock on at once.
struct FakeClock {
  LoadRetryPolicy Policy() {
    LoadRetryPolicy policy;
    policy.NowMilliseconds = [this] { return now; };
    policy.SleepMilliseconds = [this](std::int64_t milliseconds) {
      waits.push_back(milliseconds);
      now += milliseconds;
      if (onWait) onWait();
    };
    return policy;
  }

  std::int64_t now = 1'000'000;
  std::vector<std::int64_t> waits;
  std::function<void()> onWait;
};
