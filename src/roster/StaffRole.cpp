#include "roster/StaffRole.h"

#include <array>
#include <string_view>

#include "roster/CaseFold.h"
#include "roster/ClassMember.h"

namespace {

constexpr std::array<std::string_view, 7> kStaffGrades = {
    "Faculty", "Staff", "Staff/Faculty", "Faculty/Staff", "Teacher", "Teachers", "Administration"};

std::string Joined(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return a + " " + b;
}

}  // namespace

bool IsStaff(const ClassMember& member) {
  if (!member.Title.empty()) return true;
  for (const std::string_view word : kStaffGrades) {
    if (SameIgnoringCaseAndSpaces(member.Grade, word)) return true;
  }
  return false;
}

bool IsPrincipal(const ClassMember& member) { return HoldsWord(member.Title, "Principal"); }

std::string TeacherPrintedName(const ClassMember& member) {
  return Joined(member.Title.empty() ? member.FirstName : member.Title, member.LastName);
}
