#include "images/ClassList.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
const std::string kTooManyColumns =
    "the header has more than " + std::to_string(ClassList::MaxColumns) + " columns";

struct Row {
  std::vector<std::string> Fields;
  std::size_t Line = 0;
};

// Why the text was refused and on which line.
struct Refusal {
  std::size_t Line = 0;
  std::string Reason;
};

// Splits CSV text into rows, counting lines as it goes so that every refusal can name one.
class CsvRows {
 public:
  explicit CsvRows(std::string_view text) : text_(text) {}

  // The next row, or nothing at the end of the text; refusal is set when the text is malformed.
  // A row of more than maxFields fields is refused for the reason tooMany.
  std::optional<Row> Next(std::size_t maxFields, const std::string& tooMany,
                          std::optional<Refusal>& refusal) {
    if (at_ >= text_.size()) return std::nullopt;
    Row row;
    row.Line = line_;
    for (;;) {
      std::string field;
      // Spaces before an opening quote are what spreadsheets leave after a comma.
      std::size_t start = at_;
      while (start < text_.size() && (text_[start] == ' ' || text_[start] == '\t')) ++start;
      const bool quoted = start < text_.size() && text_[start] == '"';
      if (quoted) at_ = start;
      const bool ended = quoted ? Quoted(field, refusal) : Plain(field, refusal);
      if (refusal) return std::nullopt;
      if (row.Fields.size() == maxFields) {
        refusal = Refusal{row.Line, tooMany};
        return std::nullopt;
      }
      row.Fields.push_back(std::move(field));
      if (ended) return row;
    }
  }

 private:
  // Steps over a line end at the cursor, if there is one, and counts it.
  bool SkipLineEnd() {
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
  bool EndOfField() {
    if (at_ < text_.size() && text_[at_] == ',') {
      ++at_;
      // A comma at the very end of the text still opens one more, empty, field.
      return false;
    }
    return SkipLineEnd();
  }

  bool Append(std::string& field, char c, std::size_t line, std::optional<Refusal>& refusal) {
    if (field.size() == ClassList::MaxFieldBytes) {
      refusal = Refusal{
          line, "a field is longer than " + std::to_string(ClassList::MaxFieldBytes) + " bytes"};
      return false;
    }
    field.push_back(c);
    return true;
  }

  bool Plain(std::string& field, std::optional<Refusal>& refusal) {
    while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\r' && text_[at_] != '\n') {
      if (!Append(field, text_[at_++], line_, refusal)) return true;
    }
    if (at_ >= text_.size()) return true;
    return EndOfField();
  }

  bool Quoted(std::string& field, std::optional<Refusal>& refusal) {
    const std::size_t opened = line_;
    ++at_;
    for (;;) {
      if (at_ >= text_.size()) {
        refusal = Refusal{opened, "a quoted field is not closed"};
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
      // Line ends inside quotes belong to the field but still count as lines of the file.
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
    // Spaces after the closing quote are what spreadsheets leave; anything else means the
    // quotes do not say where the field ends.
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
    if (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '\r' && text_[at_] != '\n') {
      refusal = Refusal{line_, "text follows the closing quote of a field"};
      return true;
    }
    return EndOfField();
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t line_ = 1;
};

// The offset of the first byte that is not part of well-formed UTF-8 (a zero byte counts as
// malformed: no name or path holds one), or npos.
std::size_t FirstInvalidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0) return i;
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    std::uint32_t low = 0;
    std::uint32_t code = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2, low = 0x80, code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3, low = 0x800, code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4, low = 0x10000, code = c & 0x07;
    } else {
      return i;
    }
    if (i + length > text.size()) return i;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return i;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points past the last plane are not characters.
    if (code < low || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return i;
    i += length;
  }
  return std::string_view::npos;
}

std::size_t LineAt(std::string_view text, std::size_t offset) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

// A name as it is printed: one line, without the spaces around it.
std::string NameOf(const std::string& text) {
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    name += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
  }
  return Trimmed(name);
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

bool EveryFieldEmpty(const Row& row) {
  return std::all_of(row.Fields.begin(), row.Fields.end(),
                     [](const std::string& field) { return Trimmed(field).empty(); });
}

enum Column : std::size_t { kFirstName, kLastName, kPicture, kMain, kColumnCount };
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {"FirstName", "LastName",
                                                                     "Picture", "Main"};
constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

// Finds each known column in the header; refuses a header that names one twice or lacks one
// that is required.
std::optional<Refusal> FindColumns(const Row& header, std::array<std::size_t, kColumnCount>& at) {
  at.fill(kAbsent);
  for (std::size_t field = 0; field < header.Fields.size(); ++field) {
    const std::string name = Trimmed(header.Fields[field]);
    for (std::size_t column = 0; column < kColumnCount; ++column) {
      if (!SameName(name, kColumnNames[column])) continue;
      if (at[column] != kAbsent) {
        return Refusal{header.Line, "the header names the column " +
                                        std::string(kColumnNames[column]) + " twice"};
      }
      at[column] = field;
    }
  }
  std::vector<std::string_view> missing;
  for (std::size_t column = kFirstName; column <= kPicture; ++column) {
    if (at[column] == kAbsent) missing.push_back(kColumnNames[column]);
  }
  if (missing.empty()) return std::nullopt;
  if (missing.size() == 3) {
    return Refusal{header.Line,
                   "no header row: the first line must name the columns FirstName, LastName and "
                   "Picture"};
  }
  std::string names;
  for (std::size_t i = 0; i < missing.size(); ++i) {
    names += (i == 0 ? "" : " and ") + std::string(missing[i]);
  }
  return Refusal{header.Line, "the header has no column " + names};
}

std::string PicturePath(const std::string& field, const std::string& folder) {
  const std::string path = Trimmed(field);
  if (path.empty()) return {};
  const fs::path picture(path);
  if (picture.is_absolute() || folder.empty()) return picture.lexically_normal().string();
  return (fs::path(folder) / picture).lexically_normal().string();
}

}  // namespace

void ClassList::Fail(const std::string& name, std::size_t line, const std::string& reason) {
  members_.clear();
  mainIndex_ = 0;
  errorLine_ = line;
  error_ = line != 0 ? name + ", line " + std::to_string(line) + ": " + reason
                     : "cannot read " + name + ": " + reason;
}

ClassList ClassList::Read(const std::string& path) {
  ClassList list;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    list.Fail(path, 0, std::strerror(errno));
    return list;
  }
  // One byte past the bound tells a file that is too long, whatever it claims to be (a pipe
  // claims nothing).
  std::string text(MaxFileBytes + 1, '\0');
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (file.bad()) {
    list.Fail(path, 0, "the file cannot be read");
    return list;
  }
  text.resize(static_cast<std::size_t>(file.gcount()));
  if (text.size() > MaxFileBytes) {
    list.Fail(path, 0, "the file is larger than " + std::to_string(MaxFileBytes >> 20) + " MiB");
    return list;
  }
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  const std::string folder = error ? std::string() : absolute.parent_path().string();
  return Parse(text, folder, path);
}

ClassList ClassList::Parse(std::string_view text, const std::string& folder,
                           const std::string& name) {
  ClassList list;
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  if (const std::size_t bad = FirstInvalidUtf8(text); bad != std::string_view::npos) {
    list.Fail(name, LineAt(text, bad), "the text is not UTF-8; save the list as CSV UTF-8");
    return list;
  }

  CsvRows rows(text);
  std::optional<Refusal> refusal;
  std::optional<Row> header;
  // Blank lines before the header are skipped like blank lines anywhere else.
  do {
    header = rows.Next(MaxColumns, kTooManyColumns, refusal);
  } while (header && EveryFieldEmpty(*header));
  if (refusal) {
    list.Fail(name, refusal->Line, refusal->Reason);
    return list;
  }
  if (!header) {
    list.Fail(name, 1, "no header row: the file is empty");
    return list;
  }
  std::array<std::size_t, kColumnCount> column{};
  if (const auto wrong = FindColumns(*header, column)) {
    list.Fail(name, wrong->Line, wrong->Reason);
    return list;
  }

  const std::string tooMany =
      "the row has more fields than the header's " + std::to_string(header->Fields.size());
  std::size_t mainLine = 0;
  while (auto row = rows.Next(header->Fields.size(), tooMany, refusal)) {
    // Spreadsheets write rows of empty fields below the data; they are nobody.
    if (EveryFieldEmpty(*row)) continue;
    if (list.members_.size() == MaxMembers) {
      list.Fail(name, row->Line,
                "a class list holds at most " + std::to_string(MaxMembers) + " subjects");
      return list;
    }
    // A row shorter than the header leaves the fields it lacks empty.
    row->Fields.resize(header->Fields.size());
    ClassMember member;
    member.Line = row->Line;
    member.FirstName = NameOf(row->Fields[column[kFirstName]]);
    member.LastName = NameOf(row->Fields[column[kLastName]]);
    member.Picture = PicturePath(row->Fields[column[kPicture]], folder);
    const std::string main = column[kMain] != kAbsent ? Trimmed(row->Fields[column[kMain]]) : "";
    if (main == "1") {
      if (mainLine != 0) {
        list.Fail(name, row->Line,
                  "a second subject is marked Main; line " + std::to_string(mainLine) +
                      " marks one already");
        return list;
      }
      mainLine = row->Line;
      member.Main = true;
      list.mainIndex_ = list.members_.size();
    } else if (!main.empty() && main != "0") {
      list.Fail(name, row->Line,
                "Main is 1 for the main subject, 0 or empty, not \"" + main + "\"");
      return list;
    }
    list.members_.push_back(std::move(member));
  }
  if (refusal) list.Fail(name, refusal->Line, refusal->Reason);
  return list;
}
