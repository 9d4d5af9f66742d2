#include "layout/FontDetails.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/ModalQuestions.h"

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

namespace {

TEST(FontDetailsChooseFont, TheDialogStartsFromTheFontAndOkStoresTheChoice) {
  ScopedScriptedQuestions questions;
  FontDetails font("0A0B0C", "Liberation Serif", 480, true, false);
  questions.AnswerFont(FontChoice{"Liberation Mono", 145, 700, true, MakeColourRef(0, 0, 255)});
  EXPECT_TRUE(font.ChooseFont());
  ASSERT_EQ(questions.Asked().size(), 1u);
  EXPECT_EQ(questions.Asked()[0].Font,
            (FontChoice{"Liberation Serif", 480, 700, false, MakeColourRef(10, 11, 12)}));
  EXPECT_EQ(font.FontName, "Liberation Mono");
  EXPECT_EQ(font.FontPoint, 145u);
  EXPECT_TRUE(font.FontBold);
  EXPECT_TRUE(font.FontItalic);
  EXPECT_EQ(font.FontColour, "0000FF");
}

TEST(FontDetailsChooseFont, OnlyWeight700IsBoldAndCancelChangesNothing) {
  ScopedScriptedQuestions questions;
  FontDetails font;
  for (const int weight : {600, 800, 400}) {
    font.FontBold = true;
    questions.AnswerFont(FontChoice{"Arial", 100, weight, false, 0});
    font.ChooseFont();
    EXPECT_FALSE(font.FontBold) << weight;
  }
  const FontDetails before("123456", "Times", 240, true, true);
  font.CopyValues(before);
  questions.AnswerFont(std::nullopt);
  EXPECT_FALSE(font.ChooseFont());
  EXPECT_EQ(font.FontColour, "123456");
  EXPECT_EQ(font.FontName, "Times");
  EXPECT_EQ(font.FontPoint, 240u);
  EXPECT_TRUE(font.FontBold);
  EXPECT_TRUE(font.FontItalic);
}

}  // namespace
