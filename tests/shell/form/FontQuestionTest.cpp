#include "shell/form/FontQuestion.h"

#include <gtest/gtest.h>

#include "layout/FontDetails.h"
#include "platform/ModalQuestions.h"

namespace {

TEST(FontQuestion, TheDialogStartsFromTheFontAndOkStoresTheChoice) {
  ScopedScriptedQuestions questions;
  FontDetails font("0A0B0C", "Liberation Serif", 480, true, false);
  questions.AnswerFont(FontChoice{"Liberation Mono", 145, 700, true, MakeColourRef(0, 0, 255)});
  EXPECT_TRUE(AskFont(font));
  ASSERT_EQ(questions.Asked().size(), 1u);
  EXPECT_EQ(questions.Asked()[0].Font,
            (FontChoice{"Liberation Serif", 480, 700, false, MakeColourRef(10, 11, 12)}));
  EXPECT_EQ(font.FontName, "Liberation Mono");
  EXPECT_EQ(font.FontPoint, 145u);
  EXPECT_TRUE(font.FontBold);
  EXPECT_TRUE(font.FontItalic);
  EXPECT_EQ(font.FontColour, "0000FF");
}

TEST(FontQuestion, OnlyWeight700IsBoldAndCancelChangesNothing) {
  ScopedScriptedQuestions questions;
  FontDetails font;
  for (const int weight : {600, 800, 400}) {
    font.FontBold = true;
    questions.AnswerFont(FontChoice{"Arial", 100, weight, false, 0});
    AskFont(font);
    EXPECT_FALSE(font.FontBold) << weight;
  }
  const FontDetails before("123456", "Times", 240, true, true);
  font.CopyValues(before);
  questions.AnswerFont(std::nullopt);
  EXPECT_FALSE(AskFont(font));
  EXPECT_EQ(font.FontColour, "123456");
  EXPECT_EQ(font.FontName, "Times");
  EXPECT_EQ(font.FontPoint, 240u);
  EXPECT_TRUE(font.FontBold);
  EXPECT_TRUE(font.FontItalic);
}

}  // namespace
