#include "platform/ModalQuestions.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/ForwardingQuestions.h"
#include "platform/QtQuestions.h"

namespace {

using Kind = AskedQuestion::Kind;

TEST(ScriptedQuestions, AnswersInTheOrderGivenAndCancelsWhenTheScriptRunsOut) {
  ScriptedQuestions questions;
  questions.AnswerYesNoCancel(QuestionAnswer::No);
  questions.AnswerYesNoCancel(QuestionAnswer::Yes);
  questions.AnswerPath("/tmp/a.txt");
  questions.AnswerPath(std::nullopt);
  questions.AnswerColour(MakeColourRef(1, 2, 3));

  EXPECT_EQ(questions.AskYesNoCancel("first?"), QuestionAnswer::No);
  EXPECT_EQ(questions.AskYesNoCancel("second?"), QuestionAnswer::Yes);
  EXPECT_EQ(questions.AskYesNoCancel("third?"), QuestionAnswer::Cancel);
  EXPECT_EQ(questions.AskOpenPath({"Any (*.*)|*.*||", "txt", "/x"}), "/tmp/a.txt");
  EXPECT_EQ(questions.AskSavePath({}), std::nullopt);
  EXPECT_EQ(questions.AskSavePath({}), std::nullopt);
  CustomColours custom{};
  EXPECT_EQ(questions.AskColour(0, custom), MakeColourRef(1, 2, 3));
  EXPECT_EQ(questions.AskFont(FontChoice{}), std::nullopt);
  EXPECT_EQ(questions.Unanswered(), 3);

  ASSERT_EQ(questions.Asked().size(), 8u);
  EXPECT_EQ(questions.Asked()[2].What, Kind::YesNoCancel);
  EXPECT_EQ(questions.Asked()[2].Text, "third?");
  EXPECT_EQ(questions.Asked()[3].What, Kind::OpenPath);
  EXPECT_EQ(questions.Asked()[3].File.Filter, "Any (*.*)|*.*||");
  EXPECT_EQ(questions.Asked()[3].File.DefaultExtension, "txt");
  EXPECT_EQ(questions.Asked()[3].File.InitialPath, "/x");
  EXPECT_EQ(questions.Asked()[4].What, Kind::SavePath);
  EXPECT_EQ(questions.Asked()[7].What, Kind::Font);
}

TEST(ScriptedQuestions, AColourAnswerMayChangeTheCustomColours) {
  ScriptedQuestions questions;
  questions.AnswerColour([](CustomColours& custom) -> std::optional<ColourRef> {
    custom[15] = 0x123456;
    return std::nullopt;
  });
  CustomColours custom{};
  EXPECT_EQ(questions.AskColour(0xABCDEF, custom), std::nullopt);
  EXPECT_EQ(custom[15], 0x123456u);
  EXPECT_EQ(questions.Asked().back().Colour, 0xABCDEFu);
}

TEST(ScriptedQuestions, ScopesRestoreTheQuestionsInstalledBeforeThem) {
  ModalQuestions* const before = &ModalQuestions::Current();
  {
    ScopedScriptedQuestions outer;
    EXPECT_EQ(&ModalQuestions::Current(), &outer);
    {
      ScopedScriptedQuestions inner;
      ModalQuestions::Current().ShowMessage("to the inner");
      EXPECT_EQ(inner.Messages(), std::vector<std::string>{"to the inner"});
    }
    EXPECT_EQ(&ModalQuestions::Current(), &outer);
    EXPECT_TRUE(outer.Messages().empty());
  }
  EXPECT_EQ(&ModalQuestions::Current(), before);
}

TEST(ForwardingQuestions, PassesEverythingOnForItsScope) {
  ScopedScriptedQuestions scripted;
  scripted.AnswerYesNoCancel(QuestionAnswer::No);
  {
    ForwardingQuestions forwarding;
    EXPECT_EQ(&ModalQuestions::Current(), &forwarding);
    EXPECT_EQ(ModalQuestions::Current().AskYesNoCancel("save?"), QuestionAnswer::No);
    ModalQuestions::Current().ShowMessage("refused");
  }
  EXPECT_EQ(&ModalQuestions::Current(), &scripted);
  EXPECT_EQ(scripted.Messages(), std::vector<std::string>{"refused"});
  EXPECT_EQ(scripted.Asked().size(), 2u);
}

TEST(StreamQuestions, PrintsMessagesAndCancelsEveryQuestion) {
  std::ostringstream stream;
  StreamQuestions questions(stream);
  questions.ShowMessage("Could not read the sample image");
  EXPECT_EQ(questions.AskYesNoCancel("Save?"), QuestionAnswer::Cancel);
  EXPECT_EQ(questions.AskOpenPath({}), std::nullopt);
  EXPECT_EQ(stream.str(), "Could not read the sample image\nSave?\n");
}

TEST(QtFileFilter, TurnsWindowsFiltersIntoQtOnes) {
  const struct {
    const char* windows;
    const char* qt;
  } cases[] = {
      {"Zoved Layout File (*.txt)|*.txt||", "Zoved Layout File (*.txt)"},
      {"JPEG Image files (*.jpg;*.jpeg)|*.jpg;*.jpeg||", "JPEG Image files (*.jpg *.jpeg)"},
      {"Pictures|*.jpg|All files (*.*)|*.*||", "Pictures (*.jpg);;All files (*.*)"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(QtFileFilter(c.windows), c.qt) << c.windows;
}

}  // namespace
