#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A small school's portrait index with generated pictures, for the tests of a batch: three
// classes and the staff, a picture missing, one found only by a case-blind match, and a pupil
// without a picture whose name a spreadsheet would take for a formula.
namespace testsupport {

// The groups in the order the school's groups come in (by grade, the staff last), each with its
// pupils and the file a batch names after it.
struct SchoolGroup {
  std::string name;
  std::size_t pupils;
};
const std::vector<SchoolGroup>& SchoolGroups();

// The pupil without a picture, and the picture written in another case than the index's.
inline constexpr const char* kMissingPicture = "missing-cole.jpg";
inline constexpr const char* kWrittenFox = "Fox.JPG";
inline constexpr const char* kFoundFox = "fox.jpg";

// Writes the pictures and the index (INDEX.TXT, full form with a header) into folder; returns
// the index's path.
std::filesystem::path WriteSchoolFolder(const std::filesystem::path& folder);

// The rows of CSV text, each its fields, as the program's own CSV reader splits them.
std::vector<std::vector<std::string>> CsvRecords(const std::string& text);

}  // namespace testsupport
