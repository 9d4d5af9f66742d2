#include "roster/SchoolGroups.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "roster/CaseFold.h"
#include "roster/ClassList.h"
#include "roster/CsvReader.h"
#include "roster/StaffRole.h"
#include "roster/TeacherMatch.h"

namespace {

using Field = std::string ClassMember::*;

Field FieldOf(GroupBy by) {
  switch (by) {
    case GroupBy::Teacher:
      return &ClassMember::Teacher;
    case GroupBy::HomeRoom:
      return &ClassMember::HomeRoom;
    case GroupBy::Grade:
      return &ClassMember::Grade;
    case GroupBy::None:
      break;
  }
  return nullptr;
}

std::string NameOfEmpty(GroupBy by) {
  switch (by) {
    case GroupBy::Teacher:
      return "No Teacher";
    case GroupBy::HomeRoom:
      return "No Home Room";
    default:
      return "No Grade";
  }
}

bool Filled(const ClassList::Columns& filled, GroupBy by) {
  switch (by) {
    case GroupBy::Teacher:
      return filled.Teacher;
    case GroupBy::HomeRoom:
      return filled.HomeRoom;
    case GroupBy::Grade:
      return filled.Grade;
    case GroupBy::None:
      break;
  }
  return true;
}

// The value of the field more than half the members share, as the first of them writes it.
std::string Majority(const std::vector<ClassMember>& members, Field field) {
  std::map<std::string, std::pair<std::size_t, const std::string*>> counts;
  for (const ClassMember& member : members) {
    auto& [count, written] = counts[ComparisonKey(member.*field)];
    if (count++ == 0) written = &(member.*field);
  }
  for (const auto& [key, tally] : counts) {
    if (!key.empty() && tally.first * 2 > members.size()) return *tally.second;
  }
  return {};
}

void FillShared(Group& group) {
  group.Grade = Majority(group.Pupils, &ClassMember::Grade);
  group.HomeRoom = Majority(group.Pupils, &ClassMember::HomeRoom);
  group.Volume = Majority(group.Pupils, &ClassMember::Volume);
  group.TeacherName = Majority(group.Pupils, &ClassMember::Teacher);
}

// The staff row to head the staff: a Title of "Principal" alone, else one that holds the word,
// else the first.
std::size_t PrincipalAmong(const std::vector<const ClassMember*>& staff) {
  for (std::size_t i = 0; i < staff.size(); ++i) {
    if (SameIgnoringCaseAndSpaces(staff[i]->Title, "Principal")) return i;
  }
  for (std::size_t i = 0; i < staff.size(); ++i) {
    if (IsPrincipal(*staff[i])) return i;
  }
  return 0;
}

// Pre-kindergarten, kindergarten, grades that start with a digit, other words, no grade.
int GradeRank(const std::string& grade) {
  std::string word;
  for (const char c : CaseFolded(grade)) {
    if (c != ' ' && c != '-' && c != '.' && c != '\t') word += c;
  }
  if (word.empty()) return 4;
  if (word == "pk" || word == "prek" || word == "prekindergarten" || word == "tk" ||
      word == "preschool" || word == "nursery") {
    return 0;
  }
  if (word == "k" || word == "kg" || word == "kindergarten") return 1;
  return word.front() >= '0' && word.front() <= '9' ? 2 : 3;
}

bool Before(const Group& a, const Group& b) {
  if (a.IsStaff != b.IsStaff) return b.IsStaff;
  const int rankA = GradeRank(a.Grade);
  const int rankB = GradeRank(b.Grade);
  if (rankA != rankB) return rankA < rankB;
  if (NaturalLess(a.Grade, b.Grade)) return true;
  if (NaturalLess(b.Grade, a.Grade)) return false;
  return NaturalLess(a.Name, b.Name);
}

Group WholeList(const ClassList& list) {
  Group group;
  const std::vector<ClassMember>& members = list.Members();
  std::size_t main = list.MainIndex();
  if (!members[main].Main) {
    std::vector<const ClassMember*> all;
    for (const ClassMember& member : members) all.push_back(&member);
    main = PrincipalAmong(all);
  }
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (i != main) group.Pupils.push_back(members[i]);
  }
  group.Main = members[main];
  FillShared(group);
  const std::string stem = std::filesystem::path(list.Name()).stem().string();
  group.Key = !group.Volume.empty() ? group.Volume : !stem.empty() ? stem : "All";
  group.Name = group.Key;
  return group;
}

}  // namespace

SchoolGroups SchoolGroups::Make(const ClassList& list, GroupBy by) {
  SchoolGroups school;
  school.by_ = by;
  if (!list.Ok()) {
    school.error_ = list.Error();
    return school;
  }
  if (!Filled(list.Filled(), by)) {
    school.error_ = "cannot group " + list.Name() + " by " + std::string(GroupByWord(by)) +
                    ": no pupil's row fills that column";
    return school;
  }
  if (by == GroupBy::None) {
    if (!list.Members().empty()) school.groups_.push_back(WholeList(list));
  } else {
    const Field field = FieldOf(by);
    std::vector<const ClassMember*> staff;
    std::map<std::string, std::size_t> byKey;
    for (const ClassMember& member : list.Members()) {
      if (IsStaff(member)) {
        staff.push_back(&member);
        continue;
      }
      const auto [at, added] =
          byKey.try_emplace(ComparisonKey(member.*field), school.groups_.size());
      if (added) {
        Group group;
        group.Key = TrimmedField(member.*field);
        group.Name = group.Key.empty() ? NameOfEmpty(by) : group.Key;
        school.groups_.push_back(std::move(group));
      }
      school.groups_[at->second].Pupils.push_back(member);
    }

    std::vector<bool> teaching(staff.size(), false);
    for (Group& group : school.groups_) {
      FillShared(group);
      const TeacherMatch match = FindTeacher(group.HomeRoom, group.TeacherName, staff);
      if (match.Staff) {
        group.Main = *staff[*match.Staff];
        group.TeacherName = TeacherPrintedName(*group.Main);
        teaching[*match.Staff] = true;
      } else {
        group.NoMainReason = match.Reason;
      }
    }
    std::vector<const ClassMember*> others;
    for (std::size_t i = 0; i < staff.size(); ++i) {
      if (!teaching[i]) others.push_back(staff[i]);
    }
    if (!others.empty()) {
      Group group;
      group.Key = group.Name = "Staff";
      group.IsStaff = true;
      const std::size_t main = PrincipalAmong(others);
      group.Main = *others[main];
      for (std::size_t i = 0; i < others.size(); ++i) {
        if (i != main) group.Pupils.push_back(*others[i]);
      }
      school.groups_.push_back(std::move(group));
    }
    std::stable_sort(school.groups_.begin(), school.groups_.end(), Before);
  }
  // The Volume is most often the school's name, which every group's captions may want, the
  // staff's included.
  const std::string volume = Majority(list.Members(), &ClassMember::Volume);
  for (Group& group : school.groups_) {
    if (group.Volume.empty()) group.Volume = volume;
  }

  for (const Group& group : school.groups_) {
    if (group.ImageCount() > ClassList::MaxCompositeImages) {
      school.error_ =
          TooManyImages("the group " + group.Name + " of " + list.Name(), group.ImageCount());
      school.groups_.clear();
      return school;
    }
  }
  return school;
}

std::size_t SchoolGroups::PupilCount() const {
  std::size_t pupils = 0;
  for (const Group& group : groups_) {
    if (!group.IsStaff) pupils += group.PupilCount();
  }
  return pupils;
}

const Group* SchoolGroups::Find(std::string_view text) const {
  const std::string key = ComparisonKey(text);
  for (const Group& group : groups_) {
    if (ComparisonKey(group.Name) == key) return &group;
  }
  return nullptr;
}
