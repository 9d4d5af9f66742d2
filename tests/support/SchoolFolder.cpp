#include "support/SchoolFolder.h"

#include "roster/CsvReader.h"
#include "support/IndexFolder.h"

namespace testsupport {

const std::vector<SchoolGroup>& SchoolGroups() {
  static const std::vector<SchoolGroup> groups = {
      {"Mrs. Okafor", 3}, {"Mr. Brennan", 3}, {"Dr. Lind", 3}, {"Staff", 2}};
  return groups;
}

std::filesystem::path WriteSchoolFolder(const std::filesystem::path& folder) {
  const auto staff = [](std::string first, std::string last, std::string title, std::string room) {
    IndexRow row;
    row.first = std::move(first);
    row.file = last + ".jpg";
    row.last = std::move(last);
    row.grade = room.empty() ? "Staff" : "Faculty";
    row.homeRoom = std::move(room);
    row.title = std::move(title);
    return row;
  };
  const auto pupil = [](std::string first, std::string last, std::string file, std::string grade,
                        std::string teacher, std::string room) {
    IndexRow row;
    row.first = std::move(first);
    row.last = std::move(last);
    row.file = std::move(file);
    row.grade = std::move(grade);
    row.teacher = std::move(teacher);
    row.homeRoom = std::move(room);
    return row;
  };
  const std::vector<IndexRow> rows = {
      staff("Grace", "Okafor", "Mrs.", "Room 4"),
      staff("Tom", "Brennan", "Mr.", "Room 7"),
      staff("Ada", "Lind", "Dr.", "Room 9"),
      staff("Mary", "Hale", "Principal", ""),
      staff("Sam", "Ode", "Custodian", ""),
      staff("Pat", "Quinn", "Secretary", ""),
      pupil("Ann", "Abbot", "abbot.jpg", "3", "Mrs. Okafor", "Room 4"),
      pupil("Ben", "Bray", "bray.jpg", "3", "Mrs. Okafor", "Room 4"),
      pupil("Cy", "Cole", kMissingPicture, "3", "Mrs. Okafor", "Room 4"),
      pupil("Dee", "Dunn", "dunn.jpg", "4", "Mr. Brennan", "Room 7"),
      pupil("Eve", "Eng", "eng.jpg", "4", "Mr. Brennan", "Room 7"),
      pupil("Fay", "Fox", kWrittenFox, "4", "Mr. Brennan", "Room 7"),
      pupil("Gus", "Gray", "gray.jpg", "5", "Dr. Lind", "Room 9"),
      pupil("Hal", "Hunt", "hunt.jpg", "5", "Dr. Lind", "Room 9"),
      pupil("=1+1,Ivy", "Ito", "missing-ito.jpg", "5", "Dr. Lind", "Room 9"),
  };
  const std::filesystem::path index = WriteIndexFolder(folder, rows, IndexForm::Full, true);
  std::filesystem::rename(folder / "Photos" / kWrittenFox, folder / "Photos" / kFoundFox);
  return index;
}

std::vector<std::vector<std::string>> CsvRecords(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  CsvReader reader(text, 1 << 16);
  std::optional<CsvRefusal> refusal;
  while (std::optional<CsvRow> row = reader.Next(64, "too many fields", refusal)) {
    records.push_back(row->Fields);
  }
  if (refusal) records.push_back({"refused: " + refusal->Reason});
  return records;
}

}  // namespace testsupport
