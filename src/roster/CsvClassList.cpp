#include "roster/CsvClassList.h"

#include <array>

#include "roster/ClassList.h"
#include "roster/ColumnLabels.h"
#include "roster/PictureFinder.h"
#include "roster/Utf8.h"

namespace {

const std::string kTooManyColumns =
    "the header has more than " + std::to_string(ClassList::MaxColumns) + " columns";

enum Column : std::size_t {
  kFirstName,
  kLastName,
  kPicture,
  kMain,
  kGrade,
  kTeacher,
  kHomeRoom,
  kTitle,
  kColumnCount
};
constexpr std::array<ColumnLabel, kColumnCount> kLabels = {{{"FirstName", kFirstName},
                                                            {"LastName", kLastName},
                                                            {"Picture", kPicture},
                                                            {"Main", kMain},
                                                            {"Grade", kGrade},
                                                            {"Teacher", kTeacher},
                                                            {"HomeRoom", kHomeRoom},
                                                            {"Title", kTitle}}};
constexpr std::array<std::size_t, 3> kRequired = {kFirstName, kLastName, kPicture};

// Finds each known column in the header; refuses a header that names one twice or lacks one
// that is required.
std::optional<CsvRefusal> FindColumns(const CsvRow& header,
                                      std::array<std::size_t, kColumnCount>& at) {
  if (auto twice = FindLabelledColumns(header, kLabels, at)) return twice;
  if (at[kFirstName] == kAbsentColumn && at[kLastName] == kAbsentColumn &&
      at[kPicture] == kAbsentColumn) {
    return CsvRefusal{header.Line,
                      "no header row: the first line must name the columns FirstName, LastName and "
                      "Picture"};
  }
  return MissingColumns(header, kLabels, kRequired, at);
}

}  // namespace

ListContent ReadCsvClassList(std::string_view text, const std::string& folder) {
  ListContent list;
  text = WithoutUtf8ByteOrderMark(text);
  if (const std::size_t bad = FirstInvalidUtf8(text); bad != std::string_view::npos) {
    list.Refusal =
        CsvRefusal{CsvLineAt(text, bad), "the text is not UTF-8; save the list as CSV UTF-8"};
    return list;
  }

  CsvReader rows(text, ClassList::MaxFieldBytes);
  // Blank lines before the header are skipped like blank lines anywhere else, and spreadsheets
  // write rows of empty fields below the data; they are nobody.
  const std::optional<CsvRow> header =
      rows.NextFilled(ClassList::MaxColumns, kTooManyColumns, list.Refusal);
  if (list.Refusal) return list;
  if (!header) {
    list.Refusal = CsvRefusal{1, "no header row: the file is empty"};
    return list;
  }
  std::array<std::size_t, kColumnCount> column{};
  if ((list.Refusal = FindColumns(*header, column))) return list;

  const std::string tooMany =
      "the row has more fields than the header's " + std::to_string(header->Fields.size());
  const auto field = [&column](const CsvRow& row, Column which) {
    return column[which] != kAbsentColumn ? SingleLineField(row.Fields[column[which]]) : "";
  };
  std::size_t mainLine = 0;
  while (auto row = rows.NextFilled(header->Fields.size(), tooMany, list.Refusal)) {
    if (list.Members.size() == ClassList::MaxMembers) {
      list.Refusal = CsvRefusal{row->Line, "a class list holds at most " +
                                               std::to_string(ClassList::MaxMembers) + " subjects"};
      return list;
    }
    // A row shorter than the header leaves the fields it lacks empty.
    row->Fields.resize(header->Fields.size());
    ClassMember member;
    member.Line = row->Line;
    member.FirstName = field(*row, kFirstName);
    member.LastName = field(*row, kLastName);
    member.Picture = PicturePath(row->Fields[column[kPicture]], folder);
    member.Grade = field(*row, kGrade);
    member.Teacher = field(*row, kTeacher);
    member.HomeRoom = field(*row, kHomeRoom);
    member.Title = field(*row, kTitle);
    const std::string main =
        column[kMain] != kAbsentColumn ? TrimmedField(row->Fields[column[kMain]]) : "";
    if (main == "1") {
      if (mainLine != 0) {
        list.Refusal = CsvRefusal{row->Line, "a second subject is marked Main; line " +
                                                 std::to_string(mainLine) + " marks one already"};
        return list;
      }
      mainLine = row->Line;
      member.Main = true;
      list.MainIndex = list.Members.size();
    } else if (!main.empty() && main != "0") {
      list.Refusal =
          CsvRefusal{row->Line, "Main is 1 for the main subject, 0 or empty, not \"" + main + "\""};
      return list;
    }
    list.Members.push_back(std::move(member));
  }
  return list;
}
