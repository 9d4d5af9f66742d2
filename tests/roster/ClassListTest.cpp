// Reading class lists: the CSV forms spreadsheets write, the columns found by name, and every
// malformed or oversized list refused with the line it went wrong on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "roster/ClassList.h"
#include "roster/ClassListCache.h"
#include "support/ClassFolder.h"
#include "support/ScratchFolder.h"

namespace {

struct Expected {
  std::string first;
  std::string last;
  std::string picture;
};

struct ReadCase {
  const char* what;
  std::string text;
  std::vector<Expected> members;
  std::size_t mainIndex = 0;
};

ClassList ParseInClass(const std::string& text) { return ClassList::Parse(text, "/class", "list"); }

TEST(ClassListReading, ReadsTheFormsSpreadsheetsWrite) {
  const std::vector<ReadCase> cases = {
      {"line feeds",
       "FirstName,LastName,Picture\nAnn,Lee,a.jpg\nBo,Kim,b.jpg\n",
       {{"Ann", "Lee", "/class/a.jpg"}, {"Bo", "Kim", "/class/b.jpg"}}},
      {"carriage return and line feed",
       "FirstName,LastName,Picture\r\nAnn,Lee,a.jpg\r\n",
       {{"Ann", "Lee", "/class/a.jpg"}}},
      {"carriage returns alone",
       "FirstName,LastName,Picture\rAnn,Lee,a.jpg\rBo,Kim,b.jpg",
       {{"Ann", "Lee", "/class/a.jpg"}, {"Bo", "Kim", "/class/b.jpg"}}},
      {"byte-order mark",
       "\xEF\xBB\xBF"
       "FirstName,LastName,Picture\nAnn,Lee,a.jpg\n",
       {{"Ann", "Lee", "/class/a.jpg"}}},
      {"no line end after the last row",
       "FirstName,LastName,Picture\nAnn,Lee,a.jpg",
       {{"Ann", "Lee", "/class/a.jpg"}}},
      {"quoted comma",
       "FirstName,LastName,Picture\n\"Ann, Jo\",\"Lee, Jr.\",a.jpg\n",
       {{"Ann, Jo", "Lee, Jr.", "/class/a.jpg"}}},
      {"doubled quotes",
       "FirstName,LastName,Picture\n\"Ann \"\"Annie\"\"\",Lee,a.jpg\n",
       {{"Ann \"Annie\"", "Lee", "/class/a.jpg"}}},
      {"quote inside a plain field",
       "FirstName,LastName,Picture\nAnn,O\"Hara,a.jpg\n",
       {{"Ann", "O\"Hara", "/class/a.jpg"}}},
      {"line end inside quotes",
       "FirstName,LastName,Picture\n\"Mary\r\nJane\",Lee,\"a\nb.jpg\"\n",
       {{"Mary Jane", "Lee", "/class/a\nb.jpg"}}},
      {"columns in any order, others ignored, names in any case",
       "Picture,Class,lastname, FIRSTNAME \npics/a.jpg,4B,Lee,Ann\n",
       {{"Ann", "Lee", "/class/pics/a.jpg"}}},
      {"a short row leaves the rest empty",
       "FirstName,LastName,Picture\nAnn,Lee\nBo\n",
       {{"Ann", "Lee", ""}, {"Bo", "", ""}}},
      {"blank lines and rows of empty fields",
       "\n\nFirstName,LastName,Picture\n\n,,\nAnn,Lee,\n, ,\n",
       {{"Ann", "Lee", ""}}},
      {"spaces around fields and after a closing quote",
       "FirstName,LastName,Picture\n  Ann , \"Lee\"  , a.jpg \n",
       {{"Ann", "Lee", "/class/a.jpg"}}},
      {"absolute and climbing paths",
       "FirstName,LastName,Picture\nA,B,/photos/a.jpg\nC,D,../c.jpg\n",
       {{"A", "B", "/photos/a.jpg"}, {"C", "D", "/c.jpg"}}},
      {"non-ASCII names",
       "FirstName,LastName,Picture\nZoë,Ångström,\nΔήμητρα,Παππά,\nЮлия,Смирнова,\n",
       {{"Zoë", "Ångström", ""}, {"Δήμητρα", "Παππά", ""}, {"Юлия", "Смирнова", ""}}},
      {"the marked main subject",
       "FirstName,LastName,Picture,Main\nA,B,,0\nC,D,,1\nE,F,,\n",
       {{"A", "B", ""}, {"C", "D", ""}, {"E", "F", ""}},
       1},
      {"without a mark the first is the main subject",
       "FirstName,LastName,Picture,Main\nA,B,,\nC,D,,0\n",
       {{"A", "B", ""}, {"C", "D", ""}},
       0},
      {"a header alone", "FirstName,LastName,Picture\n", {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    const ClassList list = ParseInClass(c.text);
    ASSERT_TRUE(list.Ok()) << list.Error();
    ASSERT_EQ(list.Members().size(), c.members.size());
    for (std::size_t i = 0; i < c.members.size(); ++i) {
      EXPECT_EQ(list.Members()[i].FirstName, c.members[i].first);
      EXPECT_EQ(list.Members()[i].LastName, c.members[i].last);
      EXPECT_EQ(list.Members()[i].Picture, c.members[i].picture);
    }
    EXPECT_EQ(list.MainIndex(), c.mainIndex);
  }
}

TEST(ClassListReading, MembersKnowTheLineTheirRowStartsOn) {
  const ClassList list =
      ParseInClass("FirstName,LastName,Picture\r\n\"Two\nLines\",A,\r\n\r\nB,C,\r\n");
  ASSERT_TRUE(list.Ok()) << list.Error();
  ASSERT_EQ(list.Members().size(), 2u);
  EXPECT_EQ(list.Members()[0].Line, 2u);
  EXPECT_EQ(list.Members()[1].Line, 5u);
}

struct RefusedCase {
  const char* what;
  std::string text;
  std::size_t line;
  std::string reason;
};

TEST(ClassListRefusal, NamesTheLineOfEveryMalformedList) {
  const std::string header = "FirstName,LastName,Picture\n";
  const std::vector<RefusedCase> cases = {
      {"empty file", "", 1, "no header row"},
      {"only blank lines", "\n\r\n", 1, "no header row"},
      {"data where the header belongs", "Ann,Lee,a.jpg\n", 1, "no header row"},
      {"a required column missing", "FirstName,Surname,Picture\nAnn,Lee,a.jpg\n", 1,
       "the header has no column LastName"},
      {"two required columns missing", "FirstName\nAnn\n", 1,
       "the header has no column LastName and Picture"},
      {"a column named twice", "FirstName,LastName,Picture,picture\n", 1,
       "names the column Picture twice"},
      {"a row with too many fields", header + "Ann,Lee,a.jpg\nBo,Kim,b.jpg,extra\n", 3,
       "more fields than the header's 3"},
      {"a trailing comma is one more field", header + "Ann,Lee,a.jpg,\n", 2,
       "more fields than the header's 3"},
      {"an unterminated quote", header + "Ann,Lee,a.jpg\n\"Bo,Kim,b.jpg\nCy,Ng,c.jpg\n", 3,
       "a quoted field is not closed"},
      {"text after a closing quote", header + "\"Ann\"x,Lee,a.jpg\n", 2,
       "text follows the closing quote"},
      {"lines counted across quoted line ends", header + "\"A\nB\",C,\n\"D\r\nE\",F,\nG,H,I,J\n", 6,
       "more fields than the header's 3"},
      {"lines counted after blank lines before the header", "\n\n" + header + "A,B,\nA,B,C,D\n", 5,
       "more fields"},
      {"a second main subject", "FirstName,LastName,Picture,Main\nA,B,,1\nC,D,,\nE,F,,1\n", 4,
       "a second subject is marked Main; line 2 marks one already"},
      {"a main mark that is not 1 or 0", "FirstName,LastName,Picture,Main\nA,B,,yes\n", 2,
       "Main is 1 for the main subject, 0 or empty, not \"yes\""},
      {"text that is not UTF-8",
       header + "Ann,Lee,a.jpg\n\xDC"
                "nal,Bo,b.jpg\n",
       3, "not UTF-8"},
      {"an overlong UTF-8 form", header + "\xC0\xAF,Lee,\n", 2, "not UTF-8"},
      {"a zero byte", header + "Ann,L" + std::string(1, '\0') + "ee,\n", 2, "not UTF-8"},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.what);
    const ClassList list = ParseInClass(c.text);
    EXPECT_FALSE(list.Ok());
    EXPECT_TRUE(list.Members().empty());
    EXPECT_EQ(list.ErrorLine(), c.line) << list.Error();
    EXPECT_EQ(list.Error().rfind("list, line " + std::to_string(c.line) + ": ", 0), 0u)
        << list.Error();
    EXPECT_NE(list.Error().find(c.reason), std::string::npos) << list.Error();
  }
}

TEST(ClassListRefusal, BoundsFieldsColumnsAndSubjects) {
  const std::string header = "FirstName,LastName,Picture\n";
  std::string wideHeader = header.substr(0, header.size() - 1);
  for (std::size_t i = 0; i < ClassList::MaxColumns; ++i) wideHeader += ",x";
  std::string crowd = header;
  for (std::size_t i = 0; i <= ClassList::MaxMembers; ++i) crowd += "A,B,\n";
  const std::vector<RefusedCase> cases = {
      {"a plain field too long", header + std::string(ClassList::MaxFieldBytes + 1, 'a') + ",B,\n",
       2, "a field is longer than 4096 bytes"},
      {"a quoted field too long",
       header + "A,\"" + std::string(ClassList::MaxFieldBytes + 1, 'b') + "\",\n", 2,
       "a field is longer than 4096 bytes"},
      {"too many columns", wideHeader + "\n", 1, "more than 256 columns"},
      {"too many subjects", crowd, ClassList::MaxMembers + 2, "at most 100000 subjects"},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.what);
    const ClassList list = ParseInClass(c.text);
    EXPECT_FALSE(list.Ok());
    EXPECT_EQ(list.ErrorLine(), c.line) << list.Error();
    EXPECT_NE(list.Error().find(c.reason), std::string::npos) << list.Error();
  }
  // The longest field accepted is exactly the bound.
  EXPECT_TRUE(ParseInClass(header + std::string(ClassList::MaxFieldBytes, 'a') + ",B,\n").Ok());
}

TEST(ClassListReading, ReadsTheSchoolsColumnsWhenTheListHasThem) {
  const ClassList list = ParseInClass(
      "FirstName,LastName,Picture,Grade,Teacher,Home Room,title\n"
      "Ann,Lee,,4,Mrs. Okafor,12,\n"
      "Chidi,Okafor,,Faculty,,12,Mrs.\n");
  ASSERT_TRUE(list.Ok()) << list.Error();
  EXPECT_EQ(list.Form(), ListForm::ClassListCsv);
  const ClassMember& ann = list.Members().at(0);
  EXPECT_EQ(ann.Grade, "4");
  EXPECT_EQ(ann.Teacher, "Mrs. Okafor");
  EXPECT_EQ(ann.HomeRoom, "12");
  EXPECT_EQ(list.Members().at(1).Title, "Mrs.");
}

TEST(ClassListReading, KnowsWhichColumnsThePupilsFill) {
  using Filled = std::vector<bool>;  // grade, teacher, home room, title
  const struct {
    const char* what;
    std::string text;
    Filled filled;
  } cases[] = {
      {"names and pictures only",
       "FirstName,LastName,Picture\nA,B,\n",
       {false, false, false, false}},
      {"teacher filled",
       "FirstName,LastName,Picture,Teacher\nA,B,,Mr. Ng\n",
       {false, true, false, false}},
      {"a column left empty",
       "FirstName,LastName,Picture,Grade\nA,B,,\n",
       {false, false, false, false}},
      {"only staff fill it",
       "FirstName,LastName,Picture,Grade,HomeRoom,Title\nA,B,,4,,\nC,D,,Staff,12,Mr.\n",
       {true, false, false, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ClassList list = ParseInClass(c.text);
    ASSERT_TRUE(list.Ok()) << list.Error();
    const ClassList::Columns& filled = list.Filled();
    EXPECT_EQ((Filled{filled.Grade, filled.Teacher, filled.HomeRoom, filled.Title}), c.filled);
  }
}

TEST(ClassListReading, TellsACsvListFromAPortraitIndex) {
  const struct {
    std::string name;
    std::string firstLine;
    ListForm form;
  } cases[] = {
      {"class.csv", "a\tb\tc", ListForm::ClassListCsv},
      {"CLASS.CSV", "", ListForm::ClassListCsv},
      {"INDEX.TXT", "a\tb,c", ListForm::PortraitIndex},
      {"INDEX.TXT", "\xEF\xBB\xBF\n  \nFirstName,LastName,Picture", ListForm::ClassListCsv},
      {"index.txt", "Lee", ListForm::PortraitIndex},
      {"list", "\r\nVolume Name\tImage Folder", ListForm::PortraitIndex},
      {"list", "FirstName", ListForm::ClassListCsv},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name + " " + c.firstLine);
    EXPECT_EQ(ClassList::FormOf(c.firstLine + "\nmore", c.name), c.form);
  }
}

TEST(ClassListReading, IsDrawnAsOneCompositeOnlyUpToTheLimit) {
  std::vector<ClassMember> members(ClassList::MaxCompositeImages);
  EXPECT_EQ(ClassList::Of(members, 0, "class.csv").CompositeError(), "");
  members.emplace_back();
  EXPECT_EQ(ClassList::Of(members, 0, "class.csv").CompositeError(),
            "class.csv has 10000 images; a composite shows at most 9999");
  const ClassList refused = ParseInClass("FirstName\n");
  EXPECT_EQ(refused.CompositeError(), refused.Error());
}

TEST(ClassListFile, ResolvesPicturesAgainstTheListsFolder) {
  const ScratchFolder folder("class-list-file");
  const auto path =
      folder.Write("4B/class.csv", "FirstName,LastName,Picture\nAnn,Lee,pics/a.jpg\n");
  const ClassList list = ClassList::Read(path.string());
  ASSERT_TRUE(list.Ok()) << list.Error();
  EXPECT_EQ(list.Members().at(0).Picture, (folder.Path() / "4B/pics/a.jpg").string());
}

TEST(ClassListFile, RefusesMissingAndOversizedFilesWithoutALine) {
  const ScratchFolder folder("class-list-file");
  const std::string missing = (folder.Path() / "none.csv").string();
  const ClassList absent = ClassList::Read(missing);
  EXPECT_EQ(absent.Error(), "cannot read " + missing + ": No such file or directory");
  EXPECT_EQ(absent.ErrorLine(), 0u);

  const auto large = folder.Write(
      "large.csv", "FirstName,LastName,Picture\n" + std::string(ClassList::MaxFileBytes, '\n'));
  const ClassList oversized = ClassList::Read(large.string());
  EXPECT_FALSE(oversized.Ok());
  EXPECT_NE(oversized.Error().find("larger than 16 MiB"), std::string::npos) << oversized.Error();
  EXPECT_EQ(oversized.ErrorLine(), 0u);
}

TEST(ClassListFile, RefusesAtOnceWhatIsNotARegularFile) {
  const ScratchFolder folder("class-list-kinds");
  for (const char* name : {"class.csv", "INDEX.TXT"}) {
    const std::string fifo = (folder.Path() / ("fifo-" + std::string(name))).string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string subfolder = (folder.Path() / name).string();
    std::filesystem::create_directory(subfolder);
    const struct {
      std::string path;
      std::string reason;
    } cases[] = {
        // Opening a FIFO nobody writes to would wait for ever.
        {fifo, "it is a FIFO (a named pipe), not a file"},
        {"/dev/null", "it is a device, not a file"},
        {subfolder, "it is a folder, not a file"},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.path);
      const ClassList list = ClassList::Read(c.path);
      EXPECT_EQ(list.Error(), "cannot read " + c.path + ": " + c.reason);
      EXPECT_EQ(list.ErrorLine(), 0u);
    }
  }
}

TEST(ClassListFile, IsReadAgainOnlyAfterTheFileChanges) {
  const ScratchFolder folder("class-list-cache");
  ClassListCache& cache = ClassListCache::Instance();
  const std::string path = folder.Write("class.csv", "FirstName,LastName,Picture\nA,B,\n").string();
  const std::uint64_t before = cache.Reads();
  const auto first = cache.Get(path);
  const auto again = cache.Get(path);
  EXPECT_EQ(cache.Reads(), before + 1);
  EXPECT_EQ(first, again);
  ASSERT_EQ(again->Members().size(), 1u);

  folder.Write("class.csv", "FirstName,LastName,Picture\nA,B,\nC,D,\n");
  const auto changed = cache.Get(path);
  EXPECT_EQ(cache.Reads(), before + 2);
  EXPECT_EQ(changed->Members().size(), 2u);

  // A file that is not there is looked for again every time, so that it is found once made.
  const std::string missing = (folder.Path() / "later.csv").string();
  EXPECT_FALSE(cache.Get(missing)->Ok());
  folder.Write("later.csv", testsupport::ClassListText({{"A", "B", "", false}}, false));
  EXPECT_TRUE(cache.Get(missing)->Ok());
}

}  // namespace
