#include "layout/FontDetails.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/ColourRef.h"

namespace {

// The five values of a font, in the text form TextFormIsFiveKeyValueLines checks.
std::string ValuesOf(const FontDetails& font) {
  std::ostringstream out;
  font.WriteText(out);
  return out.str();
}

TEST(FontDetailsTest, DefaultsAndValueConstructor) {
  const FontDetails font;
  EXPECT_EQ(ValuesOf(font), ValuesOf(FontDetails("000000", "Arial", 100, false, false)));
  EXPECT_EQ(font.RecordId, 0);
  EXPECT_EQ(font.Description(), "FontDetails: 0");

  EXPECT_EQ(ValuesOf(FontDetails("123456", "Times", 240, true, true)),
            "FontColour,123456\nFontName,Times\nFontPoint,240\nFontBold,1\nFontItalic,1\n");
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
  EXPECT_EQ(ValuesOf(target), ValuesOf(source));
  EXPECT_EQ(target.RecordId, 5);
  EXPECT_TRUE(target.ModifiedMask.Empty());

  source.CopyValues(source);
  EXPECT_EQ(ValuesOf(source), ValuesOf(FontDetails("ABCDEF", "Georgia", 180, true, false)));
}

TEST(FontDetailsTest, MarkAllModifiedSetsTheFiveFieldBits) {
  FontDetails font;
  font.MarkAllModified();
  EXPECT_EQ(font.ModifiedMask.Low(), 0x1Fu);
  EXPECT_EQ(font.ModifiedMask.High(), 0u);
}

TEST(FontDetailsTest, TextFormIsFiveKeyValueLines) {
  const FontDetails font("0A0B0C", "Times New Roman", 360, true, false);
  const std::string text =
      "FontColour,0A0B0C\nFontName,Times New Roman\nFontPoint,360\nFontBold,1\nFontItalic,0\n";
  EXPECT_EQ(ValuesOf(font), text);

  std::istringstream in(text);
  FontDetails read;
  read.MarkAllModified();
  read.ReadText(in);
  EXPECT_EQ(ValuesOf(read), text);
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
  EXPECT_EQ(ValuesOf(*copied), ValuesOf(font));
}

}  // namespace
