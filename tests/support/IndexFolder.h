#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Writes portrait indexes (INDEX.TXT) with generated pictures, so that tests, benchmarks and the
// batch's tests can read a school without a photograph of anyone.
namespace testsupport {

// One subject of an index. file is the Image File Name as written; a row whose file is empty or
// starts with "missing" gets no picture written.
struct IndexRow {
  std::string first;
  std::string last;
  std::string file;
  std::string grade;
  std::string teacher;
  std::string homeRoom;
  std::string title;
  std::string folder = "Photos";
  std::string volume = "Larkfield School";
};

// The three forms an index comes in: 13 columns, 8 (Teacher Name before Home Room) and 7 (the
// last a combined Teacher/Homeroom, written here as the teacher, or the home room without one).
enum class IndexForm { Full, Short, Combined };

// The text of an index of the rows, with the form's header row when asked, every line ended by
// lineEnd. Fields are written as they are: no TAB or line end may be in one.
std::string IndexText(const std::vector<IndexRow>& rows, IndexForm form, bool header,
                      const std::string& lineEnd = "\r\n");

// Writes a small JPEG for every row with a picture, at folder/row.folder/row.file (backslashes
// in the row's folder read as separators), each from its own seed, then the index at
// folder/name. Returns the index's full path.
std::filesystem::path WriteIndexFolder(const std::filesystem::path& folder,
                                       const std::vector<IndexRow>& rows, IndexForm form,
                                       bool header, const std::string& name = "INDEX.TXT");

}  // namespace testsupport
