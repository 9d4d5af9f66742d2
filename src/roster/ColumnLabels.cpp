#include "roster/ColumnLabels.h"

#include "roster/CaseFold.h"

std::optional<CsvRefusal> FindLabelledColumns(const CsvRow& header,
                                              std::span<const ColumnLabel> labels,
                                              std::span<std::size_t> at) {
  for (std::size_t& field : at) field = kAbsentColumn;
  for (std::size_t field = 0; field < header.Fields.size(); ++field) {
    for (const ColumnLabel& label : labels) {
      if (!SameIgnoringCaseAndSpaces(header.Fields[field], label.Name)) continue;
      if (at[label.Column] != kAbsentColumn) {
        return CsvRefusal{header.Line,
                          "the header names the column " + std::string(label.Name) + " twice"};
      }
      at[label.Column] = field;
    }
  }
  return std::nullopt;
}

std::optional<CsvRefusal> MissingColumns(const CsvRow& header, std::span<const ColumnLabel> labels,
                                         std::span<const std::size_t> required,
                                         std::span<const std::size_t> at) {
  std::string names;
  for (const std::size_t column : required) {
    if (at[column] != kAbsentColumn) continue;
    for (const ColumnLabel& label : labels) {
      if (label.Column != column) continue;
      names += (names.empty() ? "" : " and ") + std::string(label.Name);
      break;
    }
  }
  if (names.empty()) return std::nullopt;
  return CsvRefusal{header.Line, "the header has no column " + names};
}
