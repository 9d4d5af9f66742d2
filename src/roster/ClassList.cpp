#include "roster/ClassList.h"

#include <filesystem>

#include "roster/CaseFold.h"
#include "roster/CsvClassList.h"
#include "roster/ListFile.h"
#include "roster/PortraitIndex.h"
#include "roster/StaffRole.h"
#include "roster/Utf8.h"

namespace {

namespace fs = std::filesystem;

bool HasExtension(const std::string& name, std::string_view extension) {
  return CaseFolded(fs::path(name).extension().string()) == extension;
}

// The first line of the text that holds more than spaces.
std::string_view FirstLine(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (line.find_first_not_of(' ') != std::string_view::npos) return line;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return {};
}

}  // namespace

void ClassList::Fail(std::size_t line, const std::string& reason) {
  members_.clear();
  mainIndex_ = 0;
  filled_ = {};
  errorLine_ = line;
  error_ = line != 0 ? name_ + ", line " + std::to_string(line) + ": " + reason
                     : "cannot read " + name_ + ": " + reason;
}

void ClassList::FindFilledColumns() {
  filled_ = {};
  for (const ClassMember& member : members_) {
    filled_.Title = filled_.Title || !member.Title.empty();
    filled_.Volume = filled_.Volume || !member.Volume.empty();
    if (IsStaff(member)) continue;
    filled_.Grade = filled_.Grade || !member.Grade.empty();
    filled_.Teacher = filled_.Teacher || !member.Teacher.empty();
    filled_.HomeRoom = filled_.HomeRoom || !member.HomeRoom.empty();
  }
}

ListForm ClassList::FormOf(std::string_view text, const std::string& name) {
  if (HasExtension(name, ".csv")) return ListForm::ClassListCsv;
  const std::string_view line = FirstLine(WithoutUtf8ByteOrderMark(text));
  if (line.find('\t') != std::string_view::npos) return ListForm::PortraitIndex;
  if (line.find(',') != std::string_view::npos) return ListForm::ClassListCsv;
  return HasExtension(name, ".txt") ? ListForm::PortraitIndex : ListForm::ClassListCsv;
}

ClassList ClassList::Read(const std::string& path) {
  std::string text;
  if (const auto failure = ReadListFile(path, MaxFileBytes, text)) {
    ClassList list;
    list.name_ = path;
    list.Fail(0, *failure);
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
  list.name_ = name;
  list.form_ = FormOf(text, name);
  ListContent content = list.form_ == ListForm::PortraitIndex ? ReadPortraitIndex(text, folder)
                                                              : ReadCsvClassList(text, folder);
  list.windows1252_ = content.Windows1252;
  if (content.Refusal) {
    list.Fail(content.Refusal->Line, content.Refusal->Reason);
    return list;
  }
  list.members_ = std::move(content.Members);
  list.mainIndex_ = content.MainIndex;
  list.FindFilledColumns();
  return list;
}

ClassList ClassList::Of(std::vector<ClassMember> members, std::size_t mainIndex, std::string name) {
  ClassList list;
  list.members_ = std::move(members);
  list.mainIndex_ = mainIndex < list.members_.size() ? mainIndex : 0;
  list.name_ = std::move(name);
  list.FindFilledColumns();
  return list;
}

std::string ClassList::CompositeError() const {
  if (!Ok()) return error_;
  if (members_.size() > MaxCompositeImages) return TooManyImages(name_, members_.size());
  return {};
}

std::string TooManyImages(const std::string& what, std::size_t images) {
  return what + " has " + std::to_string(images) + " images; a composite shows at most " +
         std::to_string(ClassList::MaxCompositeImages);
}
