// Caption and file-name fields filled per group, the templates refused with the field at fault,
// and the file names made safe and kept apart for every file system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/FieldTemplate.h"
#include "roster/Group.h"
#include "roster/SafeFileName.h"
#include "roster/UniqueFileNames.h"

namespace {

Group FourB() {
  Group group;
  group.Key = group.Name = "4B";
  group.Grade = "4";
  group.HomeRoom = "Room 12";
  group.Volume = "Larkfield School";
  group.TeacherName = "Mrs. Okafor";
  group.Pupils.resize(24);
  group.Main = ClassMember{};
  return group;
}

TEST(FieldTemplate, FillsTheFieldsOfAGroup) {
  const struct {
    std::string text;
    std::string filled;
  } cases[] = {
      {"Sample text line 1", "Sample text line 1"},
      {"{Teacher}, {Grade}, {HomeRoom}", "Mrs. Okafor, 4, Room 12"},
      {"{Volume} {Group}: {Count} pupils", "Larkfield School 4B: 24 pupils"},
      {"{home room}/{GROUP}", "Room 12/4B"},
      {"{{Teacher}} is {Teacher}", "{Teacher} is Mrs. Okafor"},
      {"}}{{", "}{"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const FieldTemplate parsed = FieldTemplate::Parse(c.text);
    ASSERT_TRUE(parsed.Ok()) << parsed.Error();
    EXPECT_EQ(parsed.Fill(FourB()), c.filled);
  }
}

TEST(FieldTemplate, RefusesAnUnknownFieldOrALoneBraceByName) {
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"{Techer} 4B",
       "unknown field {Techer}; the fields are {Teacher}, {Grade}, {HomeRoom}, "
       "{Volume}, {Group} and {Count}"},
      {"Class of {}", "unknown field {};"},
      {"{Teacher", "the field \"{Teacher\" is not closed (write {{ for a brace)"},
      {"{Grade {Teacher}", "the field \"{Grade \" is not closed"},
      {"Room 4}", "a \"}\" closes no field (write }} for a brace)"},
      {"{{Teacher}", "a \"}\" closes no field"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const FieldTemplate parsed = FieldTemplate::Parse(c.text);
    EXPECT_FALSE(parsed.Ok());
    EXPECT_EQ(parsed.Error().rfind(c.error, 0), 0u) << parsed.Error();
  }
}

TEST(SafeFileName, MakesANameEveryFileSystemTakes) {
  const std::string longName(300, 'a');
  // 127 two-byte letters and one more: the cut may not split the last one.
  std::string accents;
  for (int i = 0; i < 128; ++i) accents += "é";
  const struct {
    const char* what;
    std::string stem;
    std::string name;
  } cases[] = {
      {"a plain name", "Mrs. Okafor", "Mrs. Okafor.jpg"},
      {"separators", "4/5 Mix\\Room", "4_5 Mix_Room.jpg"},
      {"Windows' reserved characters", "a<b>c:d\"e|f?g*h", "a_b_c_d_e_f_g_h.jpg"},
      {"control characters", "Tab\there\nC1\xC2\x85", "Tab_here_C1_.jpg"},
      {"bytes that are not UTF-8", "Zo\xEB", "Zo_.jpg"},
      {"dots and spaces at the ends", "  Room 4. . ", "Room 4.jpg"},
      {"a hidden name", ".profile", "_profile.jpg"},
      {"nothing left", " ..", "Unnamed.jpg"},
      {"empty", "", "Unnamed.jpg"},
      {"a reserved device", "con", "con_.jpg"},
      {"a reserved device with a dot", "LPT1.old", "LPT1_.old.jpg"},
      {"a reserved device and a space", "Aux .x", "Aux_ .x.jpg"},
      {"no device", "COM10", "COM10.jpg"},
      {"too long", longName, std::string(251, 'a') + ".jpg"},
      {"too long in two-byte letters", accents, accents.substr(0, 250) + ".jpg"},
      {"cut before a dot", std::string(250, 'a') + ". b", std::string(250, 'a') + ".jpg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = SafeFileName(c.stem, ".jpg");
    EXPECT_EQ(name, c.name);
    EXPECT_LE(name.size(), kMaxFileNameBytes);
  }
}

TEST(UniqueFileNames, NumbersTheNamesThatWouldMeet) {
  UniqueFileNames names(".jpg");
  names.Reserve("Report.JPG");
  const std::vector<std::string> stems = {"4B",     "4b",    "4B ",   "4B (2)",
                                          "report", "Mr/Ng", "Mr_Ng", std::string(300, 'x')};
  std::vector<std::string> given;
  for (const std::string& stem : stems) given.push_back(names.Next(stem));
  given.push_back(names.Next(std::string(300, 'x')));
  EXPECT_EQ(given, (std::vector<std::string>{"4B.jpg", "4b (2).jpg", "4B (3).jpg", "4B (2) (2).jpg",
                                             "report (2).jpg", "Mr_Ng.jpg", "Mr_Ng (2).jpg",
                                             std::string(251, 'x') + ".jpg",
                                             std::string(247, 'x') + " (2).jpg"}));
}

}  // namespace
