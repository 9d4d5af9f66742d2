#pragma once

#include <cstddef>
#include <string>

struct BatchProgress;

// The text of a batch's progress on a terminal: "12/40  30%  about 1:05 left  Room 4", cut to
// the terminal's width (columns, counted in characters) so that rewriting it in place works.
std::string ProgressInPlace(const BatchProgress& progress, std::size_t columns);

// A line of a batch's progress in a log, told when a group is finished: "[12/40] Room 4".
std::string ProgressLogLine(const BatchProgress& progress);

// Seconds as "0:05", "1:05" or "1:01:05".
std::string ClockText(double seconds);
