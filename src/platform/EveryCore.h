#pragma once

#include <cstddef>
#include <functional>

// Runs work(i) for every i below count on as many threads as there are cores, the calling thread
// among them; each thread takes the next index as it finishes one, so uneven pieces of work even
// out. With fewer threads to be had, the ones there are share the work. The first exception that
// a call throws stops the threads at their next index and is thrown again here once every thread
// has stopped.
void ForEachOnEveryCore(std::size_t count, const std::function<void(std::size_t)>& work);
