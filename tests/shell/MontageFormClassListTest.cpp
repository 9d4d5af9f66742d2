// The class list field: a preview setting applied with the others and never written into the
// layout; while a readable list is applied, the form says that the class sets the count.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>
#include <iterator>
#include <string>

#include "MontageFormFixture.h"
#include "settings/PreviewSettings.h"
#include "shell/FormControlIds.h"
#include "shell/FormControls.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WriteClassList(const std::string& path) {
  std::ofstream(path, std::ios::binary) << "FirstName,LastName,Picture\nAnn,Lee,\n";
  return path;
}

TEST_F(MontageFormTest, TheClassListReachesTheSettingsButNeverTheLayoutFile) {
  const std::string list = WriteClassList(PathOf("Klasse 5ä, \"neu\".csv"));
  questions.AnswerPath(PathOf("without.txt"));
  C().SaveAs->click();
  Type(FormId::ClassListPath, QString::fromStdString(list));
  questions.AnswerPath(PathOf("with.txt"));
  C().SaveAs->click();
  ASSERT_TRUE(questions.Messages().empty());
  EXPECT_EQ(PreviewSettings::Instance().ClassListPath, list);

  const std::string saved = ReadFile(PathOf("with.txt"));
  EXPECT_FALSE(saved.empty());
  EXPECT_EQ(saved, ReadFile(PathOf("without.txt")));
  EXPECT_EQ(saved.find("Klasse"), std::string::npos);
  EXPECT_EQ(saved.find(".csv"), std::string::npos);
  // Nothing of the layout changed, so there is nothing to undo.
  EXPECT_EQ(document->History().NextUndo(), nullptr);

  // The next form shows the applied class list from the settings.
  RemakeForm();
  EXPECT_EQ(Text(FormId::ClassListPath).toStdString(), list);
}

TEST_F(MontageFormTest, TheNoteOnTheNumberOfImagesShowsWhileAReadableClassListIsApplied) {
  const std::string list = WriteClassList(PathOf("4B.csv"));
  const struct {
    std::string path;
    bool apply;
    bool shown;
  } cases[] = {
      {list, false, false},  // typed but not applied: the preview still draws the samples
      {list, true, true},
      {"", true, false},
      {PathOf("missing.csv"), true, false},
      {folder.path().toStdString(), true, false},
      {list, true, true},
  };
  for (const auto& c : cases) {
    Type(FormId::ClassListPath, QString::fromStdString(c.path));
    if (c.apply) C().Update->click();
    EXPECT_EQ(C().ClassListInUse->isVisibleTo(form.get()), c.shown) << c.path;
    // The number stays editable: the automatic test and every apply still read it.
    EXPECT_TRUE(C().NumImages->isEnabled());
    EXPECT_FALSE(C().NumImages->isReadOnly());
  }
  EXPECT_TRUE(questions.Messages().empty());
}

}  // namespace
