#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "images/PictureProblem.h"

// How the composite of one group of a batch went, for the report and for the window.
struct GroupOutcome {
  enum class State {
    NotStarted,  // the batch stopped, or was cancelled, before it came to the group
    Written,
    Failed,
  };
  State Outcome = State::NotStarted;
  // The group's name and the full path of its file, written or not.
  std::string Group;
  std::string File;
  // Why the composite was not written, when it failed; a remark on one written, such as a
  // page left blank for want of images.
  std::string Failure;
  std::string Remark;
  // Pictures named by the list that are not there, and pictures there that cannot be read.
  std::vector<PictureProblem> Missing;
  std::vector<PictureProblem> Unreadable;
  // The smallest size a name was fitted to, in tenths of a point; 0 when none was drawn.
  std::uint32_t SmallestNameTenths = 0;
};

// Sorts a composite's problems into missing and unreadable pictures: a picture whose file is
// not there is missing, whatever the decoder said.
void SortPictureProblems(const std::vector<PictureProblem>& problems, GroupOutcome& outcome);
