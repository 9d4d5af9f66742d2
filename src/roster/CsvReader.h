#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One row of CSV text and the line of the text it starts on, counted from 1.
struct CsvRow {
  std::vector<std::string> Fields;
  std::size_t Line = 0;
};

// Why CSV text was refused and on which line.
struct CsvRefusal {
  std::size_t Line = 0;
  std::string Reason;
};

// Splits CSV text into rows: fields separated by commas, quoted fields with doubled quotes inside
// and commas and line ends kept, lines ending in LF, CR LF or CR. Spaces spreadsheets leave
// around a quoted field are skipped. Lines are counted as the rows are read, so that every
// refusal can name one. Text separated by TABs, as a portrait index is, reads the same way with
// TAB for the separator (spreadsheets quote such fields alike).
class CsvReader {
 public:
  // A field longer than maxFieldBytes is refused, which bounds the memory a hostile text takes.
  CsvReader(std::string_view text, std::size_t maxFieldBytes, char separator = ',');

  // The next row, or nothing at the end of the text; refusal is set when the text is malformed.
  // A row of more than maxFields fields is refused for the reason tooMany.
  std::optional<CsvRow> Next(std::size_t maxFields, const std::string& tooMany,
                             std::optional<CsvRefusal>& refusal);
  // The next row that is not blank (see IsBlankRow), as Next reads it.
  std::optional<CsvRow> NextFilled(std::size_t maxFields, const std::string& tooMany,
                                   std::optional<CsvRefusal>& refusal);

 private:
  bool IsBlank(char c) const;
  bool EndsPlainField(char c) const;
  bool SkipLineEnd();
  bool EndOfField();
  bool Append(std::string& field, char c, std::size_t line, std::optional<CsvRefusal>& refusal);
  bool Plain(std::string& field, std::optional<CsvRefusal>& refusal);
  bool Quoted(std::string& field, std::optional<CsvRefusal>& refusal);

  std::string_view text_;
  std::size_t maxFieldBytes_;
  char separator_;
  std::size_t at_ = 0;
  std::size_t line_ = 1;
};

// The line, counted from 1 as the reader counts them, that the byte at offset lies on.
std::size_t CsvLineAt(std::string_view text, std::size_t offset);

// The field without the spaces and tabs around it.
std::string TrimmedField(std::string_view field);

// The field as a name or a path is printed: one line, line ends inside it made spaces, without
// the spaces around it.
std::string SingleLineField(std::string_view field);

// Whether every field of the row is empty but for spaces: spreadsheets write such rows below
// the data, and they stand for nothing.
bool IsBlankRow(const CsvRow& row);
