// The batch's progress as a terminal and a log show it.
#include "cli/BatchProgressLine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchRun.h"
#include "cli/Reporter.h"

namespace {

BatchProgress Progress(std::size_t done, double left, std::string group) {
  BatchProgress progress;
  progress.What = BatchProgress::Event::Finished;
  progress.Done = done;
  progress.Total = 40;
  progress.SecondsLeft = left;
  progress.Group = std::move(group);
  return progress;
}

TEST(BatchProgressLineTest, TellsDonePercentTimeLeftAndGroup) {
  struct Case {
    BatchProgress progress;
    std::size_t columns;
    std::string text;
  };
  const std::vector<Case> cases = {
      {Progress(0, -1, "Room 4"), 80, "0/40  0%  Room 4"},
      {Progress(12, 65, "Room 4"), 80, "12/40  30%  about 1:05 left  Room 4"},
      {Progress(39, 3725.4, "Mrs. Okafor"), 80, "39/40  97%  about 1:02:05 left  Mrs. Okafor"},
      // Cut to the terminal, the last column left free, never inside a character.
      {Progress(12, 5, "Salle Émile"), 30, "12/40  30%  about 0:05 left  "},
      {Progress(12, 5, "Salle Émile"), 36, "12/40  30%  about 0:05 left  Salle "},
      {Progress(12, 5, "Salle Émile"), 37, "12/40  30%  about 0:05 left  Salle É"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProgressInPlace(c.progress, c.columns), c.text);
  }
  EXPECT_EQ(ProgressLogLine(Progress(12, 5, "Room 4")), "[12/40] Room 4");
}

// A line rewritten in place is cleared before a message, so the message starts on a clean line.
TEST(BatchProgressLineTest, MessagesClearTheLineInPlace) {
  std::ostringstream err;
  Reporter reporter(err);
  reporter.Progress("1/2  50%  Room 4", true);
  reporter.Progress("2/2  100%  Room 7", true);
  reporter.Say("a note");
  reporter.Progress("[2/2] Room 7", false);
  EXPECT_EQ(err.str(),
            "\r1/2  50%  Room 4\x1b[K\r2/2  100%  Room 7\x1b[K\r\x1b[K"
            "montage-designer: a note\nmontage-designer: [2/2] Room 7\n");
}

}  // namespace
