#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "LayoutSamples.h"
#include "layout/Montage.h"
#include "support/ByteText.h"
#include "support/Raised.h"

namespace {

std::string Fields(Montage& layout, bool onlyModified, bool endTag) {
  std::ostringstream out;
  layout.WriteFields(onlyModified, out, endTag);
  return out.str();
}

std::string ErrorOf(Montage& layout, const std::string& bytes) {
  std::istringstream in(bytes);
  return Raised<DatabaseRecord::DispatchReadError>([&] { layout.ReadFields(in); }).what();
}

int Read(Montage& layout, const std::string& bytes) {
  std::istringstream in(bytes);
  return layout.ReadFields(in);
}

TEST(LayoutFieldsTest, WritesModifiedFieldsInTagOrderOnce) {
  Montage layout;
  layout.MarkAllModified();
  EXPECT_EQ(layout.ModifiedMask.Low(), 0xFFFFFFFFu);
  EXPECT_EQ(layout.ModifiedMask.High(), 0x7u);
  const std::string all = Fields(layout, true, true);
  // 16 numbers of 6 bytes, 15 flags of 3, 4 colours of 12 and the end tag.
  EXPECT_EQ(all.size(), 16u * 6 + 15u * 3 + 4u * 12 + 2);
  EXPECT_EQ(all.substr(0, 20),
            ByteText({0, 0, 0, 0, 0, 0, 1, 0, 6, 0, 0, 0, 'F', 'F', 'F', 'F', 'F', 'F', 2, 0}));
  EXPECT_EQ(all.substr(all.size() - 8), ByteText({34, 0, 15, 0, 0, 0, 35, 0}));
  EXPECT_TRUE(layout.ModifiedMask.Empty());
  EXPECT_EQ(Fields(layout, true, true), ByteText({35, 0}));
  EXPECT_EQ(Fields(layout, false, false).size(), all.size() - 2);
}

TEST(LayoutFieldsTest, WritesOnlyTheMarkedFields) {
  Montage layout;
  layout.ModifiedMask.Set(3);
  layout.ModifiedMask.Set(23);
  EXPECT_EQ(Fields(layout, true, false),
            ByteText({3, 0, 10, 0, 0, 0, 23, 0, 6, 0, 0, 0, 'F', 'F', 'F', 'F', 'F', 'F'}));
}

TEST(LayoutFieldsTest, ReadingATagSetsItsFieldAndClearsItsMarkOnly) {
  Montage layout;
  layout.MarkAllModified();
  EXPECT_EQ(Read(layout, ByteText({2, 3, 0, 42, 0, 0, 0, 35, 0})), 2);
  EXPECT_EQ(layout.CropHeight, 42u);
  EXPECT_FALSE(layout.ModifiedMask.IsSet(3));
  EXPECT_EQ(layout.ModifiedMask.Low(), 0xFFFFFFF7u);
  EXPECT_EQ(layout.ModifiedMask.High(), 0x7u);
}

TEST(LayoutFieldsTest, AllFieldsRoundTripAndUnknownTagsAreReadPast) {
  Montage source = EveryFieldChanged();
  const std::string fields = Fields(source, false, false);
  Montage read;
  EXPECT_EQ(Read(read, ByteText({2, 99, 0}) + fields + ByteText({35, 0})), 2);
  Montage expected = EveryFieldChanged();
  expected.NameFont = read.NameFont;
  expected.MainNameFont = read.MainNameFont;
  expected.CaptionFonts = read.CaptionFonts;
  EXPECT_EQ(TextOf(read), TextOf(expected));
}

TEST(LayoutFieldsTest, NestedFontsGoToTheirPlaces) {
  Montage layout;
  const std::string pointTwelve = ByteText({2, 2, 0, 120, 0, 0, 0, 5, 0});
  Read(layout, ByteText({0, 30, 9, 9, 9, 9}) + pointTwelve);
  Read(layout, ByteText({0, 31, 0, 0, 0, 0, 2, 1, 0, 5, 0, 0, 0, 'T', 'i', 'm', 'e', 's', 5, 0}));
  Read(layout, ByteText({0, 32, 0, 0, 0, 0, 2, 0, 0, 0}) + pointTwelve);
  EXPECT_EQ(layout.NameFont.FontPoint, 120u);
  EXPECT_EQ(layout.MainNameFont.FontName, "Times");
  EXPECT_EQ(layout.CaptionFonts[2].FontPoint, 120u);
  EXPECT_EQ(layout.CaptionFonts[1].FontPoint, 360u);
}

TEST(LayoutFieldsTest, AFontWithNoPlaceIsReadPast) {
  Montage layout;
  const std::string font = ByteText({2, 2, 0, 120, 0, 0, 0, 5, 0});
  std::istringstream in(ByteText({0, 32, 0, 0, 0, 0, 7, 0, 0, 0}) + font +
                        ByteText({0, 33, 0, 0, 0, 0}) + font +
                        ByteText({2, 4, 0, 3, 0, 0, 0, 35, 0}));
  EXPECT_EQ(layout.ReadFields(in), 0);
  EXPECT_EQ(layout.ReadFields(in), 0);
  EXPECT_EQ(layout.ReadFields(in), 2);
  EXPECT_EQ(layout.CropWidth, 3u);
  EXPECT_EQ(TextOf(layout).find("FontPoint,120"), std::string::npos);
}

TEST(LayoutFieldsTest, OtherKindsAreReturnedUnread) {
  Montage layout;
  std::istringstream in(ByteText({7, 3, 0}));
  EXPECT_EQ(layout.ReadFields(in), 7);
  EXPECT_EQ(in.tellg(), 1);
}

TEST(LayoutFieldsTest, AFaultyStreamNamesTheRecordAndKeepsWhatWasRead) {
  Montage layout;
  layout.RecordId = 8;
  EXPECT_EQ(ErrorOf(layout, ""), "Attempt to read from faulty stream: Montage: 8");
  EXPECT_EQ(ErrorOf(layout, ByteText({2, 3, 0, 42, 0, 0, 0, 1, 0, 9, 0, 0, 0, 'A'})),
            "Attempt to read string from faulty stream: Montage: 8");
  EXPECT_EQ(layout.CropHeight, 42u);
  EXPECT_EQ(ErrorOf(layout, ByteText({2, 4, 0, 1, 0, 0, 0})),
            "Attempt to read from faulty stream: Montage: 8");
  EXPECT_EQ(ErrorOf(layout, ByteText({0, 30, 0, 0, 0, 0, 2, 2, 0})),
            "Attempt to read from faulty stream: FontDetails: 0");
}

}  // namespace
