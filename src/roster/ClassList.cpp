#include "roster/ClassList.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "roster/CsvReader.h"
#include "roster/Utf8.h"

namespace {

namespace fs = std::filesystem;

const std::string kTooManyColumns =
    "the header has more than " + std::to_string(ClassList::MaxColumns) + " columns";

// A name as it is printed: one line, without the spaces around it.
std::string NameOf(const std::string& text) {
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    name += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
  }
  return TrimmedField(name);
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

enum Column : std::size_t { kFirstName, kLastName, kPicture, kMain, kColumnCount };
constexpr std::array<std::string_view, kColumnCount> kColumnNames = {"FirstName", "LastName",
                                                                     "Picture", "Main"};
constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

// Finds each known column in the header; refuses a header that names one twice or lacks one
// that is required.
std::optional<CsvRefusal> FindColumns(const CsvRow& header,
                                      std::array<std::size_t, kColumnCount>& at) {
  at.fill(kAbsent);
  for (std::size_t field = 0; field < header.Fields.size(); ++field) {
    const std::string name = TrimmedField(header.Fields[field]);
    for (std::size_t column = 0; column < kColumnCount; ++column) {
      if (!SameName(name, kColumnNames[column])) continue;
      if (at[column] != kAbsent) {
        return CsvRefusal{header.Line, "the header names the column " +
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
    return CsvRefusal{header.Line,
                      "no header row: the first line must name the columns FirstName, LastName and "
                      "Picture"};
  }
  std::string names;
  for (std::size_t i = 0; i < missing.size(); ++i) {
    names += (i == 0 ? "" : " and ") + std::string(missing[i]);
  }
  return CsvRefusal{header.Line, "the header has no column " + names};
}

std::string PicturePath(const std::string& field, const std::string& folder) {
  const std::string path = TrimmedField(field);
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
  text = WithoutUtf8ByteOrderMark(text);
  if (const std::size_t bad = FirstInvalidUtf8(text); bad != std::string_view::npos) {
    list.Fail(name, CsvLineAt(text, bad), "the text is not UTF-8; save the list as CSV UTF-8");
    return list;
  }

  CsvReader rows(text, MaxFieldBytes);
  std::optional<CsvRefusal> refusal;
  std::optional<CsvRow> header;
  // Blank lines before the header are skipped like blank lines anywhere else.
  do {
    header = rows.Next(MaxColumns, kTooManyColumns, refusal);
  } while (header && IsBlankRow(*header));
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
    if (IsBlankRow(*row)) continue;
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
    const std::string main =
        column[kMain] != kAbsent ? TrimmedField(row->Fields[column[kMain]]) : "";
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
