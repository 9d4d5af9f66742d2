#include "support/IndexFolder.h"

#include <algorithm>

#include "support/ClassFolder.h"
#include "support/TestJpeg.h"

namespace testsupport {

namespace {

std::vector<std::string> Header(IndexForm form) {
  switch (form) {
    case IndexForm::Full:
      return {"Volume Name", "Image Folder", "Image File Name", "Grade",        "Last Name",
              "First Name",  "Home Room",    "Period",          "Teacher Name", "Track",
              "Department",  "Title",        "Image Size"};
    case IndexForm::Short:
      return {"Volume Name", "Image Folder", "Image File Name", "Grade",
              "Last Name",   "First Name",   "Teacher Name",    "Home Room"};
    case IndexForm::Combined:
      break;
  }
  return {"Volume Name", "Image Folder", "Image File Name", "Grade",
          "Last Name",   "First Name",   "Teacher/Homeroom"};
}

std::vector<std::string> Fields(const IndexRow& row, IndexForm form) {
  std::vector<std::string> fields = {row.volume, row.folder, row.file,
                                     row.grade,  row.last,   row.first};
  switch (form) {
    case IndexForm::Full:
      fields.insert(fields.end(), {row.homeRoom, "", row.teacher, "", "", row.title, "640x800"});
      break;
    case IndexForm::Short:
      fields.insert(fields.end(), {row.teacher, row.homeRoom});
      break;
    case IndexForm::Combined:
      fields.push_back(row.teacher.empty() ? row.homeRoom : row.teacher);
      break;
  }
  return fields;
}

std::string Line(const std::vector<std::string>& fields, const std::string& lineEnd) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : "\t") + fields[i];
  return line + lineEnd;
}

}  // namespace

std::string IndexText(const std::vector<IndexRow>& rows, IndexForm form, bool header,
                      const std::string& lineEnd) {
  std::string text = header ? Line(Header(form), lineEnd) : "";
  for (const IndexRow& row : rows) text += Line(Fields(row, form), lineEnd);
  return text;
}

std::filesystem::path WriteIndexFolder(const std::filesystem::path& folder,
                                       const std::vector<IndexRow>& rows, IndexForm form,
                                       bool header, const std::string& name) {
  std::uint32_t seed = 1;
  for (const IndexRow& row : rows) {
    ++seed;
    if (row.file.empty() || row.file.rfind("missing", 0) == 0) continue;
    std::string pictures = row.folder;
    std::replace(pictures.begin(), pictures.end(), '\\', '/');
    WriteClassPicture(folder / pictures, row.file, {.seed = seed});
  }
  const std::string text = IndexText(rows, form, header);
  const std::filesystem::path index = folder / name;
  WriteFile(index.string(), std::vector<std::uint8_t>(text.begin(), text.end()));
  return index;
}

}  // namespace testsupport
