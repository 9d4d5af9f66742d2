// The files that put the installed program on a desktop: its desktop entry, its icons in the
// hicolor theme and its AppStream description, as `cmake --install` lays them out, checked for
// what the desktop reads from them and, where the desktop's own validators are installed, by
// those validators.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "shell/ApplicationIcon.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kPrefix = MONTAGE_TEST_PREFIX;
const fs::path kShare = kPrefix / "share";
const std::string kAppId = MONTAGE_APP_ID;
const fs::path kDesktopEntry = kShare / "applications" / (kAppId + ".desktop");
const fs::path kMetainfo = kShare / "metainfo" / (kAppId + ".metainfo.xml");

// The keys of the "[Desktop Entry]" group; other groups (actions) are left out.
std::map<std::string, std::string> DesktopEntryKeys(const fs::path& path) {
  std::map<std::string, std::string> keys;
  std::istringstream lines(ReadFile(path));
  bool inGroup = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inGroup = line == "[Desktop Entry]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inGroup && equals != std::string::npos) {
      keys[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  return keys;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

// The text of every element of the AppStream file by its path ("component/id"), and the
// attributes of the elements as "component/launchable@type".
std::multimap<std::string, std::string> MetainfoValues(const fs::path& path) {
  std::multimap<std::string, std::string> values;
  QXmlStreamReader xml(QByteArray::fromStdString(ReadFile(path)));
  std::vector<std::pair<std::string, std::string>> open;  // path and text of each open element
  while (!xml.atEnd()) {
    switch (xml.readNext()) {
      case QXmlStreamReader::StartElement: {
        const std::string name = xml.name().toString().toStdString();
        const std::string where = open.empty() ? name : open.back().first + "/" + name;
        for (const QXmlStreamAttribute& attribute : xml.attributes()) {
          values.emplace(where + "@" + attribute.name().toString().toStdString(),
                         attribute.value().toString().toStdString());
        }
        open.emplace_back(where, std::string());
        break;
      }
      case QXmlStreamReader::Characters:
        if (!open.empty()) open.back().second += xml.text().toString().toStdString();
        break;
      case QXmlStreamReader::EndElement:
        values.emplace(open.back().first,
                       QString::fromStdString(open.back().second).simplified().toStdString());
        open.pop_back();
        break;
      default:
        break;
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return values;
}

std::string Value(const std::multimap<std::string, std::string>& values, const std::string& key) {
  const auto found = values.find(key);
  return found == values.end() ? std::string() : found->second;
}

class InstalledDesktopFilesTest : public testing::Test {
 protected:
  ScratchFolder scratch_{"desktop-files-test"};
};

TEST_F(InstalledDesktopFilesTest, DesktopEntryLaunchesTheInstalledProgram) {
  ASSERT_TRUE(fs::is_regular_file(kDesktopEntry));
  const std::map<std::string, std::string> keys = DesktopEntryKeys(kDesktopEntry);
  const std::pair<std::string, std::string> expected[] = {
      {"Type", "Application"},
      {"Name", "Montage"},
      {"GenericName", "Composite Layout Designer"},
      {"Exec", "montage-designer %f"},
      {"Icon", kAppId},
  };
  for (const auto& [key, value] : expected) {
    const auto found = keys.find(key);
    ASSERT_NE(found, keys.end()) << key;
    EXPECT_EQ(found->second, value) << key;
  }
  // The menu entry runs the program found on the path, which is the one installed in bin/.
  const std::string program = Split(keys.at("Exec"), ' ').front();
  EXPECT_TRUE(fs::is_regular_file(kPrefix / "bin" / program)) << program;
}

TEST_F(InstalledDesktopFilesTest, DesktopEntryIsInTheGraphicsMenu) {
  const std::map<std::string, std::string> keys = DesktopEntryKeys(kDesktopEntry);
  ASSERT_EQ(keys.count("Categories"), 1u);
  const std::vector<std::string> categories = Split(keys.at("Categories"), ';');
  EXPECT_NE(std::find(categories.begin(), categories.end(), "Graphics"), categories.end())
      << keys.at("Categories");
}

class InstalledIconTest : public InstalledDesktopFilesTest,
                          public testing::WithParamInterface<int> {};

// Each installed picture is the window's own icon drawn at the theme folder's size, so the
// desktop's menus show what the window shows.
TEST_P(InstalledIconTest, IconIsTheWindowsIconAtItsSize) {
  const int pixels = GetParam();
  const std::string size = std::to_string(pixels) + "x" + std::to_string(pixels);
  const fs::path path = kShare / "icons" / "hicolor" / size / "apps" / (kAppId + ".png");
  const QImage icon(QString::fromStdString(path.string()));
  ASSERT_FALSE(icon.isNull()) << path;
  EXPECT_EQ(icon.size(), QSize(pixels, pixels));
  EXPECT_TRUE(icon.hasAlphaChannel());
  const QImage drawn = DrawApplicationIcon(pixels);
  EXPECT_TRUE(icon.convertToFormat(drawn.format()) == drawn);
}

INSTANTIATE_TEST_SUITE_P(ThemeSizes, InstalledIconTest, testing::Values(48, 256));

// The scalable icon is an SVG of the same drawing: rendered at 256 pixels it differs from the
// window's 256-pixel icon only where the two paths smooth edges differently, by less than a
// thousandth of a level on average. One shape missing, such as the caption line, moves the
// average by more than one level.
TEST_F(InstalledDesktopFilesTest, ScalableIconIsTheSameDrawing) {
  const fs::path path = kShare / "icons" / "hicolor" / "scalable" / "apps" / (kAppId + ".svg");
  QSvgRenderer svg(QString::fromStdString(path.string()));
  ASSERT_TRUE(svg.isValid()) << path;
  EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, kApplicationIconGrid, kApplicationIconGrid));

  constexpr int kPixels = 256;
  QImage rendered(kPixels, kPixels, QImage::Format_ARGB32_Premultiplied);
  rendered.fill(Qt::transparent);
  {
    QPainter painter(&rendered);
    svg.render(&painter);
  }
  const QImage drawn = DrawApplicationIcon(kPixels);
  double difference = 0;
  for (int y = 0; y < kPixels; ++y) {
    const QRgb* a = reinterpret_cast<const QRgb*>(rendered.constScanLine(y));
    const QRgb* b = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
    for (int x = 0; x < kPixels; ++x) {
      difference += std::abs(qRed(a[x]) - qRed(b[x])) + std::abs(qGreen(a[x]) - qGreen(b[x])) +
                    std::abs(qBlue(a[x]) - qBlue(b[x])) + std::abs(qAlpha(a[x]) - qAlpha(b[x]));
    }
  }
  const double meanPerChannel = difference / (4.0 * kPixels * kPixels);
  EXPECT_LT(meanPerChannel, 0.1);
}

TEST_F(InstalledDesktopFilesTest, MetainfoDescribesTheDesktopEntry) {
  ASSERT_TRUE(fs::is_regular_file(kMetainfo));
  const std::multimap<std::string, std::string> values = MetainfoValues(kMetainfo);
  EXPECT_EQ(Value(values, "component@type"), "desktop-application");
  EXPECT_EQ(Value(values, "component/id"), kAppId);
  EXPECT_EQ(Value(values, "component/name"), "Montage");
  EXPECT_FALSE(Value(values, "component/summary").empty());
  EXPECT_EQ(values.count("component/description/p"), 2u);
  EXPECT_EQ(Value(values, "component/content_rating@type"), "oars-1.1");
  // Software centres start the program through the desktop entry that the launchable names.
  EXPECT_EQ(Value(values, "component/launchable@type"), "desktop-id");
  EXPECT_TRUE(fs::is_regular_file(kShare / "applications" / Value(values, "component/launchable")));
  EXPECT_EQ(Value(values, "component/provides/binary"), "montage-designer");
}

// The newest release named is the version the program is built as, so a new version that
// forgets its release entry fails here.
TEST_F(InstalledDesktopFilesTest, MetainfoNamesThisRelease) {
  const std::multimap<std::string, std::string> values = MetainfoValues(kMetainfo);
  EXPECT_EQ(Value(values, "component/releases/release@version"), MONTAGE_VERSION);
  EXPECT_FALSE(Value(values, "component/releases/release@date").empty());
}

struct Validator {
  const char* program;
  std::string arguments;
};

class InstalledTreeValidatorTest : public InstalledDesktopFilesTest,
                                   public testing::WithParamInterface<Validator> {};

// The desktop's own checkers, where they are installed, find nothing to say about the files.
TEST_P(InstalledTreeValidatorTest, FindsNothingToReport) {
  const QString program = QStandardPaths::findExecutable(GetParam().program);
  if (program.isEmpty()) GTEST_SKIP() << GetParam().program << " is not installed";
  const ProgramResult result = RunShell(
      "timeout 120 '" + program.toStdString() + "' " + GetParam().arguments, scratch_.Path());
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  if (std::string(GetParam().program) == "desktop-file-validate") {
    EXPECT_EQ(result.out + result.err, "");  // it reports hints and warnings with status 0
  }
}

INSTANTIATE_TEST_SUITE_P(
    DesktopTools, InstalledTreeValidatorTest,
    testing::Values(Validator{"desktop-file-validate", "'" + kDesktopEntry.string() + "'"},
                    Validator{"appstreamcli", "validate --no-net '" + kMetainfo.string() + "'"},
                    Validator{"appstreamcli",
                              "validate-tree --no-net '" + kPrefix.string() + "'"}));

}  // namespace
