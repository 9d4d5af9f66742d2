#include "platform/EveryCore.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

void ForEachOnEveryCore(std::size_t count, const std::function<void(std::size_t)>& work) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stopped{false};
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto run = [&] {
    for (std::size_t i = next++; i < count && !stopped; i = next++) {
      try {
        work(i);
      } catch (...) {
        const std::lock_guard<std::mutex> guard(failureLock);
        if (!failure) failure = std::current_exception();
        stopped = true;
      }
    }
  };
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t helpers = std::min(cores, count) > 0 ? std::min(cores, count) - 1 : 0;
  {
    std::vector<std::jthread> threads;
    for (std::size_t i = 0; i < helpers; ++i) {
      try {
        threads.emplace_back(run);
      } catch (const std::system_error&) {
        break;
      } catch (const std::bad_alloc&) {
        break;
      }
    }
    run();
  }
  if (failure) std::rethrow_exception(failure);
}
