#include "roster/CsvReader.h"

#include <algorithm>

namespace {

bool IsSpaceOrTab(char c) { return c == ' ' || c == '\t'; }

}  // namespace

CsvReader::CsvReader(std::string_view text, std::size_t maxFieldBytes, char separator)
    : text_(text), maxFieldBytes_(maxFieldBytes), separator_(separator) {}

// Blanks around a quoted field are skipped; a TAB that separates fields is never one.
bool CsvReader::IsBlank(char c) const { return c == ' ' || (c == '\t' && separator_ != '\t'); }

bool CsvReader::EndsPlainField(char c) const { return c == separator_ || c == '\r' || c == '\n'; }

std::optional<CsvRow> CsvReader::Next(std::size_t maxFields, const std::string& tooMany,
                                      std::optional<CsvRefusal>& refusal) {
  if (at_ >= text_.size()) return std::nullopt;
  CsvRow row;
  row.Line = line_;
  for (;;) {
    std::string field;
    // Spaces before an opening quote are what spreadsheets leave after a comma.
    std::size_t start = at_;
    while (start < text_.size() && IsBlank(text_[start])) ++start;
    const bool quoted = start < text_.size() && text_[start] == '"';
    if (quoted) at_ = start;
    const bool ended = quoted ? Quoted(field, refusal) : Plain(field, refusal);
    if (refusal) return std::nullopt;
    if (row.Fields.size() == maxFields) {
      refusal = CsvRefusal{row.Line, tooMany};
      return std::nullopt;
    }
    row.Fields.push_back(std::move(field));
    if (ended) return row;
  }
}

std::optional<CsvRow> CsvReader::NextFilled(std::size_t maxFields, const std::string& tooMany,
                                            std::optional<CsvRefusal>& refusal) {
  std::optional<CsvRow> row;
  do {
    row = Next(maxFields, tooMany, refusal);
  } while (row && IsBlankRow(*row));
  return row;
}

// Steps over a line end at the cursor, if there is one, and counts it.
bool CsvReader::SkipLineEnd() {
  if (at_ >= text_.size()) return true;
  if (text_[at_] == '\r') {
    ++at_;
    if (at_ < text_.size() && text_[at_] == '\n') ++at_;
  } else if (text_[at_] == '\n') {
    ++at_;
  } else {
    return false;
  }
  ++line_;
  return true;
}

// After a field: true at the end of the row, false before the next field of the same row.
bool CsvReader::EndOfField() {
  if (at_ < text_.size() && text_[at_] == separator_) {
    ++at_;
    // A comma at the very end of the text still opens one more, empty, field.
    return false;
  }
  return SkipLineEnd();
}

bool CsvReader::Append(std::string& field, char c, std::size_t line,
                       std::optional<CsvRefusal>& refusal) {
  if (field.size() == maxFieldBytes_) {
    refusal =
        CsvRefusal{line, "a field is longer than " + std::to_string(maxFieldBytes_) + " bytes"};
    return false;
  }
  field.push_back(c);
  return true;
}

bool CsvReader::Plain(std::string& field, std::optional<CsvRefusal>& refusal) {
  while (at_ < text_.size() && !EndsPlainField(text_[at_])) {
    if (!Append(field, text_[at_++], line_, refusal)) return true;
  }
  if (at_ >= text_.size()) return true;
  return EndOfField();
}

bool CsvReader::Quoted(std::string& field, std::optional<CsvRefusal>& refusal) {
  const std::size_t opened = line_;
  ++at_;
  for (;;) {
    if (at_ >= text_.size()) {
      refusal = CsvRefusal{opened, "a quoted field is not closed"};
      return true;
    }
    const char c = text_[at_];
    if (c == '"') {
      if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
        at_ += 2;
        if (!Append(field, '"', opened, refusal)) return true;
        continue;
      }
      ++at_;
      break;
    }
    // Line ends inside quotes belong to the field but still count as lines of the text.
    if (c == '\r' || c == '\n') {
      const std::size_t start = at_;
      SkipLineEnd();
      for (std::size_t i = start; i < at_; ++i) {
        if (!Append(field, text_[i], opened, refusal)) return true;
      }
      continue;
    }
    if (!Append(field, c, opened, refusal)) return true;
    ++at_;
  }
  // Spaces after the closing quote are what spreadsheets leave; anything else means the quotes
  // do not say where the field ends.
  while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
  if (at_ < text_.size() && !EndsPlainField(text_[at_])) {
    refusal = CsvRefusal{line_, "text follows the closing quote of a field"};
    return true;
  }
  return EndOfField();
}

std::size_t CsvLineAt(std::string_view text, std::size_t offset) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

std::string TrimmedField(std::string_view field) {
  while (!field.empty() && IsSpaceOrTab(field.front())) field.remove_prefix(1);
  while (!field.empty() && IsSpaceOrTab(field.back())) field.remove_suffix(1);
  return std::string(field);
}

std::string SingleLineField(std::string_view field) {
  std::string line;
  line.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\r' && i + 1 < field.size() && field[i + 1] == '\n') continue;
    line += field[i] == '\r' || field[i] == '\n' ? ' ' : field[i];
  }
  return TrimmedField(line);
}

bool IsBlankRow(const CsvRow& row) {
  return std::all_of(row.Fields.begin(), row.Fields.end(),
                     [](const std::string& field) { return TrimmedField(field).empty(); });
}
