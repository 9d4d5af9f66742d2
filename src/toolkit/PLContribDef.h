#pragma once

// The weighting function of the two-pass scale: how much a source pixel at distance x (in
// source pixels, scaled down when shrinking) contributes to a destination pixel. Weights are
// zero from the half-width outwards.
class PLContribDef {
 public:
  virtual ~PLContribDef() = default;
  virtual double Weight(double x) const = 0;
  double HalfWidth() const { return halfWidth_; }

 protected:
  explicit PLContribDef(double halfWidth) : halfWidth_(halfWidth) {}

 private:
  double halfWidth_;
};
