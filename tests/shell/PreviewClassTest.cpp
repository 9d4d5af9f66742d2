// The preview drawn with a class list: the class instead of the samples, and what could not be
// drawn told once rather than on every redraw.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/DisplayConverter.h"
#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "platform/ModalQuestions.h"
#include "platform/RasterDeviceContext.h"
#include "settings/PreviewPage.h"
#include "settings/PreviewSettings.h"
#include "shell/PreviewComposite.h"
#include "support/ClassFolder.h"
#include "support/ScratchFolder.h"

namespace {

using testsupport::ClassRow;

class PreviewClassTest : public testing::Test {
 protected:
  PreviewClassTest() {
    // The preview draws from the process's one cache; pictures another test left there would
    // decide what this one finds.
    ImageCache::Instance().Clear();
    settings_.SampleImagePath =
        testsupport::WriteClassPicture(folder_.Path(), "sample.jpg").string();
    settings_.NumImages = 12;
  }

  PreviewDrawn Draw() {
    RasterDeviceContext dc(254, 203, 25, 25);
    return DrawPreviewComposite(dc, DisplayConverter{}, layout_, settings_,
                                PreviewPage(settings_, layout_));
  }

  ScratchFolder folder_{"preview-class"};
  Montage layout_;
  PreviewSettings settings_;
  ScopedScriptedQuestions questions_;
};

TEST_F(PreviewClassTest, DrawsTheClassInsteadOfTheSamples) {
  const std::vector<ClassRow> rows = {{"A", "A", "a.jpg"},
                                      {"B", "B", "b.jpg"},
                                      {"C", "C", ""},
                                      {"D", "D", "d.jpg", true},
                                      {"E", "E", "e.jpg"}};
  settings_.ClassListPath = testsupport::WriteClassFolder(folder_.Path(), rows, true).string();
  const struct {
    std::uint32_t multiple;
    std::size_t small;
    bool main;
  } cases[] = {{2, 4, true}, {1, 5, false}};
  for (const auto& c : cases) {
    layout_.MainImageMultiple = c.multiple;
    const PreviewDrawn drawn = Draw();
    EXPECT_EQ(drawn.SmallImages, c.small);
    EXPECT_EQ(drawn.MainImage, c.main);
  }
  EXPECT_TRUE(questions_.Messages().empty());

  settings_.ClassListPath.clear();
  EXPECT_EQ(Draw().SmallImages, 12u);  // the main image is still an ordinary cell
}

TEST_F(PreviewClassTest, AListThatCannotBeReadShowsTheSamplesAndSaysWhyOnce) {
  settings_.ClassListPath =
      folder_.Write("bad.csv", "FirstName,LastName,Picture\nA,\"B,\n").string();
  EXPECT_EQ(Draw().SmallImages, 11u);
  EXPECT_EQ(Draw().SmallImages, 11u);
  ASSERT_EQ(questions_.Messages().size(), 1u);
  EXPECT_EQ(questions_.Messages()[0],
            "The class list cannot be read, so the preview shows the sample images.\n" +
                settings_.ClassListPath + ", line 2: a quoted field is not closed");
}

TEST_F(PreviewClassTest, PicturesThatCannotBeDrawnAreToldOncePerChange) {
  std::vector<ClassRow> rows;
  for (int i = 0; i < 13; ++i) {
    rows.push_back({"N" + std::to_string(i), "M", "missing" + std::to_string(i) + ".jpg"});
  }
  settings_.ClassListPath = testsupport::WriteClassFolder(folder_.Path(), rows, false).string();
  EXPECT_EQ(Draw().SmallImages, 12u);
  layout_.OuterFrameColour = "FF0000";  // a redraw for a new colour tells nothing new
  Draw();
  ASSERT_EQ(questions_.Messages().size(), 1u);
  const std::string& told = questions_.Messages()[0];
  EXPECT_EQ(
      told.rfind(
          "Some pictures of the class list cannot be drawn; their cells show a placeholder.\n" +
              (folder_.Path() / "missing0.jpg").string() + ": File not found",
          0),
      0u)
      << told;
  EXPECT_NE(told.find("missing9.jpg"), std::string::npos);
  EXPECT_EQ(told.find("missing10.jpg"), std::string::npos);
  EXPECT_NE(told.find("\n... and 3 more"), std::string::npos);

  // Once the pictures are there the class draws without a word, and a picture lost again is
  // told again.
  for (int i = 0; i < 13; ++i) {
    testsupport::WriteClassPicture(folder_.Path(), "missing" + std::to_string(i) + ".jpg");
  }
  Draw();
  EXPECT_EQ(questions_.Messages().size(), 1u);
  // A picture the cache still holds is drawn from there; once it has left the cache, its file
  // is looked for again.
  std::filesystem::remove(folder_.Path() / "missing0.jpg");
  Draw();
  EXPECT_EQ(questions_.Messages().size(), 1u);
  ImageCache::Instance().Clear();
  Draw();
  ASSERT_EQ(questions_.Messages().size(), 2u);
  EXPECT_NE(questions_.Messages()[1].find("missing0.jpg: File not found"), std::string::npos);
}

}  // namespace
