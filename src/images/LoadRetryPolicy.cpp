#include "images/LoadRetryPolicy.h"

#include <chrono>
#include <thread>

LoadRetryPolicy LoadRetryPolicy::Standard() {
  LoadRetryPolicy policy;
  policy.NowMilliseconds = [] {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::int64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  };
  policy.SleepMilliseconds = [](std::int64_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  };
  return policy;
}

LoadRetryPolicy LoadRetryPolicy::SingleAttempt() {
  LoadRetryPolicy policy = Standard();
  policy.WindowMilliseconds = 0;
  return policy;
}
