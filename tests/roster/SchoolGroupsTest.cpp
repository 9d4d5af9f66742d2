// A school split into its groups: pupils by teacher, home room or grade, each group's teacher
// found among the staff, the staff group, the order of the groups, and a group made into the
// list the drawing takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/ClassList.h"
#include "roster/GroupBy.h"
#include "roster/SchoolGroups.h"

namespace {

struct Row {
  std::string first;
  std::string last;
  std::string grade;
  std::string teacher;
  std::string room;
  std::string title;
};

// The rows as an index gives them, the first on line 2 below a header.
ClassList School(const std::vector<Row>& rows) {
  std::vector<ClassMember> members;
  for (const Row& row : rows) {
    ClassMember member;
    member.FirstName = row.first;
    member.LastName = row.last;
    member.Grade = row.grade;
    member.Teacher = row.teacher;
    member.HomeRoom = row.room;
    member.Title = row.title;
    member.Picture = "/school/" + row.last + ".jpg";
    member.Line = members.size() + 2;
    members.push_back(member);
  }
  return ClassList::Of(std::move(members), 0, "INDEX.TXT");
}

std::vector<std::string> NamesOf(const SchoolGroups& school) {
  std::vector<std::string> names;
  for (const Group& group : school.Groups()) names.push_back(group.Name);
  return names;
}

std::vector<std::size_t> PupilsOf(const SchoolGroups& school) {
  std::vector<std::size_t> pupils;
  for (const Group& group : school.Groups()) pupils.push_back(group.PupilCount());
  return pupils;
}

TEST(TeacherMatching, FindsTheGroupsTeacherOrSaysWhyNot) {
  const std::vector<Row> pupils = {{"Ann", "Lee", "4", "Mrs. Okafor", "12", ""},
                                   {"Bo", "Kim", "4", "Mrs. Okafor", "12", ""}};
  const struct {
    const char* what;
    std::vector<Row> staff;  // on lines 4 and 5
    std::string teacher;     // the main image's printed name, empty for none
    std::string reason;
  } cases[] = {
      {"the same home room", {{"Chidi", "Okafor", "Faculty", "", "12", "Mrs."}}, "Mrs. Okafor", ""},
      {"the room though another name", {{"Dee", "Ng", "Faculty", "", " 12 ", ""}}, "Dee Ng", ""},
      {"the name without a room", {{"Chidi", "Okafor", "teacher", "", "", ""}}, "Chidi Okafor", ""},
      {"two of the name, one in the room",
       {{"Chidi", "Okafor", "Staff", "", "3", "Mrs."}, {"Ebo", "Okafor", "Staff", "", "12", "Mr."}},
       "Mr. Okafor",
       ""},
      {"a teacher and an aide in the room",
       {{"Dee", "Ng", "Staff", "", "12", "Ms."}, {"Chidi", "Okafor", "Staff", "", "12", "Mrs."}},
       "Mrs. Okafor",
       ""},
      {"two of the name, neither in the room",
       {{"Chidi", "Okafor", "Faculty", "", "3", "Mrs."},
        {"Ebo", "Okafor", "Faculty", "", "4", "Mr."}},
       "",
       "2 staff rows could be the teacher: Mrs. Okafor (line 4) and Mr. Okafor (line 5)"},
      {"two in the room, neither named",
       {{"Dee", "Ng", "Faculty", "", "12", ""}, {"Fay", "Oh", "Faculty", "", "12", ""}},
       "",
       "2 staff rows could be the teacher: Dee Ng (line 4) and Fay Oh (line 5)"},
      {"nobody fits",
       {{"Dee", "Ng", "Faculty", "", "14", ""}},
       "",
       "no staff row has the home room \"12\" or a last name in \"Mrs. Okafor\""},
      {"part of a word is no name", {{"Ok", "Oka", "Faculty", "", "", ""}}, "", "no staff row"},
      {"no staff at all", {}, "", "no staff row"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Row> rows = pupils;
    rows.insert(rows.end(), c.staff.begin(), c.staff.end());
    const SchoolGroups school = SchoolGroups::Make(School(rows), GroupBy::Teacher);
    ASSERT_TRUE(school.Ok()) << school.Error();
    const Group& group = school.Groups().at(0);
    EXPECT_EQ(group.Name, "Mrs. Okafor");
    EXPECT_EQ(group.PupilCount(), 2u);
    EXPECT_EQ(group.ImageCount(), 3u);
    EXPECT_EQ(group.Main.has_value(), !c.teacher.empty());
    EXPECT_EQ(group.TeacherName, c.teacher.empty() ? "Mrs. Okafor" : c.teacher);
    EXPECT_NE(group.NoMainReason.find(c.reason), std::string::npos) << group.NoMainReason;
    EXPECT_EQ(group.NoMainReason.empty(), c.reason.empty());
    // Staff who teach no group make the staff group.
    const std::size_t teaching = c.teacher.empty() ? 0 : 1;
    EXPECT_EQ(school.Groups().size(), c.staff.size() > teaching ? 2u : 1u);
  }
}

const std::vector<Row> kSchool = {
    {"Ann", "Lee", "4", "Mrs. Okafor", "Room 10", ""},
    {"Bo", "Kim", "4", " mrs. OKAFOR", "room 10", ""},
    {"Cy", "Ng", "K", "Mr. Ng", "Room 2", ""},
    {"Di", "Oh", "10", "Ms. Oh", "Room 9", ""},
    {"Ed", "Li", "", "", "", ""},
    {"Fay", "Ross", "Pre-K", "Ms. Ross", "Room 1", ""},
    {"Chidi", "Okafor", "Faculty", "", "Room 10", "Mrs."},
    {"Pat", "Reyes", "Staff", "", "", "Principal"},
    {"Sam", "Vance", "Staff/Faculty", "", "", "Librarian"},
};

TEST(SchoolGrouping, GroupsThePupilsInTheDocumentedOrder) {
  const struct {
    GroupBy by;
    std::vector<std::string> names;
    std::vector<std::size_t> pupils;
  } cases[] = {
      {GroupBy::Teacher,
       {"Ms. Ross", "Mr. Ng", "Mrs. Okafor", "Ms. Oh", "No Teacher", "Staff"},
       {1, 1, 2, 1, 1, 1}},
      {GroupBy::HomeRoom,
       {"Room 1", "Room 2", "Room 10", "Room 9", "No Home Room", "Staff"},
       {1, 1, 2, 1, 1, 1}},
      {GroupBy::Grade, {"Pre-K", "K", "4", "10", "No Grade", "Staff"}, {1, 1, 2, 1, 1, 1}},
      {GroupBy::None, {"INDEX"}, {8}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(GroupByWord(c.by)));
    const SchoolGroups school = SchoolGroups::Make(School(kSchool), c.by);
    ASSERT_TRUE(school.Ok()) << school.Error();
    EXPECT_EQ(NamesOf(school), c.names);
    EXPECT_EQ(PupilsOf(school), c.pupils);
  }
}

TEST(SchoolGrouping, AGroupKnowsWhatItsPupilsShare) {
  const SchoolGroups school = SchoolGroups::Make(School(kSchool), GroupBy::Teacher);
  ASSERT_TRUE(school.Ok()) << school.Error();
  const Group* okafor = school.Find("  MRS. okafor ");
  ASSERT_NE(okafor, nullptr);
  // Keys compare trimmed and case aside; the group keeps the first pupil's way of writing it.
  EXPECT_EQ(okafor->Key, "Mrs. Okafor");
  EXPECT_EQ(okafor->Grade, "4");
  EXPECT_EQ(okafor->HomeRoom, "Room 10");
  EXPECT_EQ(okafor->TeacherName, "Mrs. Okafor");
  ASSERT_TRUE(okafor->Main.has_value());
  EXPECT_EQ(okafor->Main->FirstName, "Chidi");
  EXPECT_EQ(school.Find("Staff")->Main->LastName, "Reyes");
  EXPECT_EQ(school.Find("Mr. Ng")->NoMainReason,
            "no staff row has the home room \"Room 2\" or a last name in \"Mr. Ng\"");
  EXPECT_EQ(school.Find("nobody"), nullptr);
  EXPECT_EQ(school.PupilCount(), 6u);
}

TEST(SchoolGrouping, PutsGroupsOfOneGradeInNaturalOrder) {
  const SchoolGroups school = SchoolGroups::Make(School({{"A", "A", "3", "", "Room 10", ""},
                                                         {"B", "B", "3", "", "room 2", ""},
                                                         {"C", "C", "3", "", "Annex", ""},
                                                         {"D", "D", "3", "", "Room 2b", ""}}),
                                                 GroupBy::HomeRoom);
  EXPECT_EQ(NamesOf(school), (std::vector<std::string>{"Annex", "room 2", "Room 2b", "Room 10"}));
}

TEST(SchoolGrouping, TheStaffGroupIsHeadedByThePrincipal) {
  const Row pupil = {"Ann", "Lee", "4", "Mr. Ng", "12", ""};
  const struct {
    const char* what;
    std::vector<Row> staff;
    std::string main;  // the staff group's main image, empty for no staff group
    std::size_t others;
  } cases[] = {
      {"the principal",
       {{"Sam", "Vance", "Staff", "", "", "Librarian"}, {"Pat", "Reyes", "", "", "", "principal"}},
       "Reyes",
       1},
      {"the principal before an assistant",
       {{"Al", "Hu", "", "", "", "Assistant Principal"}, {"Pat", "Reyes", "", "", "", "Principal"}},
       "Reyes",
       1},
      {"an assistant principal when alone",
       {{"Sam", "Vance", "Staff", "", "", ""}, {"Al", "Hu", "", "", "", "Assistant Principal"}},
       "Hu",
       1},
      {"without a principal the first",
       {{"Sam", "Vance", "Staff", "", "", ""}, {"Al", "Hu", "Faculty", "", "", ""}},
       "Vance",
       1},
      {"nobody when every staff row teaches", {{"Dee", "Ng", "Faculty", "", "12", "Mr."}}, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Row> rows = {pupil};
    rows.insert(rows.end(), c.staff.begin(), c.staff.end());
    const SchoolGroups school = SchoolGroups::Make(School(rows), GroupBy::Teacher);
    ASSERT_TRUE(school.Ok()) << school.Error();
    const Group* staff = school.Find("Staff");
    ASSERT_EQ(staff != nullptr, !c.main.empty());
    if (staff == nullptr) continue;
    EXPECT_TRUE(staff->IsStaff);
    EXPECT_EQ(&school.Groups().back(), staff);
    EXPECT_EQ(staff->Main->LastName, c.main);
    EXPECT_EQ(staff->PupilCount(), c.others);
  }
}

TEST(SchoolGrouping, OneGroupOfAWholeListKeepsItsMainSubject) {
  const ClassList marked =
      ClassList::Parse("FirstName,LastName,Picture,Main,Title\nA,B,,,\nC,D,,1,\nE,F,,,Principal\n",
                       "/class", "/class/4B.csv");
  const ClassList unmarked =
      ClassList::Parse("FirstName,LastName,Picture,Title\nA,B,,\nE,F,,Principal\n", "", "x.csv");
  const ClassList plain = ClassList::Parse("FirstName,LastName,Picture\nA,B,\nC,D,\n", "", "");
  const struct {
    const ClassList& list;
    std::string name;
    std::string main;
  } cases[] = {{marked, "4B", "D"}, {unmarked, "x", "F"}, {plain, "All", "B"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const SchoolGroups school = SchoolGroups::Make(c.list, GroupBy::None);
    ASSERT_TRUE(school.Ok()) << school.Error();
    ASSERT_EQ(school.Groups().size(), 1u);
    EXPECT_EQ(school.Groups()[0].Name, c.name);
    EXPECT_EQ(school.Groups()[0].Main->LastName, c.main);
    EXPECT_EQ(school.Groups()[0].ImageCount(), c.list.Members().size());
  }
}

TEST(SchoolGrouping, ChoosesWhatToGroupByFromTheColumnsTheListFills) {
  const struct {
    ClassList::Columns filled;
    GroupBy by;
  } cases[] = {
      {{.Grade = true, .Teacher = true, .HomeRoom = true}, GroupBy::Teacher},
      {{.Grade = true, .HomeRoom = true}, GroupBy::HomeRoom},
      {{.Grade = true, .Title = true}, GroupBy::Grade},
      {{.Title = true, .Volume = true}, GroupBy::None},
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultGroupBy(c.filled), c.by);
  for (const GroupBy by : {GroupBy::Teacher, GroupBy::HomeRoom, GroupBy::Grade, GroupBy::None}) {
    EXPECT_EQ(ParseGroupBy(GroupByWord(by)), by);
  }
  EXPECT_EQ(ParseGroupBy("HomeRoom"), GroupBy::HomeRoom);
  EXPECT_EQ(ParseGroupBy("class"), std::nullopt);
}

TEST(SchoolGrouping, RefusesWhatCannotBeGroupedOrDrawn) {
  // A teacher's 9999 pupils and the teacher's stand-in are one image too many, as are 10000
  // subjects of a whole list; a whole list of 9999 is drawn.
  std::vector<Row> crowd(ClassList::MaxCompositeImages, {"A", "B", "4", "Mr. Ng", "12", ""});
  EXPECT_TRUE(SchoolGroups::Make(School(crowd), GroupBy::None).Ok());
  std::vector<Row> larger = crowd;
  larger.push_back(crowd.back());
  const ClassList refused = ClassList::Parse("FirstName\n", "", "bad.csv");
  const struct {
    const char* what;
    ClassList list;
    GroupBy by;
    std::string error;
  } cases[] = {
      {"a list refused", refused, GroupBy::Teacher, refused.Error()},
      {"a column no pupil fills", School({{"A", "B", "4", "", "12", ""}}), GroupBy::Teacher,
       "cannot group INDEX.TXT by teacher: no pupil's row fills that column"},
      {"a group over the limit", School(crowd), GroupBy::Teacher,
       "the group Mr. Ng of INDEX.TXT has 10000 images; a composite shows at most 9999"},
      {"a whole list over the limit", School(larger), GroupBy::None,
       "the group INDEX of INDEX.TXT has 10000 images; a composite shows at most 9999"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const SchoolGroups school = SchoolGroups::Make(c.list, c.by);
    EXPECT_FALSE(school.Ok());
    EXPECT_TRUE(school.Groups().empty());
    EXPECT_EQ(school.Error().rfind(c.error, 0), 0u) << school.Error();
  }
}

TEST(GroupAsAList, PutsTheTeacherAmongThePupilsInTheListsOrder) {
  const SchoolGroups school =
      SchoolGroups::Make(School({{"Zed", "Adams", "4", "Mrs. Okafor", "12", ""},
                                 {"Chidi", "Okafor", "Faculty", "", "12", "Mrs."},
                                 {"Ann", "Lee", "4", "Mrs. Okafor", "12", ""}}),
                         GroupBy::Teacher);
  ASSERT_TRUE(school.Ok()) << school.Error();
  const ClassList list = ForGroup(school.Groups().at(0));
  ASSERT_TRUE(list.Ok());
  EXPECT_EQ(list.Name(), "Mrs. Okafor");
  ASSERT_EQ(list.Members().size(), 3u);
  EXPECT_EQ(list.MainIndex(), 1u);
  const ClassMember& teacher = list.Members()[1];
  EXPECT_TRUE(teacher.Main);
  EXPECT_FALSE(teacher.StandIn);
  // Printed as "Mrs. Okafor": the Title stands in for the first name.
  EXPECT_EQ(teacher.FirstName, "Mrs.");
  EXPECT_EQ(teacher.LastName, "Okafor");
  EXPECT_EQ(teacher.Picture, "/school/Okafor.jpg");
  EXPECT_FALSE(list.Members()[0].Main);
  EXPECT_EQ(list.Members()[2].FirstName, "Ann");
}

TEST(GroupAsAList, AGroupWithoutATeacherGetsAStandInNamedForThem) {
  const struct {
    std::string teacher;
    std::string first;
    std::string last;
  } cases[] = {{"Mrs. Van Okafor", "Mrs. Van", "Okafor"}, {"Okafor", "", "Okafor"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.teacher);
    const SchoolGroups school =
        SchoolGroups::Make(School({{"Ann", "Lee", "4", c.teacher, "12", ""}}), GroupBy::Teacher);
    ASSERT_TRUE(school.Ok()) << school.Error();
    const ClassList list = ForGroup(school.Groups().at(0));
    ASSERT_EQ(list.Members().size(), 2u);
    EXPECT_EQ(list.MainIndex(), 0u);
    const ClassMember& standIn = list.Members()[0];
    EXPECT_TRUE(standIn.StandIn);
    EXPECT_TRUE(standIn.Main);
    EXPECT_EQ(standIn.Picture, "");
    EXPECT_EQ(standIn.FirstName, c.first);
    EXPECT_EQ(standIn.LastName, c.last);
  }
}

}  // namespace
