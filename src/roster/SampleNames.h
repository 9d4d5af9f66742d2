#pragma once

#include <cstdint>
#include <string_view>

// Made-up names for the preview's sample subjects: long, two-word and hyphenated names to try
// the name drawing, and two subjects who share a surname to try the sort.
struct SampleName {
  std::string_view First;
  std::string_view Last;
};

class SampleNames {
 public:
  static constexpr std::uint32_t Count = 10;

  static const SampleName& At(std::uint32_t index);

  // Hands out the pair at the cursor and moves the cursor on, wrapping after the last pair.
  // The cursor is process-wide and never reset, so redraws continue where the last one stopped.
  static const SampleName& Next();
  static std::uint32_t NameCursor();
};
