// Reading a school's portrait index: its three forms with and without a header, its encodings
// and line ends, the pictures it names as Windows wrote them, and every malformed index refused
// with its line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "roster/ClassList.h"
#include "support/IndexFolder.h"
#include "support/ScratchFolder.h"

namespace {

using namespace std::string_literals;
using testsupport::IndexForm;
using testsupport::IndexRow;

const std::vector<IndexRow> kSchool = {
    {"Ann", "Lee", "ann.jpg", "4", "Mrs. Okafor", "12", ""},
    {"Bo", "Kim", "bo.jpg", "4", "Mrs. Okafor", "12", ""},
    {"Chidi", "Okafor", "okafor.jpg", "Faculty", "", "12", "Mrs."},
};

ClassList ParseIndex(const std::string& text) {
  return ClassList::Parse(text, "/school", "INDEX.TXT");
}

TEST(PortraitIndexReading, ReadsEachFormWithAndWithoutAHeaderAndAnyLineEnd) {
  const struct {
    IndexForm form;
    const char* what;
    bool title;  // the form has a Title column
  } forms[] = {{IndexForm::Full, "13 columns", true},
               {IndexForm::Short, "8 columns", false},
               {IndexForm::Combined, "7 columns", false}};
  for (const auto& form : forms) {
    for (const bool header : {false, true}) {
      for (const std::string lineEnd : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(std::string(form.what) + (header ? ", header" : "") + ", line end " +
                     std::to_string(lineEnd.size()) + std::to_string(lineEnd.back()));
        const ClassList list =
            ParseIndex(testsupport::IndexText(kSchool, form.form, header, lineEnd));
        ASSERT_TRUE(list.Ok()) << list.Error();
        EXPECT_EQ(list.Form(), ListForm::PortraitIndex);
        EXPECT_FALSE(list.ReadAsWindows1252());
        ASSERT_EQ(list.Members().size(), 3u);
        const ClassMember& ann = list.Members()[0];
        EXPECT_EQ(ann.FirstName, "Ann");
        EXPECT_EQ(ann.LastName, "Lee");
        EXPECT_EQ(ann.Picture, "/school/Photos/ann.jpg");
        EXPECT_EQ(ann.Grade, "4");
        EXPECT_EQ(ann.Teacher, "Mrs. Okafor");
        EXPECT_EQ(ann.Volume, "Larkfield School");
        EXPECT_EQ(ann.Line, header ? 2u : 1u);
        // The combined column fills both, with what it holds: the teacher for the pupils.
        EXPECT_EQ(ann.HomeRoom, form.form == IndexForm::Combined ? "Mrs. Okafor" : "12");
        const ClassMember& teacher = list.Members()[2];
        EXPECT_EQ(teacher.Grade, "Faculty");
        EXPECT_EQ(teacher.Title, form.title ? "Mrs." : "");
        EXPECT_TRUE(list.Filled().Teacher);
        EXPECT_TRUE(list.Filled().HomeRoom);
        EXPECT_TRUE(list.Filled().Grade);
        EXPECT_EQ(list.Filled().Title, form.title);
      }
    }
  }
}

TEST(PortraitIndexReading, MapsAHeaderByItsLabelsInAnyOrderCaseAndSpacesAside) {
  const ClassList list = ParseIndex(
      "teacher name\tFIRSTNAME\tLast Name\tImageFileName\tHomeroom\tStudent ID\tTitle\n"
      "Mr. Ng\tAnn\tLee\tpics\\a.jpg\t7\t1234\t\n"
      "\tSam\tNg\tpics/n.jpg\t7\t\tMr.\n"
      "Mr. Ng\tBo\n");
  ASSERT_TRUE(list.Ok()) << list.Error();
  ASSERT_EQ(list.Members().size(), 3u);
  EXPECT_EQ(list.Members()[0].Teacher, "Mr. Ng");
  EXPECT_EQ(list.Members()[0].HomeRoom, "7");
  EXPECT_EQ(list.Members()[0].Picture, "/school/pics/a.jpg");
  EXPECT_EQ(list.Members()[1].Title, "Mr.");
  // A row shorter than the header leaves the rest empty, a picture among them.
  EXPECT_EQ(list.Members()[2].FirstName, "Bo");
  EXPECT_EQ(list.Members()[2].Picture, "");
  EXPECT_FALSE(list.Filled().Grade);
  EXPECT_FALSE(list.Filled().Volume);
}

TEST(PortraitIndexReading, ReadsWindows1252WhenTheTextIsNotUtf8) {
  const std::string row = "School\tPhotos\ta.jpg\t4\t";
  const struct {
    const char* what;
    std::string text;
    std::string last;
    bool windows1252;
  } cases[] = {
      {"UTF-8", row + "Müller\tZoë\tØrsted\n", "Müller", false},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + row + "Müller\tZoë\tØrsted\n", "Müller",
       false},
      {"Windows-1252", row + "M\xFCller\tZo\xEB\t\xD8rsted\n", "Müller", true},
      {"its punctuation",
       row + "\x93"
             "Bud\x94 O\x92Hara\tZo\xEB\t\x80\n",
       "\xE2\x80\x9C"
       "Bud\xE2\x80\x9D O\xE2\x80\x99Hara",
       true},
      {"an undefined byte", row + "M\x81ller\tZo\xEB\t\n", "M\xEF\xBF\xBDller", true},
      {"a Ctrl-Z at the end", row + "Lee\tAnn\t\r\n\x1A", "Lee", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ClassList list = ParseIndex(c.text);
    ASSERT_TRUE(list.Ok()) << list.Error();
    ASSERT_EQ(list.Members().size(), 1u);
    EXPECT_EQ(list.Members()[0].LastName, c.last);
    EXPECT_EQ(list.ReadAsWindows1252(), c.windows1252);
    if (c.windows1252) {
      EXPECT_EQ(list.Members()[0].FirstName, "Zoë");
    }
  }
}

TEST(PortraitIndexReading, QuotedFieldsReadAsSpreadsheetsWriteThem) {
  const ClassList list =
      ParseIndex("School\tPhotos\ta.jpg\t4\t\"Lee, Jr.\"\t\"Ann \"\"Annie\"\"\"\t12\tMr. Ng\n");
  ASSERT_TRUE(list.Ok()) << list.Error();
  EXPECT_EQ(list.Members()[0].LastName, "Lee, Jr.");
  EXPECT_EQ(list.Members()[0].FirstName, "Ann \"Annie\"");
}

struct RefusedCase {
  const char* what;
  std::string text;
  std::size_t line;
  std::string reason;
};

TEST(PortraitIndexRefusal, NamesTheLineOfEveryMalformedIndex) {
  const std::string seven = "School\tPhotos\ta.jpg\t4\tLee\tAnn\t12\n";
  const std::string eight = "School\tPhotos\ta.jpg\t4\tLee\tAnn\tMr. Ng\t12\n";
  const std::vector<RefusedCase> cases = {
      {"an empty file", "", 1, "the portrait index is empty"},
      {"a count of no form", "\n\nSchool\tPhotos\ta.jpg\tLee\n", 3,
       "the line has 4 fields; a portrait index without a header row has 13, 8 or 7"},
      {"a trailing TAB", eight.substr(0, eight.size() - 1) + "\t\n", 1, "the line has 9 fields;"},
      {"a line of another form", seven + seven + eight, 3,
       "the line has 8 fields where the first line has 7"},
      {"a header without the picture", "Last Name\tFirst Name\tGrade\nLee\tAnn\t4\n", 1,
       "the header has no column Image File Name"},
      {"a header without the names", "Image File Name\tGrade\n", 1,
       "the header has no column Last Name and First Name"},
      {"a header naming a column twice", "Image File Name\tLast Name\tFirst Name\tlastname\n", 1,
       "the header names the column Last Name twice"},
      {"a row longer than the header", "Image File Name\tLast Name\tFirst Name\na\tb\tc\td\n", 2,
       "the line has more fields than the header's 3"},
      {"an unclosed quote", seven + "School\tPhotos\tb.jpg\t4\t\"Kim\tBo\t12\n" + seven, 2,
       "a quoted field is not closed"},
      {"text after a closing quote", seven + "School\tPhotos\tb.jpg\t4\t\"Kim\" Jr\tBo\t12\n", 2,
       "text follows the closing quote"},
      {"a zero byte", seven + seven + "School\tPho" + std::string(1, '\0') + "tos\n", 3,
       "binary data (a zero byte)"},
      {"a control character", seven + "Sch\x07ool\n", 2, "binary data (a control character)"},
      {"a picture given as an index", "\xFF\xD8\xFF\xE0\x00\x10JFIF"s, 1, "binary data"},
      {"one field", "Lee\n", 1, "the line has 1 field;"},
      {"a byte-order mark on text that is not UTF-8",
       "\xEF\xBB\xBF" + seven + "School\tPhotos\ta.jpg\t4\tM\xFCller\tAnn\t12\n", 2,
       "starts as UTF-8 but this line is not UTF-8"},
      {"a field too long",
       "School\tPhotos\t" + std::string(ClassList::MaxFieldBytes + 1, 'a') + "\t4\tLee\tAnn\t12\n",
       1, "a field is longer than 4096 bytes"},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.what);
    const ClassList list = ParseIndex(c.text);
    EXPECT_FALSE(list.Ok());
    EXPECT_TRUE(list.Members().empty());
    EXPECT_EQ(list.ErrorLine(), c.line) << list.Error();
    EXPECT_EQ(list.Error().rfind("INDEX.TXT, line " + std::to_string(c.line) + ": ", 0), 0u)
        << list.Error();
    EXPECT_NE(list.Error().find(c.reason), std::string::npos) << list.Error();
  }
}

TEST(PortraitIndexRefusal, BoundsTheSubjectsItHolds) {
  std::string crowd;
  for (std::size_t i = 0; i <= ClassList::MaxMembers; ++i) crowd += "S\t\t\t4\tLee\tAnn\t12\n";
  const ClassList list = ParseIndex(crowd);
  EXPECT_EQ(list.ErrorLine(), ClassList::MaxMembers + 1) << list.Error();
  EXPECT_NE(list.Error().find("at most 100000 subjects"), std::string::npos) << list.Error();
}

TEST(PortraitIndexPictures, AreFoundAsWindowsWouldFindThem) {
  const ScratchFolder folder("portrait-index-pictures");
  for (const char* file : {"Photos/4B/ANN.JPG", "Photos/4B/bo.jpg", "Photos/4B/Cy.jpg",
                           "Photos/4B/CY.jpg", "Staff/dee.jpg"}) {
    folder.Write(file, "picture");
  }
  const std::string root = folder.Path().string() + "/";
  const struct {
    const char* what;
    std::string folder;
    std::string file;
    std::string picture;  // under root
    PictureMatch match;
    std::string written;  // under root, kept when the picture is not the file written
  } cases[] = {
      {"exactly", "Photos\\4B", "bo.jpg", "Photos/4B/bo.jpg", PictureMatch::AsWritten, ""},
      {"forward slashes", "Photos/4B", "bo.jpg", "Photos/4B/bo.jpg", PictureMatch::AsWritten, ""},
      {"the name in another case", "Photos\\4B", "ann.jpg", "Photos/4B/ANN.JPG",
       PictureMatch::IgnoringCase, "Photos/4B/ann.jpg"},
      {"the folders in another case", "PHOTOS\\4b", "Bo.JPG", "Photos/4B/bo.jpg",
       PictureMatch::IgnoringCase, "PHOTOS/4b/Bo.JPG"},
      {"two files alike but for case", "Photos\\4B", "cy.jpg", "Photos/4B/cy.jpg",
       PictureMatch::SeveralIgnoringCase, "Photos/4B/cy.jpg"},
      {"no file at all", "Photos\\4B", "zed.jpg", "Photos/4B/zed.jpg", PictureMatch::AsWritten, ""},
      {"a drive and a leading backslash", "D:\\Staff", "DEE.jpg", "Staff/dee.jpg",
       PictureMatch::IgnoringCase, "Staff/DEE.jpg"},
      {"no folder", "", "Staff\\dee.jpg", "Staff/dee.jpg", PictureMatch::AsWritten, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    IndexRow row{"Ann", "Lee", c.file, "4", "Mr. Ng", "12", ""};
    row.folder = c.folder;
    const ClassList list = ClassList::Parse(testsupport::IndexText({row}, IndexForm::Full, false),
                                            folder.Path().string(), "INDEX.TXT");
    ASSERT_TRUE(list.Ok()) << list.Error();
    const ClassMember& member = list.Members().at(0);
    EXPECT_EQ(member.Picture, root + c.picture);
    EXPECT_EQ(member.Match, c.match);
    EXPECT_EQ(member.WrittenPicture, c.written.empty() ? "" : root + c.written);
  }
}

}  // namespace
