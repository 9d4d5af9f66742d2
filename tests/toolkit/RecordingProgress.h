#pragma once

#include <vector>

#include "toolkit/ProgressNotification.h"

// Keeps every part of the work a decoder or a data source reports done, in order.
class RecordingProgress : public ProgressNotification {
 public:
  void OnProgress(double part) override { parts.push_back(part); }
  std::vector<double> parts;
};
