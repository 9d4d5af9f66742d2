#include "cli/BatchProgressLine.h"

#include <algorithm>
#include <cmath>

#include "batch/BatchRun.h"

namespace {

std::string TwoDigits(long value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// The text cut to at most columns characters of UTF-8, never inside one.
std::string CutTo(std::string text, std::size_t columns) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) continue;
    if (++characters > columns) {
      text.resize(at);
      break;
    }
  }
  return text;
}

}  // namespace

std::string ClockText(double seconds) {
  const long whole = std::lround(std::max(0.0, seconds));
  const long hours = whole / 3600;
  const long minutes = whole / 60 % 60;
  const std::string tail = TwoDigits(whole % 60);
  if (hours > 0) return std::to_string(hours) + ":" + TwoDigits(minutes) + ":" + tail;
  return std::to_string(minutes) + ":" + tail;
}

std::string ProgressInPlace(const BatchProgress& progress, std::size_t columns) {
  const std::size_t percent = progress.Total == 0 ? 100 : progress.Done * 100 / progress.Total;
  std::string text = std::to_string(progress.Done) + "/" + std::to_string(progress.Total) + "  " +
                     std::to_string(percent) + "%";
  if (progress.SecondsLeft >= 0) text += "  about " + ClockText(progress.SecondsLeft) + " left";
  text += "  " + progress.Group;
  // The last column stays free: a terminal that wraps there would move the line down.
  return CutTo(std::move(text), columns > 1 ? columns - 1 : columns);
}

std::string ProgressLogLine(const BatchProgress& progress) {
  return "[" + std::to_string(progress.Done) + "/" + std::to_string(progress.Total) + "] " +
         progress.Group;
}
