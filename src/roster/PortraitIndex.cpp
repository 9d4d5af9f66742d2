#include "roster/PortraitIndex.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

#include "roster/CaseFold.h"
#include "roster/ClassList.h"
#include "roster/ColumnLabels.h"
#include "roster/PictureFinder.h"
#include "roster/TextDecoding.h"

namespace {

enum Column : std::size_t {
  kVolume,
  kFolder,
  kFile,
  kGrade,
  kLast,
  kFirst,
  kHomeRoom,
  kPeriod,
  kTeacher,
  kTrack,
  kDepartment,
  kTitle,
  kSize,
  kCombined,
  kColumnCount
};
using Columns = std::array<std::size_t, kColumnCount>;

constexpr std::array<ColumnLabel, kColumnCount> kLabels = {{{"Volume Name", kVolume},
                                                            {"Image Folder", kFolder},
                                                            {"Image File Name", kFile},
                                                            {"Grade", kGrade},
                                                            {"Last Name", kLast},
                                                            {"First Name", kFirst},
                                                            {"Home Room", kHomeRoom},
                                                            {"Period", kPeriod},
                                                            {"Teacher Name", kTeacher},
                                                            {"Track", kTrack},
                                                            {"Department", kDepartment},
                                                            {"Title", kTitle},
                                                            {"Image Size", kSize},
                                                            {"Teacher/Homeroom", kCombined}}};
constexpr std::array<std::size_t, 3> kRequired = {kFile, kLast, kFirst};

// The columns of a form without a header, by its number of fields.
std::optional<Columns> ColumnsByPosition(std::size_t fields) {
  const auto place = [](std::initializer_list<Column> order) {
    Columns at;
    at.fill(kAbsentColumn);
    std::size_t field = 0;
    for (const Column column : order) at[column] = field++;
    return at;
  };
  switch (fields) {
    case 13:
      return place({kVolume, kFolder, kFile, kGrade, kLast, kFirst, kHomeRoom, kPeriod, kTeacher,
                    kTrack, kDepartment, kTitle, kSize});
    case 8:
      return place({kVolume, kFolder, kFile, kGrade, kLast, kFirst, kTeacher, kHomeRoom});
    case 7:
      return place({kVolume, kFolder, kFile, kGrade, kLast, kFirst, kCombined});
    default:
      return std::nullopt;
  }
}

std::string FieldCount(std::size_t fields) {
  return std::to_string(fields) + (fields == 1 ? " field" : " fields");
}

bool IsHeader(const CsvRow& row) {
  return std::any_of(row.Fields.begin(), row.Fields.end(), [](const std::string& field) {
    return std::any_of(kLabels.begin(), kLabels.end(), [&field](const ColumnLabel& label) {
      return SameIgnoringCaseAndSpaces(field, label.Name);
    });
  });
}

// A path written on Windows as one under the index's folder: backslashes are separators, and
// a drive or a leading separator stands for the top of the disc, where the index lies.
std::string UnderIndex(std::string_view path) {
  std::string relative(path);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  if (relative.size() >= 2 && relative[1] == ':' &&
      ((relative[0] >= 'A' && relative[0] <= 'Z') || (relative[0] >= 'a' && relative[0] <= 'z'))) {
    relative.erase(0, 2);
  }
  relative.erase(0, relative.find_first_not_of('/'));
  return relative;
}

class IndexRows {
 public:
  IndexRows(const Columns& at, const std::string& folder) : at_(at), folder_(folder) {}

  ClassMember Member(const CsvRow& row) {
    ClassMember member;
    member.Line = row.Line;
    member.Volume = Field(row, kVolume);
    member.Grade = Field(row, kGrade);
    member.LastName = Field(row, kLast);
    member.FirstName = Field(row, kFirst);
    member.HomeRoom = Field(row, kHomeRoom);
    member.Teacher = Field(row, kTeacher);
    member.Title = Field(row, kTitle);
    const std::string combined = Field(row, kCombined);
    if (at_[kTeacher] == kAbsentColumn) member.Teacher = combined;
    if (at_[kHomeRoom] == kAbsentColumn) member.HomeRoom = combined;

    const std::string file = UnderIndex(Field(row, kFile));
    if (file.empty()) return member;
    const std::string pictureFolder = UnderIndex(Field(row, kFolder));
    const std::string written =
        PicturePath(pictureFolder.empty() ? file : pictureFolder + "/" + file, folder_);
    FoundPicture found = finder_.Find(written);
    member.Picture = std::move(found.Path);
    member.Match = found.Match;
    if (found.Match != PictureMatch::AsWritten) member.WrittenPicture = written;
    return member;
  }

 private:
  std::string Field(const CsvRow& row, Column column) const {
    const std::size_t field = at_[column];
    return field < row.Fields.size() ? SingleLineField(row.Fields[field]) : std::string();
  }

  const Columns& at_;
  const std::string& folder_;
  PictureFinder finder_;
};

}  // namespace

ListContent ReadPortraitIndex(std::string_view bytes, const std::string& folder) {
  ListContent list;
  const DecodedText decoded = DecodeListText(bytes);
  if (!decoded.Refusal.empty()) {
    list.Refusal = CsvRefusal{CsvLineAt(bytes, decoded.RefusedAt), decoded.Refusal};
    return list;
  }
  list.Windows1252 = decoded.Windows1252;

  const std::string tooManyColumns =
      "the line has more than " + std::to_string(ClassList::MaxColumns) + " fields";
  CsvReader rows(decoded.Text, ClassList::MaxFieldBytes, '\t');
  const std::optional<CsvRow> first =
      rows.NextFilled(ClassList::MaxColumns, tooManyColumns, list.Refusal);
  if (list.Refusal) return list;
  if (!first) {
    list.Refusal = CsvRefusal{1, "the portrait index is empty"};
    return list;
  }

  Columns at{};
  const bool header = IsHeader(*first);
  if (header) {
    if ((list.Refusal = FindLabelledColumns(*first, kLabels, at))) return list;
    if ((list.Refusal = MissingColumns(*first, kLabels, kRequired, at))) return list;
  } else if (const auto byPosition = ColumnsByPosition(first->Fields.size())) {
    at = *byPosition;
  } else {
    list.Refusal = CsvRefusal{first->Line, "the line has " + FieldCount(first->Fields.size()) +
                                               "; a portrait index without a header "
                                               "row has 13, 8 or 7, separated by TABs"};
    return list;
  }

  const std::size_t width = first->Fields.size();
  const std::string tooMany = "the line has more fields than the header's " + std::to_string(width);
  IndexRows reader(at, folder);
  std::optional<CsvRow> row =
      header ? rows.NextFilled(ClassList::MaxColumns, tooManyColumns, list.Refusal) : first;
  for (; row; row = rows.NextFilled(ClassList::MaxColumns, tooManyColumns, list.Refusal)) {
    // Without a header every line must be of the first line's form, or the columns would be
    // read as the wrong ones.
    if (!header && row->Fields.size() != width) {
      list.Refusal =
          CsvRefusal{row->Line, "the line has " + FieldCount(row->Fields.size()) +
                                    " where the first line has " + std::to_string(width)};
      return list;
    }
    if (header && row->Fields.size() > width) {
      list.Refusal = CsvRefusal{row->Line, tooMany};
      return list;
    }
    if (list.Members.size() == ClassList::MaxMembers) {
      list.Refusal = CsvRefusal{row->Line, "a portrait index holds at most " +
                                               std::to_string(ClassList::MaxMembers) + " subjects"};
      return list;
    }
    list.Members.push_back(reader.Member(*row));
  }
  return list;
}
