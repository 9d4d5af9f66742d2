#pragma once

#include "toolkit/PLFilter.h"

// The base of the filters that scale a picture to a new size.
class PLFilterResize : public PLFilter {
 public:
  int NewWidth() const { return newWidth_; }
  int NewHeight() const { return newHeight_; }

 protected:
  PLFilterResize(int newWidth, int newHeight) : newWidth_(newWidth), newHeight_(newHeight) {}

 private:
  int newWidth_;
  int newHeight_;
};
