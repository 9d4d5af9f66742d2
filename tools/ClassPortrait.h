#pragma once

#include <cstdint>

class QImage;

// A made-up class photograph: a head-and-shoulders figure before a studio backdrop, different
// for every seed (backdrop, skin, hair, clothes, pose), with fine hair strands, cloth texture and
// sensor grain, so that the file compresses as a camera's photograph does and the decoder meets
// the same amount of detail. Nobody's real picture is used.
class ClassPortrait {
 public:
  static QImage Draw(int width, int height, std::uint32_t seed);
};
