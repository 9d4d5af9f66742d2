#pragma once

#include "toolkit/PLObject.h"

class PLBmp;

// An object that holds its parameters and turns one bitmap into another.
//
// A concrete filter implements Produce, which creates the target with Create and fills it from
// the source. FilterInto and FilterInPlace are the entry points: they make sure Produce never
// sees the same bitmap as source and target, since creating the target would free the source.
class PLFilter : public PLObject {
 public:
  // Filters into a scratch bitmap and copies the result back, so the bitmap keeps its kind
  // and stays as it was when the filter fails.
  void FilterInPlace(PLBmp& bitmap) const;
  // Makes target the filtered source; given the same bitmap twice it filters in place.
  void FilterInto(const PLBmp& source, PLBmp& target) const;

 protected:
  PLFilter() = default;
  virtual void Produce(const PLBmp& source, PLBmp& target) const = 0;
};
