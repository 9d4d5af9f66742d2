#include "layout/FontDetails.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/ColourRef.h"

namespace {

TEST(FontDetailsTest, DefaultsAndValueConstructor) {
  const FontDetails font;
  EXPECT_EQ(font.FontColour, "000000");
  EXPECT_EQ(font.FontName, "Arial");
  EXPECT_EQ(font.FontPoint, 100u);
  EXPECT_FALSE(font.FontBold);
  EXPECT_FALSE(font.FontItalic);
  EXPECT_EQ(font.RecordId, 0);
  EXPECT_EQ(font.Description(), "FontDetails: 0");

  const FontDetails other("123456", "Times", 240, true, true);
  EXPECT_EQ(other.FontColour, "123456");
  EXPECT_EQ(other.FontName, "Times");
  EXPECT_EQ(other.FontPoint, 240u);
  EXPECT_TRUE(other.FontBold);
  EXPECT_TRUE(other.FontItalic);
}

TEST(FontDetailsTest, SetColourStoresTheColourText) {
  FontDetails font;
  font.SetColour(MakeColourRef(0, 0, 255));
  EXPECT_EQ(font.FontColour, "0000FF");
  font.SetColour(MakeColourRef(255, 255, 255));
  EXPECT_EQ(font.FontColour, "FFFFFF");
}

TEST(FontDetailsTest, CopyValuesCopiesTheFiveValuesOnly) {
  FontDetails source("ABCDEF", "Georgia", 180, true, false);
  source.RecordId = 12;
  source.MarkAllModified();
  FontDetails target;
  target.RecordId = 5;
  target.CopyValues(source);
  EXPECT_EQ(target.FontColour, "ABCDEF");
  EXPECT_EQ(target.FontName, "Georgia");
  EXPECT_EQ(target.FontPoint, 180u);
  EXPECT_TRUE(target.FontBold);
  EXPECT_FALSE(target.FontItalic);
  EXPECT_EQ(target.RecordId, 5);
  EXPECT_TRUE(target.ModifiedMask.Empty());

  source.CopyValues(source);
  EXPECT_EQ(source.FontName, "Georgia");
  EXPECT_EQ(source.FontColour, "ABCDEF");
}

TEST(FontDetailsTest, MarkAllModifiedSetsTheFiveFieldBits) {
  FontDetails font;
  font.MarkAllModified();
  EXPECT_EQ(font.ModifiedMask.Low(), 0x1Fu);
  EXPECT_EQ(font.ModifiedMask.High(), 0u);
}

TEST(FontDetailsTest, TextFormIsFiveKeyValueLines) {
  const FontDetails font("0A0B0C", "Times New Roman", 360, true, false);
  std::ostringstream out;
  font.WriteText(out);
  EXPECT_EQ(out.str(),
            "FontColour,0A0B0C\nFontName,Times New Roman\nFontPoint,360\nFontBold,1\n"
            "FontItalic,0\n");

  std::istringstream in(out.str());
  FontDetails read;
  read.MarkAllModified();
  read.ReadText(in);
  EXPECT_EQ(read.FontColour, "0A0B0C");
  EXPECT_EQ(read.FontName, "Times New Roman");
  EXPECT_EQ(read.FontPoint, 360u);
  EXPECT_TRUE(read.FontBold);
  EXPECT_FALSE(read.FontItalic);
  EXPECT_TRUE(read.ModifiedMask.Empty());
}

TEST(FontDetailsTest, CloneCopiesIntoFontsOnly) {
  const FontDetails font("111111", "Verdana", 90, false, true);
  FontDetails target;
  EXPECT_EQ(font.Clone(target), &target);
  EXPECT_EQ(target.FontName, "Verdana");
  const auto copy = font.Clone();
  const auto* copied = dynamic_cast<const FontDetails*>(copy.get());
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->FontColour, "111111");
  EXPECT_TRUE(copied->FontItalic);
}

}  // namespace
