#pragma once

// Told how far a long operation has come. Implementations must not throw: they are called from
// inside the JPEG library.
class ProgressNotification {
 public:
  virtual ~ProgressNotification() = default;
  // part runs from 0.0 to 1.0.
  virtual void OnProgress(double part) = 0;
};
