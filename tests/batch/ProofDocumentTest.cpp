// The proof PDF as the school receives it: read back with poppler's pdfinfo and pdftotext, one
// page per composite in the caller's order, each of its paper's size, marked and captioned, and
// never a partial file.
#include "batch/ProofDocument.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QImage>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "images/CompositeSubjects.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "support/ChildProcess.h"
#include "support/ClassFolder.h"
#include "support/ProgramRun.h"
#include "support/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

// A page of a composite drawn as a flat colour, captioned as group G<index>.
ProofPage FlatPage(std::size_t index, int paperWidth = 2540, int paperHeight = 2032) {
  ProofPage page;
  page.Composite = QImage(paperWidth * 100 / 254, paperHeight * 100 / 254, QImage::Format_RGB32);
  page.Composite.fill(qRgb(60, 90, 140));
  page.PaperWidth = paperWidth;
  page.PaperHeight = paperHeight;
  page.Group = "G" + std::to_string(index);
  page.Count = 20 + index;
  return page;
}

// The size of each page as pdfinfo prints it, in points: "Page    2 size:  720 x 576 pts" gives
// "720 x 576".
std::vector<std::string> PageSizes(const std::string& info) {
  std::vector<std::string> sizes;
  std::istringstream lines(info);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t label = line.find(" size:");
    if (!line.starts_with("Page ") || label == std::string::npos || !line.ends_with(" pts")) {
      continue;
    }
    const std::size_t from = line.find_first_not_of(' ', label + 6);
    sizes.push_back(line.substr(from, line.size() - 4 - from));
  }
  return sizes;
}

class ProofDocumentTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"pdfinfo", "pdftotext"}) {
      if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool << " is missing";
    }
  }

  // What a poppler tool prints about the proof.
  std::string Tool(const std::string& command) const {
    const ProgramResult result = RunShell(command + " '" + Proof() + "'", folder_.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    return result.out;
  }
  std::string PageText(std::size_t page) const {
    const std::string number = std::to_string(page);
    const ProgramResult result = RunShell(
        "pdftotext -raw -f " + number + " -l " + number + " '" + Proof() + "' -", folder_.Path());
    EXPECT_EQ(result.status, 0) << result.err;
    return result.out;
  }
  std::size_t PageCount() const {
    const std::string info = Tool("pdfinfo");
    const std::size_t label = info.find("\nPages:");
    return label == std::string::npos ? 0 : std::stoul(info.substr(label + 7));
  }
  std::string Proof() const { return (folder_.Path() / "proof.pdf").string(); }

  ScratchFolder folder_{"proof-document"};
};

TEST_F(ProofDocumentTest, OnePagePerCompositeOfItsPapersSize) {
  const struct {
    const char* what;
    std::vector<std::pair<int, int>> papers;  // tenths of a millimetre, as the composite lies
    std::vector<std::string> sizes;           // as pdfinfo gives them, in points
  } cases[] = {
      {"one composite", {{2540, 2032}}, {"720 x 576"}},
      {"three of one paper",
       {{2540, 2032}, {2540, 2032}, {2540, 2032}},
       {"720 x 576", "720 x 576", "720 x 576"}},
      {"papers of two sizes and sides", {{2540, 2032}, {1270, 1778}}, {"720 x 576", "360 x 504"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ProofDocument proof(Proof());
    ASSERT_EQ(proof.Begin(), std::nullopt);
    for (std::size_t i = 0; i < c.papers.size(); ++i) {
      EXPECT_EQ(proof.AddPage(i, FlatPage(i, c.papers[i].first, c.papers[i].second)), std::nullopt);
    }
    ASSERT_EQ(proof.Finish(), std::nullopt);
    EXPECT_EQ(proof.PagesWritten(), c.papers.size());
    EXPECT_EQ(PageCount(), c.papers.size());
    EXPECT_EQ(PageSizes(Tool("pdfinfo -f 1 -l 99")), c.sizes);
  }
}

TEST_F(ProofDocumentTest, PagesFromManyThreadsKeepTheCallersOrder) {
  constexpr std::size_t kPages = 8;
  std::vector<std::size_t> order(kPages);
  for (std::size_t i = 0; i < kPages; ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(3));
  ProofDocument proof(Proof());
  ASSERT_EQ(proof.Begin(), std::nullopt);
  {
    // Page 5 never comes; the pages after it are not held back for it.
    std::vector<std::jthread> workers;
    for (const std::size_t index : order) {
      workers.emplace_back([&proof, index] {
        if (index == 5) {
          proof.Skip(index);
        } else {
          proof.AddPage(index, FlatPage(index));
        }
      });
    }
  }
  EXPECT_EQ(proof.AddPage(2, FlatPage(2)), "page 3 of the proof was given twice");
  ASSERT_EQ(proof.Finish(), std::nullopt);
  const std::vector<std::string> groups = {"G0", "G1", "G2", "G3", "G4", "G6", "G7"};
  for (std::size_t page = 0; page < groups.size(); ++page) {
    EXPECT_NE(PageText(page + 1).find("Group: " + groups[page] + " "), std::string::npos)
        << PageText(page + 1) << "page " << page + 1;
  }
  EXPECT_EQ(PageCount(), groups.size());
}

TEST_F(ProofDocumentTest, ACompositeIsDrawnWithItsMarkAndAFooterNamingWhatIsMissing) {
  const std::vector<testsupport::ClassRow> rows = {{"Ada", "Quinn", "a.jpg"},
                                                   {"Ben", "Zhou", "missing-ben.jpg"},
                                                   {"Cleo", "Abbott", "c.jpg", true},
                                                   {"Dev", "Morris", "d.jpg"}};
  PreviewSettings settings;
  settings.SetInstallFolder(MONTAGE_BINARY_DIR);
  settings.ClassListPath = testsupport::WriteClassFolder(folder_.Path(), rows, true).string();
  const Montage layout;
  ImageCache cache(LoadRetryPolicy::SingleAttempt());
  const CompositeSubjects subjects = CompositeSubjects::ForSettings(settings);

  ProofDocument proof(Proof());
  ASSERT_EQ(proof.Begin(), std::nullopt);
  EXPECT_EQ(proof.AddComposite(0, layout, settings, cache, subjects, "5A Okafor", 3), std::nullopt);
  ASSERT_EQ(proof.Finish(), std::nullopt);
  const std::string text = PageText(1);
  // The composite itself is a picture on the page; the mark and the footer are text.
  EXPECT_EQ(text,
            "PROOF\n"
            "Group: 5A Okafor | Count: 3 | Missing pictures: 1\n"
            "Missing: Ben Zhou (missing-ben.jpg)\n\f");
}

TEST_F(ProofDocumentTest, AFailedOrUnfinishedProofLeavesNoFileAndKeepsTheOldOne) {
  const struct {
    const char* what;
    bool oldProof;
    std::size_t pages;
    bool finish;
    std::string beginError;
    std::string finishError;
  } cases[] = {
      {"no page at all", true, 0, true, "", "there is no composite to proof"},
      {"no page, nothing before", false, 0, true, "", "there is no composite to proof"},
      {"dropped unfinished, as an interrupted batch does", true, 2, false, "", ""},
      {"a folder that is not there", false, 0, false, "No such file or directory", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(folder_.Path());
    fs::create_directories(folder_.Path());
    if (c.oldProof) folder_.Write("proof.pdf", "the old proof");
    const std::string path = c.beginError.empty() ? Proof() : Proof() + ".d/proof.pdf";
    {
      ProofDocument proof(path);
      const std::optional<std::string> begun = proof.Begin();
      if (!c.beginError.empty()) {
        ASSERT_TRUE(begun);
        EXPECT_NE(begun->find(c.beginError), std::string::npos) << *begun;
        EXPECT_NE(begun->find(path), std::string::npos) << *begun;
        continue;
      }
      ASSERT_EQ(begun, std::nullopt);
      for (std::size_t i = 0; i < c.pages; ++i) proof.AddPage(i, FlatPage(i));
      if (c.finish) {
        EXPECT_EQ(proof.Finish(), "cannot write " + Proof() + ": " + c.finishError);
      }
    }
    EXPECT_EQ(NamesIn(folder_.Path()),
              c.oldProof ? std::vector<std::string>{"proof.pdf"} : std::vector<std::string>{});
    if (c.oldProof) {
      EXPECT_EQ(ReadFile(Proof()), "the old proof");
    }
  }
}

TEST_F(ProofDocumentTest, AFullDiskLeavesTheOldProof) {
  const fs::path mountPoint = folder_.Path() / "small";
  fs::create_directory(mountPoint);
  const testsupport::ChildResult child =
      testsupport::RunOnSmallFileSystem(mountPoint, 256 * 1024, [&] {
        const fs::path path = mountPoint / "proof.pdf";
        std::ofstream(path) << "the old proof";
        testsupport::FillFileSystem(mountPoint);
        ProofDocument proof(path.string());
        if (const auto failure = proof.Begin()) return *failure;
        for (std::size_t i = 0; i < 3; ++i) proof.AddPage(i, FlatPage(i));
        const std::string finished = proof.Finish().value_or("finished");
        return finished + "; " + ReadFile(path) + "; " +
               std::to_string(std::distance(fs::directory_iterator(mountPoint), {}));
      });
  if (!child.prepared) GTEST_SKIP() << "a small file system cannot be mounted: " << child.text;
  EXPECT_TRUE(child.ran);
  EXPECT_EQ(child.text, "cannot write " + (mountPoint / "proof.pdf").string() +
                            ": No space left on device; the old proof; 2");
}

// Memory does not grow with the number of pages: each page goes into the PDF as it falls due,
// and pages given faster than they are painted wait for room rather than pile up. A proof of 160
// pages of 10 x 8 inches peaks where one of 40 does.
TEST_F(ProofDocumentTest, MemoryDoesNotGrowWithThePages) {
  const auto peakAfter = [this](std::size_t pages) {
    return testsupport::RunInChild([this, pages] {
      ProofDocument proof(Proof());
      if (const auto failure = proof.Begin()) return *failure;
      for (std::size_t i = 0; i < pages; ++i) proof.AddPage(i, FlatPage(i));
      if (const auto failure = proof.Finish()) return *failure;
      rusage usage{};
      ::getrusage(RUSAGE_SELF, &usage);
      return std::to_string(usage.ru_maxrss);  // kilobytes
    });
  };
  const testsupport::ChildResult some = peakAfter(40);
  const testsupport::ChildResult many = peakAfter(160);
  ASSERT_TRUE(some.ran && many.ran) << some.text << many.text;
  const long grown = std::stol(many.text) - std::stol(some.text);
  // Less than three pages' pictures.
  EXPECT_LT(grown, 8 * 1024) << some.text << " kB for 40 pages, " << many.text << " for 160";
}

}  // namespace
