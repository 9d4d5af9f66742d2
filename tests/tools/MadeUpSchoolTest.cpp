// The made-up school of make-class-pictures --school, read back with the program's own reader:
// an index of the full form whose pupils group by teacher, each group finding its teacher by
// home room, the other staff making the staff group under the principal, every picture there.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "roster/ClassList.h"
#include "roster/GroupBy.h"
#include "roster/SchoolGroups.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

ProgramResult MakeSchool(const ScratchFolder& scratch, const std::string& arguments) {
  return RunProgramAt(MAKE_CLASS_PICTURES,
                      "--school '" + (scratch.Path() / "school").string() + "' " + arguments,
                      scratch.Path());
}

TEST(MadeUpSchool, ReadsBackAsGroupsWithTheirTeachersAndTheStaff) {
  const struct {
    const char* arguments;
    std::vector<std::size_t> pupils;  // per group, the staff group last
  } cases[] = {
      {"3 2", {2, 2, 2, 4}},
      // Pupils in groups of 25 at most, shared out as evenly as they go.
      {"--pupils 27", {14, 13, 4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const ScratchFolder scratch("made-up-school");
    const ProgramResult made = MakeSchool(scratch, c.arguments);
    ASSERT_EQ(made.status, 0) << made.err;

    const ClassList list = ClassList::Read((scratch.Path() / "school" / "INDEX.TXT").string());
    ASSERT_TRUE(list.Ok()) << list.Error();
    EXPECT_EQ(list.Form(), ListForm::PortraitIndex);
    EXPECT_FALSE(list.ReadAsWindows1252());
    std::set<std::string> names;
    for (const ClassMember& member : list.Members()) {
      EXPECT_TRUE(std::filesystem::is_regular_file(member.Picture)) << member.Picture;
      EXPECT_EQ(member.Volume, "Hollybrook School");
      names.insert(member.FirstName + " " + member.LastName);
    }
    EXPECT_EQ(names.size(), list.Members().size()) << "every name distinct";

    const SchoolGroups school = SchoolGroups::Make(list, DefaultGroupBy(list.Filled()));
    ASSERT_TRUE(school.Ok()) << school.Error();
    EXPECT_EQ(school.By(), GroupBy::Teacher);
    std::vector<std::size_t> pupils;
    for (const Group& group : school.Groups()) {
      pupils.push_back(group.PupilCount());
      ASSERT_TRUE(group.Main.has_value()) << group.Name << ": " << group.NoMainReason;
      if (group.IsStaff) {
        EXPECT_EQ(group.Main->Title, "Principal");
      } else {
        EXPECT_EQ(group.Main->Grade, "Faculty");
        EXPECT_EQ(group.Main->HomeRoom, group.HomeRoom);
        EXPECT_EQ(group.Main->Title + " " + group.Main->LastName, group.Name);
      }
    }
    EXPECT_EQ(pupils, c.pupils);
    EXPECT_TRUE(school.Groups().back().IsStaff);
  }
}

TEST(MadeUpSchool, RefusesArgumentsItCannotMake) {
  const ScratchFolder scratch("made-up-school");
  for (const char* arguments : {"0", "2 x", "--pupils 0", "--pupils 9999999", "100 100", "1 2 3"}) {
    SCOPED_TRACE(arguments);
    const ProgramResult made = MakeSchool(scratch, arguments);
    EXPECT_EQ(made.status, 2);
    EXPECT_NE(made.err.find("usage: make-class-pictures"), std::string::npos) << made.err;
    EXPECT_FALSE(std::filesystem::exists(scratch.Path() / "school" / "INDEX.TXT"));
  }
}

}  // namespace
