#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "roster/CsvReader.h"

// The columns of a list's header row, found by their labels.

constexpr std::size_t kAbsentColumn = static_cast<std::size_t>(-1);

// A label a header may hold and the column of the list it names. Labels compare ignoring case
// and spaces.
struct ColumnLabel {
  std::string_view Name;
  std::size_t Column;
};

// Sets at[column] to the field of the header that holds the column's label, kAbsentColumn for a
// column no field names; refuses a header that names one column twice.
std::optional<CsvRefusal> FindLabelledColumns(const CsvRow& header,
                                              std::span<const ColumnLabel> labels,
                                              std::span<std::size_t> at);

// "the header has no column A and B" for the labels of the required columns at does not have;
// nothing when it has them all.
std::optional<CsvRefusal> MissingColumns(const CsvRow& header, std::span<const ColumnLabel> labels,
                                         std::span<const std::size_t> required,
                                         std::span<const std::size_t> at);
