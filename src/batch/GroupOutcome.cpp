#include "batch/GroupOutcome.h"

#include "platform/FileStamp.h"

void SortPictureProblems(const std::vector<PictureProblem>& problems, GroupOutcome& outcome) {
  for (const PictureProblem& problem : problems) {
    (PathExists(problem.Path) ? outcome.Unreadable : outcome.Missing).push_back(problem);
  }
}
