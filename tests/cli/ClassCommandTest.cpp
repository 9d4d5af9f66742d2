// Runs "grid" and "render" with a class list, as a photographer checking a layout would.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "support/ClassFolder.h"
#include "support/IndexFolder.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"
#include "support/TextChanges.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ClassRow;

using Box = std::array<int, 4>;

// The boxes of the JSON array after "key":, in layout units.
std::vector<Box> BoxesAfter(const std::string& json, const std::string& key) {
  std::vector<Box> boxes;
  std::size_t at = json.find("\"" + key + "\":[");
  if (at == std::string::npos) return boxes;
  at += key.size() + 4;
  while (at < json.size() && json[at] == '[') {
    Box box{};
    for (int& side : box) {
      ++at;
      std::size_t used = 0;
      side = std::stoi(json.substr(at), &used);
      at += used;
    }
    boxes.push_back(box);
    at += 2;  // "]," or "]]"
  }
  return boxes;
}

// The JSON strings in the text after "key":, unescaped (only \" and \\ occur in these tests).
std::vector<std::string> StringsAfter(const std::string& json, const std::string& key) {
  std::vector<std::string> strings;
  const std::size_t start = json.find("\"" + key + "\":");
  if (start == std::string::npos) return strings;
  int depth = 0;
  for (std::size_t i = start + key.size() + 3; i < json.size(); ++i) {
    if (json[i] == '[') ++depth;
    if (json[i] == ']' && --depth <= 0) break;
    if (json[i] != '"') continue;
    std::string text;
    for (++i; json[i] != '"'; ++i) text += json[i] == '\\' ? json[++i] : json[i];
    strings.push_back(text);
  }
  return strings;
}

// First and last names in pairs, joined by a space.
std::vector<std::string> Joined(const std::vector<std::string>& parts) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
    names.push_back(parts[i] + " " + parts[i + 1]);
  return names;
}

bool Dark(QRgb pixel) { return qGray(pixel) < 100; }

class ClassCommandTest : public testing::Test {
 protected:
  ProgramResult Run(const std::string& arguments) { return RunProgram(arguments, folder_.Path()); }

  // The default layout with lines of it changed, written to the scratch folder.
  std::string Layout(const std::vector<std::pair<std::string, std::string>>& changes) {
    return folder_.Write("layout.txt", testsupport::WithLines(DefaultLayoutText(), changes))
        .string();
  }

  std::string Class(const std::vector<ClassRow>& rows, bool withMain) {
    return testsupport::WriteClassFolder(folder_.Path(), rows, withMain).string();
  }

  std::string Path(const std::string& name) const { return (folder_.Path() / name).string(); }

  ScratchFolder folder_{"class-command"};
};

const std::vector<ClassRow> kClass = {{"olive", "Young", "o.jpg"},
                                      {"Ben", "Zhou", "b.jpg"},
                                      {"Ada", "Quinn", "a.jpg", true},
                                      {"Cleo", "Abbott", "c.jpg"},
                                      {"Dev", "Morris", "d.jpg"}};

TEST_F(ClassCommandTest, GridLaysOutTheClassInTheLayoutsOrder) {
  const struct {
    const char* what;
    std::string sortFirst;
    bool withMain;
    std::vector<std::string> names;
    std::string main;
  } cases[] = {
      {"by first name, marked main",
       "SortFirstName,1",
       true,
       {"Ben Zhou", "Cleo Abbott", "Dev Morris", "Olive Young"},
       "Ada Quinn"},
      {"by last name, marked main",
       "SortFirstName,0",
       true,
       {"Cleo Abbott", "Dev Morris", "Olive Young", "Ben Zhou"},
       "Ada Quinn"},
      {"by first name, first row main",
       "SortFirstName,1",
       false,
       {"Ada Quinn", "Ben Zhou", "Cleo Abbott", "Dev Morris"},
       "Olive Young"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string layout = Layout({{"SortFirstName,1", c.sortFirst}});
    // The class's size decides the count, whatever --images says.
    const ProgramResult result =
        Run("grid '" + layout + "' --images 40 --class '" + Class(kClass, c.withMain) + "'");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\"count\":4,"), std::string::npos) << result.out;
    EXPECT_EQ(BoxesAfter(result.out, "images").size(), 4u);
    EXPECT_EQ(Joined(StringsAfter(result.out, "names")), c.names);
    EXPECT_EQ(Joined(StringsAfter(result.out, "mainName")), std::vector<std::string>{c.main});
    EXPECT_NE(result.out.find("\"main\":["), std::string::npos);
  }
}

TEST_F(ClassCommandTest, MissingPicturesAreNamedAndTheirCellsFramed) {
  std::vector<ClassRow> rows = kClass;
  rows[1].picture = "missing-ben.jpg";
  const std::string list = Class(rows, true);
  const std::string layout = Layout({{"MainImageMultiple,2", "MainImageMultiple,1"},
                                     {"BackgroundType,1", "BackgroundType,0"},
                                     {"InnerFrame3d,1", "InnerFrame3d,0"},
                                     {"OuterFrame3d,1", "OuterFrame3d,0"}});
  const std::string out = Path("class.png");
  const ProgramResult result =
      Run("render '" + layout + "' --class '" + list + "' --dpi 100 -o '" + out + "'");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.err, "montage-designer: cannot draw the picture " + Path("missing-ben.jpg") +
                            ": File not found: Decoder error: Opening " + Path("missing-ben.jpg") +
                            " failed\n");
  const QImage picture(QString::fromStdString(out));
  ASSERT_FALSE(picture.isNull());

  const ProgramResult grid = Run("grid '" + layout + "' --class '" + list + "'");
  EXPECT_EQ(grid.status, 3);
  EXPECT_EQ(grid.err, result.err);
  const std::vector<Box> boxes = BoxesAfter(grid.out, "images");
  const std::vector<std::string> names = Joined(StringsAfter(grid.out, "names"));
  ASSERT_EQ(boxes.size(), 5u);
  ASSERT_EQ(names.size(), 5u);
  // Along the middle row of each cell: the black outer frame on both sides, and inside it the
  // picture, or the placeholder portrait's light greys where the picture is missing.
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    SCOPED_TRACE(names[i]);
    const auto pixel = [](int units) { return units * 100 / 254; };
    const int y = pixel((boxes[i][1] + boxes[i][3]) / 2);
    std::vector<int> frame;
    for (int x = pixel(boxes[i][0]); x < pixel(boxes[i][2]); ++x) {
      if (picture.pixel(x, y) == qRgb(0, 0, 0)) frame.push_back(x);
    }
    ASSERT_FALSE(frame.empty());
    EXPECT_LT(frame.front(), pixel((3 * boxes[i][0] + boxes[i][2]) / 4));
    EXPECT_GT(frame.back(), pixel((boxes[i][0] + 3 * boxes[i][2]) / 4));
    const QRgb centre = picture.pixel(pixel((boxes[i][0] + boxes[i][2]) / 2), y);
    const bool placeholder = centre == qRgb(214, 214, 214) || centre == qRgb(244, 244, 244);
    EXPECT_EQ(placeholder, names[i] == "Ben Zhou");
  }
}

TEST_F(ClassCommandTest, OmittedMembersLeaveTheGridAndAreStillNamed) {
  std::vector<ClassRow> rows = kClass;
  rows[1].picture = "missing-ben.jpg";
  rows[4].picture = "";
  const std::string list = Class(rows, true);
  const std::string layout = Layout({});
  const std::string problem =
      "montage-designer: cannot draw the picture " + Path("missing-ben.jpg") +
      ": File not found: Decoder error: Opening " + Path("missing-ben.jpg") + " failed\n";
  const struct {
    std::string option;
    std::string count;
    std::vector<std::string> names;
  } cases[] = {
      {"", "4", {"Ben Zhou", "Cleo Abbott", "Dev Morris", "Olive Young"}},
      {"--missing placeholder", "4", {"Ben Zhou", "Cleo Abbott", "Dev Morris", "Olive Young"}},
      {"--missing omit", "2", {"Cleo Abbott", "Olive Young"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    const ProgramResult grid = Run("grid '" + layout + "' --class '" + list + "' " + c.option);
    EXPECT_EQ(grid.status, 3);
    EXPECT_EQ(grid.err, problem);
    EXPECT_NE(grid.out.find("\"count\":" + c.count + ","), std::string::npos) << grid.out;
    EXPECT_EQ(Joined(StringsAfter(grid.out, "names")), c.names);
    const ProgramResult render = Run("render '" + layout + "' --class '" + list + "' " + c.option +
                                     " --dpi 30 -o '" + Path("class.jpg") + "'");
    EXPECT_EQ(render.status, 3);
    EXPECT_EQ(render.err, problem);
  }
}

TEST_F(ClassCommandTest, AMalformedListIsRefusedWithItsLineAndNothingWritten) {
  const std::string list = folder_
                               .Write("bad.csv",
                                      "FirstName,LastName,Picture\n"
                                      "Ann,Lee,a.jpg\n"
                                      "\"Bo, Jr.\",Kim,b.jpg,extra\n")
                               .string();
  const std::string layout = Layout({});
  const std::string expected =
      "montage-designer: " + list + ", line 3: the row has more fields than the header's 3\n";
  const std::string kept = folder_.Write("kept.png", "earlier picture").string();
  const struct {
    std::string command;
    std::string output;
  } cases[] = {
      {"render '" + layout + "' --class '" + list + "' -o '" + Path("new.pdf") + "'",
       Path("new.pdf")},
      {"render '" + layout + "' --class '" + list + "' -o '" + kept + "'", kept},
      {"grid '" + layout + "' --class '" + list + "'", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const ProgramResult result = Run(c.command);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, expected);
    EXPECT_EQ(result.out, "");
  }
  EXPECT_FALSE(fs::exists(Path("new.pdf")));
  EXPECT_EQ(ReadFile(kept), "earlier picture");
  // The files of the export are written beside the target first; none is left behind.
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(folder_.Path())) {
    files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"bad.csv", "kept.png", "layout.txt", "stderr.txt"}));
}

TEST_F(ClassCommandTest, GridTakesAPortraitIndexAsAClass) {
  const std::string index =
      testsupport::WriteIndexFolder(folder_.Path(),
                                    {{"Chidi", "Okafor", "OKAFOR.JPG", "Faculty", "", "12", "Mrs."},
                                     {"ann", "lee", "ann.jpg", "4", "Mrs. Okafor", "12", ""},
                                     {"Bo", "Kim", "bo.jpg", "4", "Mrs. Okafor", "12", ""}},
                                    testsupport::IndexForm::Short, false)
          .string();
  const ProgramResult result = Run("grid '" + Layout({}) + "' --class '" + index + "'");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Joined(StringsAfter(result.out, "names")),
            (std::vector<std::string>{"Ann Lee", "Bo Kim"}));
  EXPECT_EQ(Joined(StringsAfter(result.out, "mainName")), std::vector<std::string>{"Chidi Okafor"});
}

TEST_F(ClassCommandTest, AListThatCannotBeDrawnIsRefusedAtOnce) {
  const std::string fifo = Path("fifo.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string crowd =
      folder_
          .Write("crowd.csv",
                 testsupport::ClassListText(std::vector<ClassRow>(10000, {"A", "B", ""}), false))
          .string();
  const struct {
    std::string list;
    std::string error;
  } cases[] = {
      // Nobody writes to the FIFO: a reader that waited would be stopped by the time limit.
      {fifo, "cannot read " + fifo + ": it is a FIFO (a named pipe), not a file"},
      {folder_.Path().string(),
       "cannot read " + folder_.Path().string() + ": it is a folder, not a file"},
      {crowd, crowd + " has 10000 images; a composite shows at most 9999"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    const ProgramResult result = RunProgram(
        "render '" + Layout({}) + "' --class '" + c.list + "' -o '" + Path("out.png") + "'",
        folder_.Path(), 20);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "montage-designer: " + c.error + "\n");
    EXPECT_FALSE(fs::exists(Path("out.png")));
  }
}

TEST_F(ClassCommandTest, AnExifTurnedPictureIsDrawnUpright) {
  // Stored landscape with the dark half on the left; orientation 6 turns it a quarter clockwise,
  // so upright the dark half is on top.
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 400; ++x) {
      const std::uint8_t level = x < 200 ? 20 : 235;
      pixels.insert(pixels.end(), {level, level, level});
    }
  }
  testsupport::WriteClassPicture(folder_.Path(), "turned.jpg", {400, 300, 6, 1}, pixels);
  const std::vector<ClassRow> rows = {
      {"A", "A", "turned.jpg", true}, {"B", "B", ""}, {"C", "C", ""}};
  const std::string list = Class(rows, true);
  const std::string layout = Layout({{"MainImageMultiple,2", "MainImageMultiple,1"},
                                     {"BackgroundType,1", "BackgroundType,0"},
                                     {"InnerFrame,10", "InnerFrame,0"},
                                     {"OuterFrame,15", "OuterFrame,0"}});
  const ProgramResult grid = Run("grid '" + layout + "' --class '" + list + "'");
  ASSERT_EQ(grid.status, 0) << grid.err;
  ASSERT_EQ(Joined(StringsAfter(grid.out, "names")).at(0), "A A");
  const Box box = BoxesAfter(grid.out, "images").at(0);

  const std::string out = Path("turned.png");
  ASSERT_EQ(Run("render '" + layout + "' --class '" + list + "' --dpi 100 -o '" + out + "'").status,
            0);
  const QImage picture(QString::fromStdString(out));
  const auto pixel = [](int units) { return units * 100 / 254; };
  const int x = pixel((box[0] + box[2]) / 2);
  const int height = box[3] - box[1];
  EXPECT_TRUE(Dark(picture.pixel(x, pixel(box[1] + height / 3))));
  EXPECT_FALSE(Dark(picture.pixel(x, pixel(box[3] - height / 3))));
}

// The dark pixels of a region as a mask, cut to their bounding box.
struct Ink {
  int width = 0;
  int height = 0;
  std::vector<bool> dark;
  int count = 0;
};

Ink InkIn(const QImage& image, int left, int top, int right, int bottom) {
  int x0 = right, y0 = bottom, x1 = left - 1, y1 = top - 1;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (!Dark(image.pixel(x, y))) continue;
      x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    }
  }
  Ink ink;
  if (x1 < x0) return ink;
  ink.width = x1 - x0 + 1;
  ink.height = y1 - y0 + 1;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      ink.dark.push_back(Dark(image.pixel(x, y)));
      ink.count += ink.dark.back();
    }
  }
  return ink;
}

// The share of pixels set in one mask but not the other, over both masks laid top-left on top
// of each other.
double Mismatch(const Ink& a, const Ink& b) {
  int differing = 0;
  int either = 0;
  for (int y = 0; y < std::max(a.height, b.height); ++y) {
    for (int x = 0; x < std::max(a.width, b.width); ++x) {
      const bool inA = x < a.width && y < a.height && a.dark[y * a.width + x];
      const bool inB = x < b.width && y < b.height && b.dark[y * b.width + x];
      differing += inA != inB;
      either += inA || inB;
    }
  }
  return either == 0 ? 0 : static_cast<double>(differing) / either;
}

TEST_F(ClassCommandTest, NamesInOtherScriptsAreDrawnAsLetters) {
  // Pairs of names of the same length in letters: were the letters drawn as the boxes of a
  // missing glyph, both names of a pair would leave the same ink. The twin pair shows that the
  // same name does leave the same ink. Liberation Sans has Greek and Cyrillic letters but no
  // Armenian ones, which come from the system's fallback font (DejaVu Sans).
  const std::vector<ClassRow> rows = {
      {"Δάφνη", "Λάμπρου", ""}, {"Ξανθή", "Κυρίτση", ""},           {"Юлия", "Смирнова", ""},
      {"Вера", "Соколова", ""}, {"Անի", "Պետրոսյան", ""},           {"Նարե", "Հակոբյան", ""},
      {"Zoë", "Ångström", ""},  {"Ann, Marie", "O'Brien, Jr.", ""}, {"Twin", "Same", ""},
      {"Twin", "Same", ""},
  };
  const std::string list = Class(rows, false);
  const std::string layout = Layout({{"PrintNames,0", "PrintNames,1"},
                                     {"MainImageMultiple,2", "MainImageMultiple,1"},
                                     {"NumCaptionLines,4", "NumCaptionLines,0"},
                                     {"BackgroundType,1", "BackgroundType,0"},
                                     {"InnerFrame,10", "InnerFrame,0"},
                                     {"OuterFrame,15", "OuterFrame,0"}});
  const ProgramResult grid = Run("grid '" + layout + "' --class '" + list + "'");
  ASSERT_EQ(grid.status, 0) << grid.err;
  const std::vector<std::string> names = Joined(StringsAfter(grid.out, "names"));
  const std::vector<Box> boxes = BoxesAfter(grid.out, "images");
  ASSERT_EQ(names.size(), rows.size());
  EXPECT_NE(std::find(names.begin(), names.end(), "Ann, Marie O'Brien, Jr."), names.end());

  const std::string out = Path("names.png");
  const ProgramResult render =
      Run("render '" + layout + "' --class '" + list + "' --dpi 150 -o '" + out + "'");
  ASSERT_EQ(render.status, 0) << render.err;
  const QImage picture(QString::fromStdString(out));
  ASSERT_FALSE(picture.isNull());
  // Without frames or pictures a cell shows nothing but its name, which lies in the lower part
  // of its box and the margin beneath it.
  const int margin = std::stoi(grid.out.substr(grid.out.find("\"imageMargin\":") + 14));
  const auto inkAt = [&](std::size_t i) {
    const Box& b = boxes[i];
    const auto pixel = [](int units) { return units * 150 / 254; };
    return InkIn(picture, pixel(b[0]), pixel(b[1]), pixel(b[2]),
                 std::min(picture.height(), pixel(b[3] + margin)));
  };
  const auto inkOf = [&](const std::string& name) {
    const std::size_t i = std::find(names.begin(), names.end(), name) - names.begin();
    EXPECT_LT(i, boxes.size()) << name;
    return i < boxes.size() ? inkAt(i) : Ink{};
  };
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_GT(inkAt(i).count, 20) << names[i];
  const auto twin = std::find(names.begin(), names.end(), "Twin Same") - names.begin();
  ASSERT_EQ(names.at(static_cast<std::size_t>(twin) + 1), "Twin Same");
  EXPECT_LT(
      Mismatch(inkAt(static_cast<std::size_t>(twin)), inkAt(static_cast<std::size_t>(twin) + 1)),
      0.05);
  EXPECT_GT(Mismatch(inkOf("Δάφνη Λάμπρου"), inkOf("Ξανθή Κυρίτση")), 0.3);
  EXPECT_GT(Mismatch(inkOf("Юлия Смирнова"), inkOf("Вера Соколова")), 0.3);
  EXPECT_GT(Mismatch(inkOf("Անի Պետրոսյան"), inkOf("Նարե Հակոբյան")), 0.3);
}

}  // namespace
