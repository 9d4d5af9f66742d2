#pragma once

// The root of the toolkit's classes: a virtual destructor and a validity check for debugging.
class PLObject {
 public:
  virtual ~PLObject() = default;
  virtual void CheckValid() const {}

 protected:
  PLObject() = default;
  PLObject(const PLObject&) = default;
  PLObject& operator=(const PLObject&) = default;
};
