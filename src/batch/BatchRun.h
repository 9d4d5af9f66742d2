#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "batch/GroupOutcome.h"

class Montage;
class PreviewSettings;
struct BatchRequest;

// Where a batch has got to, told when a worker starts a group and when it has finished one.
struct BatchProgress {
  enum class Event { Started, Finished };
  Event What = Event::Started;
  // The composite's place in the batch's order, and its group's name.
  std::size_t Index = 0;
  std::string Group;
  // Composites finished, written or failed, out of those asked for.
  std::size_t Done = 0;
  std::size_t Total = 0;
  double SecondsElapsed = 0;
  // The time the rest should take at the pace so far; negative before anything is finished.
  double SecondsLeft = -1;
};

// Told of the progress from the workers' threads, one call at a time. The call holds up the
// worker that makes it, so it only passes the news on (prints a line, posts it to a window).
using BatchProgressCallback = std::function<void(const BatchProgress&)>;

// How a batch ended.
struct BatchResult {
  enum class Status {
    Done,
    // Every composite was written, but some picture could not be drawn.
    PicturesMissing,
    // The request cannot be followed as written (an unknown field or group, a resolution the
    // paper cannot be drawn at); nothing was drawn.
    Refused,
    // The list, the folder or a write failed; the composites already written are kept.
    Failed,
    // Stopped by the caller's flag; the composites already written are kept.
    Cancelled,
  };
  Status Outcome = Status::Done;
  // Why the batch was refused or failed.
  std::string Message;
  // The summary line ("40 composites, 1,012 pupils: see report.csv"), once the groups were
  // known; empty when the batch stopped before.
  std::string Summary;
  // What the caller should pass on about the whole batch (a list read as Windows-1252, a proof
  // not written); the report holds them too.
  std::vector<std::string> Notes;
  // One per composite asked for, in the school's order.
  std::vector<GroupOutcome> Groups;
};

// Makes one composite per group of the school in the request's list, on the request's number of
// worker threads, each taking the next group in order with an image cache of its own that holds
// one group's pictures at a time, so that memory does not grow with the school. Everything that
// can be checked is checked before anything is drawn (see BatchPlan), the proof is begun before
// the first composite, and every file is written whole or not at all.
//
// Setting cancel stops the batch: the workers finish the files they are writing and start no
// other. A composite that cannot be drawn or written (a full disk) stops it the same way. Either
// way the proof, unless every composite was made, is not written (an earlier proof stays), and
// the report lists what was done. Nothing is printed; the result says how it went.
BatchResult RunBatch(const Montage& layout, const PreviewSettings& settings,
                     const BatchRequest& request, const BatchProgressCallback& progress,
                     const std::atomic<bool>& cancel);
