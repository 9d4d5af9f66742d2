#include "MontageFormFixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/FormControls.h"
#include "shell/FormPanel.h"

int HintCounter::Count(unsigned hint) const {
  return static_cast<int>(std::count(hints.begin(), hints.end(), hint));
}

MontageFormTest::MontageFormTest() {
  PreviewSettings::ReplaceInstance(PreviewSettings());
  profile = std::make_unique<Profile>(PathOf("profile.ini"));
  document = std::make_unique<CMontageDoc>(*profile);
  document->AddView(hints);
  RemakeForm();
}

MontageFormTest::~MontageFormTest() {
  form.reset();
  document->RemoveView(hints);
}

void MontageFormTest::RemakeForm() {
  form.reset();
  form = std::make_unique<MontageForm>(*document, *profile);
  form->InitialUpdate();
}

const FormControls& MontageFormTest::C() const { return form->Panel().Controls(); }

QLineEdit* MontageFormTest::Edit(int id) const {
  auto* edit = qobject_cast<QLineEdit*>(C().ById(id));
  EXPECT_NE(edit, nullptr) << id;
  return edit;
}

void MontageFormTest::Type(int id, const QString& text) const { Edit(id)->setText(text); }

QString MontageFormTest::Text(int id) const { return Edit(id)->text(); }

void MontageFormTest::PressKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

void MontageFormTest::Choose(QComboBox* combo, int index) {
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

std::string MontageFormTest::PathOf(const std::string& name) const {
  return folder.filePath(QString::fromStdString(name)).toStdString();
}

std::string MontageFormTest::WriteLayout(const std::string& name, const Montage& layout) const {
  std::ofstream(PathOf(name), std::ios::binary) << TextOf(layout);
  return PathOf(name);
}

std::string TextOf(const Montage& layout) {
  std::ostringstream text;
  layout.WriteText(text);
  return text.str();
}
