#pragma once

#include <cstdint>
#include <functional>

// How long the image cache keeps trying a file that exists but cannot be decoded (a file still
// being written or locked by another program), and the clock and the wait it uses. Tests put in
// a clock and a wait of their own so that they never really wait.
struct LoadRetryPolicy {
  // The program's policy: every 250 ms for up to 20 s, on the steady clock.
  static LoadRetryPolicy Standard();
  // One attempt only, for runs where nobody would see why the program waits.
  static LoadRetryPolicy SingleAttempt();

  std::function<std::int64_t()> NowMilliseconds;
  std::function<void(std::int64_t)> SleepMilliseconds;
  std::int64_t WindowMilliseconds = 20'000;
  std::int64_t IntervalMilliseconds = 250;
};
