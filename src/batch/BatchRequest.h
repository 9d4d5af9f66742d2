#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "output/CompositeOutput.h"
#include "roster/GroupBy.h"

// What a batch is asked to make: one composite per group of the school in a list (a portrait
// index or a CSV class list), written into a folder. The layout and the preview settings (paper,
// caption lines, the missing-pictures policy) are given beside it.
struct BatchRequest {
  // The lowest and highest resolution a composite is made at, as for a single one.
  static constexpr std::uint32_t MinimumDpi = 1;
  static constexpr std::uint32_t MaximumDpi = 10000;

  std::string ListPath;
  // Made with its parents when missing.
  std::string OutputFolder;
  OutputFormat Format = OutputFormat::Jpeg;
  std::uint32_t Dpi = 300;
  // Nothing groups as the list suggests (DefaultGroupBy).
  std::optional<GroupBy> By;
  // The names of the groups to make, for retakes; empty makes every group.
  std::vector<std::string> Only;
  // The file name of each composite, with the fields of a caption line; the extension is added.
  std::string FileName = "{Group}";
  // The proof PDF with a page per composite; empty for none.
  std::string ProofPath;
  // Workers drawing at once; 0 for one per core.
  std::size_t Jobs = 0;
};
