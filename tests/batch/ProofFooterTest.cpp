// The footer of a proof page: the group's line, then the missing pictures wrapped to the page's
// width, at most three lines of them.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <string>
#include <vector>

#include "batch/ProofPage.h"

namespace {

std::vector<std::string> Names(std::size_t count, const std::string& stem) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) names.push_back(stem + std::to_string(i));
  return names;
}

// The entries a missing-picture line shows, and the number its "... and N more" adds.
std::size_t EntriesShown(const std::vector<std::string>& lines) {
  std::size_t shown = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::string line = lines[i];
    if (i == 1) line = line.substr(std::string("Missing: ").size());
    const std::size_t remark = line.find("... and ");
    if (remark != std::string::npos) {
      shown += std::stoul(line.substr(remark + 8));
      line = line.substr(0, remark);
    }
    std::size_t from = 0;
    for (std::size_t comma; (comma = line.find(", ", from)) != std::string::npos;
         from = comma + 2) {
      ++shown;
    }
    if (from < line.size()) ++shown;
  }
  return shown;
}

TEST(ProofFooter, NamesTheGroupThenWrapsTheMissingPicturesIntoThreeLinesAtMost) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPointSizeF(9);
  const QFontMetricsF metrics(font);
  const double width = 400;
  const std::string longName(300, 'x');
  const struct {
    const char* what;
    std::vector<std::string> missing;
    std::vector<std::string> lines;  // the first lines exactly; an empty one is only counted
    std::size_t lineCount;
  } cases[] = {
      {"nothing missing", {}, {"Group: 5A Okafor | Count: 25 | Missing pictures: none"}, 1},
      {"two pictures",
       {"Ben Zhou (b.jpg)", "Fay Lee (f.jpg)"},
       {"Group: 5A Okafor | Count: 25 | Missing pictures: 2",
        "Missing: Ben Zhou (b.jpg), Fay Lee (f.jpg)"},
       2},
      {"a list longer than three lines", Names(200, "Pupil "), {}, 4},
      {"a name wider than the page", {longName, "Ann Lee"}, {}, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ProofPage page;
    page.Group = "5A Okafor";
    page.Count = 25;
    page.Missing = c.missing;
    const std::vector<std::string> lines = ProofFooterLines(page, metrics, width);
    ASSERT_EQ(lines.size(), c.lineCount);
    for (std::size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(lines[i], c.lines[i]);
    for (std::size_t i = 1; i < lines.size(); ++i) {
      EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(lines[i])), width) << lines[i];
    }
    // Every missing picture is on the page, by name or in the count of those left over.
    EXPECT_EQ(EntriesShown(lines), c.missing.size());
  }
}

TEST(ProofFooter, ALongListSaysHowManyDidNotFit) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPointSizeF(9);
  ProofPage page;
  page.Group = "Staff";
  page.Missing = Names(200, "Pupil ");
  const std::vector<std::string> lines = ProofFooterLines(page, QFontMetricsF(font), 400);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Group: Staff | Count: 0 | Missing pictures: 200");
  EXPECT_EQ(lines[1].rfind("Missing: Pupil 0, Pupil 1, ", 0), 0u) << lines[1];
  EXPECT_NE(lines[3].find(", ... and "), std::string::npos) << lines[3];
  EXPECT_EQ(lines[3].substr(lines[3].size() - 5), " more");
}

}  // namespace
