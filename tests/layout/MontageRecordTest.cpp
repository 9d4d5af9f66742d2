#include <gtest/gtest.h>

#include "LayoutSamples.h"
#include "layout/Montage.h"
#include "layout/MontageHandler.h"

namespace {

TEST(MontageRecordTest, DescribesItselfByIdentity) {
  Montage layout;
  EXPECT_EQ(layout.Description(), "Montage: 0");
  layout.RecordId = -12;
  EXPECT_EQ(layout.Description(), "Montage: -12");
}

TEST(MontageRecordTest, CloneIntoANewRecordCopiesTheParametersOnly) {
  Montage layout = EveryFieldChanged();
  layout.RecordId = 44;
  layout.MarkAllModified();
  const auto copy = layout.Clone();
  const auto* cloned = dynamic_cast<const Montage*>(copy.get());
  ASSERT_NE(cloned, nullptr);
  EXPECT_EQ(cloned->RecordId, 0);
  EXPECT_TRUE(cloned->ModifiedMask.Empty());
  Montage expected = EveryFieldChanged();
  expected.NameFont = FontDetails();
  expected.MainNameFont = FontDetails();
  expected.CaptionFonts = Montage().CaptionFonts;
  EXPECT_EQ(TextOf(*cloned), TextOf(expected));
}

TEST(MontageRecordTest, CloneIntoAnotherClassGivesNothing) {
  FontDetails font;
  EXPECT_EQ(Montage().Clone(font), nullptr);
  Montage layout;
  EXPECT_EQ(FontDetails().Clone(layout), nullptr);
  EXPECT_EQ(layout.Clone(layout), &layout);
}

TEST(MontageRecordTest, DispatchReachesOnlyLayoutHandlers) {
  class Counting : public MontageHandler {
   public:
    bool HandleMontage(Montage& layout) override {
      seen = &layout;
      return true;
    }
    Montage* seen = nullptr;
  } layouts;
  DatabaseRecord::Handler other;
  Montage layout;
  EXPECT_TRUE(layout.Dispatch(layouts));
  EXPECT_EQ(layouts.seen, &layout);
  EXPECT_FALSE(layout.Dispatch(other));
  FontDetails font;
  EXPECT_FALSE(font.Dispatch(layouts));
}

TEST(MontageRecordTest, ACopyOwnsItself) {
  Montage layout;
  layout.RecordId = 3;
  const Montage copy = layout;
  EXPECT_EQ(copy.RecordId, 3);
  EXPECT_EQ(copy.Owner(), &copy);
  EXPECT_EQ(copy.NameFont.Owner(), &copy.NameFont);
  Montage assigned;
  assigned = layout;
  EXPECT_EQ(assigned.Owner(), &assigned);
}

}  // namespace
