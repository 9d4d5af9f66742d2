#pragma once

#include <algorithm>
#include <vector>

#include "shell/DocumentView.h"

// Records the document's update hints in order, as a view would receive them.
struct HintRecorder : DocumentView {
  void OnUpdate(unsigned hint) override { hints.push_back(hint); }
  int Count(unsigned hint) const {
    return static_cast<int>(std::count(hints.begin(), hints.end(), hint));
  }
  std::vector<unsigned> hints;
};
