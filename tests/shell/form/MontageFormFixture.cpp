#include "MontageFormFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "layout/Montage.h"
#include "settings/PreviewSettings.h"
#include "shell/form/FormControls.h"
#include "shell/form/FormPanel.h"

MontageFormTest::MontageFormTest() {
  PreviewSettings::ReplaceInstance(PreviewSettings());
  profile = std::make_unique<Profile>(PathOf("profile.ini"));
  RemakeDocument();
}

MontageFormTest::~MontageFormTest() {
  form.reset();
  commands.reset();
  if (document) document->RemoveView(hints);
}

void MontageFormTest::RemakeDocument() {
  form.reset();
  commands.reset();
  if (document) document->RemoveView(hints);
  document = std::make_unique<CMontageDoc>(*profile);
  document->AddView(hints);
  commands = std::make_unique<Commands>(*document, window);
  RemakeForm();
}

void MontageFormTest::RemakeForm() {
  form.reset();
  form = std::make_unique<MontageForm>(*document, *profile, *commands);
  form->InitialUpdate();
}

const FormControls& MontageFormTest::C() const { return form->Panel().Controls(); }

QLineEdit* MontageFormTest::Edit(int id) const { return C().Get<QLineEdit>(id); }

void MontageFormTest::Type(int id, const QString& text) const { Edit(id)->setText(text); }

QString MontageFormTest::Text(int id) const { return Edit(id)->text(); }

void MontageFormTest::Click(int id) const { C().Get<QAbstractButton>(id)->click(); }

bool MontageFormTest::Checked(int id) const { return C().Get<QAbstractButton>(id)->isChecked(); }

bool MontageFormTest::Enabled(int id) const { return C().ById(id)->isEnabled(); }

void MontageFormTest::PressKey(QWidget* widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

void MontageFormTest::Choose(int id, int index) const {
  QComboBox* combo = C().Get<QComboBox>(id);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

std::string MontageFormTest::PathOf(const std::string& name) const {
  return (folder.Path() / name).string();
}

std::string MontageFormTest::WriteLayout(const std::string& name, const Montage& layout) const {
  return folder.Write(name, TextOf(layout)).string();
}
