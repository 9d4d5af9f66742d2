#include "roster/TeacherMatch.h"

#include "roster/CaseFold.h"
#include "roster/ClassMember.h"
#include "roster/CsvReader.h"
#include "roster/StaffRole.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// "Okafor (line 5) and Okafor (line 9)", the candidates a reason names.
std::string Listed(const std::vector<std::size_t>& chosen,
                   const std::vector<const ClassMember*>& staff) {
  std::string names;
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    const ClassMember& member = *staff[chosen[i]];
    names += i == 0 ? "" : i + 1 == chosen.size() ? " and " : ", ";
    names += TeacherPrintedName(member) + " (line " + std::to_string(member.Line) + ")";
  }
  return names;
}

}  // namespace

TeacherMatch FindTeacher(const std::string& homeRoom, const std::string& teacherName,
                         const std::vector<const ClassMember*>& staff) {
  const std::string room = ComparisonKey(homeRoom);
  std::vector<std::size_t> candidates;
  std::vector<bool> sameRoom;
  std::vector<bool> namedAlike;
  for (std::size_t i = 0; i < staff.size(); ++i) {
    const bool inRoom = !room.empty() && ComparisonKey(staff[i]->HomeRoom) == room;
    const bool named = HoldsWord(teacherName, staff[i]->LastName);
    if (!inRoom && !named) continue;
    candidates.push_back(i);
    sameRoom.push_back(inRoom);
    namedAlike.push_back(named);
  }
  if (candidates.size() == 1) return {candidates.front(), {}};
  if (candidates.empty()) {
    const bool hasName = !TrimmedField(teacherName).empty();
    if (room.empty() && !hasName) {
      return {std::nullopt, "the pupils name no one teacher or home room"};
    }
    std::string reason = "no staff row has";
    if (!room.empty()) reason += " the home room " + Quoted(homeRoom);
    if (!room.empty() && hasName) reason += " or";
    if (hasName) reason += " a last name in " + Quoted(teacherName);
    return {std::nullopt, reason};
  }

  std::vector<std::size_t> inRoom;
  std::vector<std::size_t> inRoomAndNamed;
  for (std::size_t k = 0; k < candidates.size(); ++k) {
    if (sameRoom[k]) inRoom.push_back(candidates[k]);
    if (sameRoom[k] && namedAlike[k]) inRoomAndNamed.push_back(candidates[k]);
  }
  if (inRoom.size() == 1) return {inRoom.front(), {}};
  if (inRoom.size() > 1 && inRoomAndNamed.size() == 1) return {inRoomAndNamed.front(), {}};
  const std::vector<std::size_t>& left = inRoomAndNamed.size() > 1 ? inRoomAndNamed
                                         : inRoom.size() > 1       ? inRoom
                                                                   : candidates;
  return {std::nullopt,
          std::to_string(left.size()) + " staff rows could be the teacher: " + Listed(left, staff)};
}
