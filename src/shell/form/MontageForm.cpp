#include "shell/form/MontageForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>

#include "images/ImageCache.h"
#include "platform/FileStamp.h"
#include "platform/ModalQuestions.h"
#include "platform/QtColour.h"
#include "roster/SchoolGroups.h"
#include "shell/AutomaticTest.h"
#include "shell/CMontageDoc.h"
#include "shell/ClassListFilter.h"
#include "shell/Commands.h"
#include "shell/PreviewGroups.h"
#include "shell/RunTestDlg.h"
#include "shell/form/ColourSwatch.h"
#include "shell/form/FontQuestion.h"
#include "shell/form/FormApply.h"
#include "shell/form/FormControlIds.h"
#include "shell/form/FormExchange.h"
#include "shell/form/FormPanel.h"

namespace {

constexpr char kJpegFilter[] = "JPEG Image files (*.jpg;*.jpeg)|*.jpg;*.jpeg||";
constexpr char kJpegExtension[] = "jpg";
constexpr char kClassListExtension[] = "csv";
// Room the main window leaves beside the "Preview Settings" group for margins and the scroll bar.
constexpr int kColumnAllowance = 40;

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

MontageForm::MontageForm(CMontageDoc& document, Profile& profile, const Commands& commands,
                         QWidget* parent)
    : QWidget(parent),
      document_(document),
      profile_(profile),
      commands_(commands),
      panel_(new FormPanel(this)),
      test_(new AutomaticTest([this](std::uint32_t count) { return TestStep(count); }, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(panel_);
  Connect();
  for (QWidget* child : panel_->findChildren<QWidget*>()) child->installEventFilter(this);
  document_.AddView(*this);
}

MontageForm::~MontageForm() {
  // A run cut short by closing the window must not leave the class list out of the settings
  // that are stored next.
  if (test_->IsRunning()) PreviewSettings::Instance().ClassListPath = heldClassList_;
  document_.RemoveView(*this);
  recent_.Store(profile_);
}

const FormControls& MontageForm::Controls() const { return panel_->Controls(); }

FormExchange MontageForm::Exchange() const { return FormExchange(Controls()); }

bool MontageForm::ReadControls() { return Exchange().Read(draft_); }

void MontageForm::WriteControls() { Exchange().Write(draft_); }

void MontageForm::Connect() {
  const FormControls& c = Controls();
  const auto button = [&c](int id) { return c.Get<QPushButton>(id); };
  const auto check = [&c](int id) { return c.Get<QCheckBox>(id); };
  connect(button(FormId::Update), &QPushButton::clicked, this, [this] { ApplyEdits(); });
  connect(button(FormId::Print), &QPushButton::clicked, commands_.Print, &QAction::trigger);
  // The file buttons run the window's commands once the form has read its fields, or applied
  // them for a save. A field typed wrong is reported, but New and Open go on: the layout they
  // bring replaces the form anyway; a save keeps the layout as last applied.
  const struct {
    int Id;
    bool ApplyFirst;
    QAction* Command;
  } files[] = {
      {FormId::New, false, commands_.New},
      {FormId::Open, false, commands_.Open},
      {FormId::Save, true, commands_.Save},
      {FormId::SaveAs, true, commands_.SaveAs},
      // The batch draws the layout as last applied, so an edit waiting in the form goes first.
      {FormId::Produce, true, commands_.Produce},
  };
  for (const auto& file : files) {
    connect(button(file.Id), &QPushButton::clicked, this, [this, file] {
      if (file.ApplyFirst) {
        ApplyEdits();
      } else {
        ReadControls();
      }
      file.Command->trigger();
    });
  }
  // Only the user's choices count: the form fills and selects these lists itself.
  connect(c.Get<QComboBox>(FormId::RecentFiles), &QComboBox::activated, this,
          &MontageForm::OnRecentChosen);
  connect(c.Get<QComboBox>(FormId::Paper), &QComboBox::activated, this,
          &MontageForm::OnPaperChosen);
  connect(check(FormId::OrientPortrait), &QCheckBox::clicked, this,
          &MontageForm::OnOrientationClicked);
  // A group chosen is looked at at once, so the choice applies the form as Enter does.
  connect(c.Get<QComboBox>(FormId::ClassGroup), &QComboBox::activated, this,
          [this] { ApplyEdits(); });

  for (const FormField& field : FormFields()) {
    const auto handler = [this, &field]() -> std::function<void()> {
      switch (field.Kind) {
        case FieldKind::Browse:
          return [this, &field] { OnBrowse(field); };
        case FieldKind::ColourButton:
          return [this, &field] { OnColour(field); };
        case FieldKind::Font:
          return [this, &field] { OnFont(field); };
        default:
          return {};
      }
    }();
    if (handler) connect(button(field.Id), &QPushButton::clicked, this, handler);
  }

  connect(button(FormId::Test), &QPushButton::clicked, this, &MontageForm::OnTest);
  connect(button(FormId::Stop), &QPushButton::clicked, test_, &AutomaticTest::Stop);
  connect(test_, &AutomaticTest::RunningChanged, this, &MontageForm::OnTestRunning);

  connect(check(FormId::PrintLogo), &QCheckBox::clicked, this, &MontageForm::OnLogoBoxClicked);
  connect(check(FormId::SingleLogo), &QCheckBox::clicked, this, &MontageForm::OnLogoBoxClicked);
  connect(check(FormId::LogoLeft), &QCheckBox::clicked, this,
          [this] { OnLogoPlaceClicked(&Montage::LogoLeft, &Montage::LogoTop); });
  connect(check(FormId::LogoTop), &QCheckBox::clicked, this,
          [this] { OnLogoPlaceClicked(&Montage::LogoTop, &Montage::LogoLeft); });
}

void MontageForm::InitialUpdate() {
  if (initialised_) return;
  recent_.Load(profile_);
  FillRecentCombo(true);
  SyncDocumentPath();
  ShowSettings();
  ShowLayout();
  UpdateControlStates();
  initialised_ = true;
}

bool MontageForm::ApplyEdits() {
  if (!ReadControls()) return false;
  Montage& layout = document_.layout();
  // The settings go first: they read the page's orientation as it was before this apply.
  PreviewSettings& settings = PreviewSettings::Instance();
  if (FormApply::ApplyToSettings(draft_, layout.Portrait, settings)) {
    ImageCache::Instance().Clear();
  }
  // The automatic test steps the number of samples, so the class list waits until it ends.
  if (test_->IsRunning()) heldClassList_ = std::exchange(settings.ClassListPath, {});
  const Montage before = layout;
  if (FormApply::ApplyToLayout(draft_, layout)) ImageCache::Instance().Clear();
  const std::string change = FormApply::DescribeChange(before, layout);
  if (!change.empty()) document_.RecordUndo(before, change);
  document_.LayoutChanged();
  FillGroupList();
  UpdateControlStates();
  return true;
}

void MontageForm::ShowSettings() {
  FormApply::ShowSettings(PreviewSettings::Instance(), document_.layout().Portrait, draft_);
  // The field shows the user's class list, also while a test run keeps it out of the settings.
  if (test_->IsRunning()) draft_.Settings.ClassListPath = heldClassList_;
  FillGroupList();
  // What the user typed in the layout's fields stays.
  Exchange().Write(draft_, FormPart::Preview);
  SetPaperSizeEditable(draft_.Paper.Row == PreviewSettings::CustomPaperType);
}

void MontageForm::ShowLayout() {
  FormApply::ShowLayout(document_.layout(), draft_);
  // What the user typed in the preview settings stays.
  Exchange().Write(draft_, FormPart::Layout);
}

void MontageForm::SyncDocumentPath() {
  if (!document_.failedPath().empty()) {
    RemoveRecentFile(document_.failedPath());
  } else {
    AddRecentFile(document_.path());
  }
  UpdateControlStates();
}

void MontageForm::UpdateControlStates() {
  const FormControls& c = Controls();
  // Unlike the window's Save, which saves the layout as last applied, this one applies first, so
  // it waits for an applied change.
  c.Get<QPushButton>(FormId::Save)->setEnabled(document_.IsModified() && !document_.path().empty());
  const bool printLogo = c.Get<QCheckBox>(FormId::PrintLogo)->isChecked();
  const bool singleLogo = c.Get<QCheckBox>(FormId::SingleLogo)->isChecked();
  c.Get<QCheckBox>(FormId::SingleLogo)->setEnabled(printLogo);
  c.Get<QCheckBox>(FormId::LogoLeft)->setEnabled(printLogo && singleLogo);
  c.Get<QCheckBox>(FormId::LogoTop)->setEnabled(printLogo && singleLogo);
  c.Get<QPushButton>(FormId::Stop)->setEnabled(test_->IsRunning());
  c.Get<QPushButton>(FormId::Produce)
      ->setEnabled(!PreviewSettings::Instance().ClassListPath.empty());
  // A note rather than a disabled number of images: every apply still checks the number and the
  // automatic test writes its counts there, so a bad number must stay correctable.
  c.ClassListInUse->setVisible(IsReadableFile(PreviewSettings::Instance().ClassListPath));
}

void MontageForm::FillGroupList() {
  QComboBox* list = Controls().Get<QComboBox>(FormId::ClassGroup);
  const QSignalBlocker blocker(list);
  list->clear();
  const PreviewSettings& settings = PreviewSettings::Instance();
  const std::shared_ptr<const SchoolGroups> groups = PreviewSchoolGroups(settings);
  list->setEnabled(groups != nullptr);
  if (!groups) return;
  for (const Group& group : groups->Groups()) {
    list->addItem(ToQt(GroupListItem(group)), ToQt(group.Name));
  }
  // The group the preview draws, which is the first when the one chosen before is gone.
  list->setCurrentIndex(list->findData(ToQt(PreviewGroup(*groups, settings).Name)));
}

int MontageForm::ColumnWidth() const {
  // The group's smallest width, not its present one: the column would otherwise grow each time
  // the window asked, since the group widens with the column.
  const QWidget* group = Controls().ById(FormId::PreviewSettingsGroup);
  return std::max(group->minimumSizeHint().width() + kColumnAllowance, panel_->ColumnWidth());
}

bool MontageForm::TestStep(std::uint32_t count) {
  if (!ReadControls()) return false;
  draft_.Settings.NumImages = count;
  WriteControls();
  const bool applied = ApplyEdits();
  if (repaintPreview_) repaintPreview_();
  return applied;
}

void MontageForm::OnUpdate(unsigned hint) {
  if (!initialised_) return;
  if (hint == 0 || (hint & HintReloaded) != 0) Refresh();
  if ((hint & HintSaved) != 0) SyncDocumentPath();
}

void MontageForm::Refresh() {
  // The layout was replaced: whatever the controls held is dropped unread, so a field typed
  // wrong is not reported again for every part of the refresh.
  SyncDocumentPath();
  ShowSettings();
  ShowLayout();
  UpdateControlStates();
}

bool MontageForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* widget = qobject_cast<QWidget*>(watched);
    // A list's open popup is a window of its own, where Enter chooses the item.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && widget != nullptr &&
        widget->window() == window()) {
      ApplyEdits();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MontageForm::OnTest() {
  RunTestDlg dialog(profile_, this);
  // The field as typed, not the settings: the run's first step applies it, so that is the class
  // list the user would otherwise expect the test to draw.
  if (!Controls().Get<QLineEdit>(FormId::ClassListPath)->text().isEmpty()) {
    dialog.NoteSamplesUsed();
  }
  if (dialog.exec() != QDialog::Accepted) return;
  // A Test pressed during a run starts over with the new values.
  test_->Start(dialog.First(), dialog.Last(), dialog.Interval() * testSecond_);
}

void MontageForm::OnTestRunning(bool running) {
  PreviewSettings& settings = PreviewSettings::Instance();
  if (running) {
    heldClassList_ = std::exchange(settings.ClassListPath, {});
  } else {
    settings.ClassListPath = std::exchange(heldClassList_, {});
    // The last step drew the samples; the preview goes back to the class without an apply, which
    // would mark the layout changed.
    if (!settings.ClassListPath.empty()) document_.UpdateAllViews(HintLayoutEdited);
  }
  UpdateControlStates();
}

void MontageForm::OnRecentChosen(int index) {
  // The list's own entry, not the combo's text: a path need not be valid UTF-8, and the list
  // compares bytes.
  if (index < 0 || static_cast<std::size_t>(index) >= recent_.Entries().size()) return;
  const std::string path = recent_.Entries()[static_cast<std::size_t>(index)];
  ReadControls();
  document_.OpenLayout(path);
  // Nothing opened and nothing failed (the save question was cancelled, or the file is no
  // layout): the list goes back to showing the document's own file.
  if (document_.path() != path && document_.failedPath() != path) ShowDocumentInCombo();
}

void MontageForm::OnPaperChosen() {
  if (!ReadControls()) return;
  ShownPaper& paper = draft_.Paper;
  if (paper.Row == PreviewSettings::CustomPaperType) {
    SetPaperSizeEditable(true);
    return;
  }
  std::tie(paper.Height, paper.Width) =
      PreviewSettings::LookUpPaperSize(paper.Row, draft_.Layout.Portrait);
  SetPaperSizeEditable(false);
  WriteControls();
}

void MontageForm::OnOrientationClicked() {
  if (!ReadControls()) return;
  ShownPaper& paper = draft_.Paper;
  if ((draft_.Layout.Portrait && paper.Height < paper.Width) ||
      (!draft_.Layout.Portrait && paper.Height > paper.Width)) {
    std::swap(paper.Height, paper.Width);
  }
  WriteControls();
}

void MontageForm::OnBrowse(const FormField& browse) {
  if (!ReadControls()) return;
  const FormField& field = EditedField(browse);
  const bool classList = field.Id == FormId::ClassListPath;
  FileDialogRequest request{classList ? kClassListFilter : kJpegFilter,
                            classList ? kClassListExtension : kJpegExtension,
                            Controls().Get<QLineEdit>(field.Id)->text().toStdString()};
  const std::optional<std::string> chosen = ModalQuestions::Current().AskOpenPath(request);
  if (!chosen || chosen->empty()) return;
  ValueIn<std::string>(draft_, field.Target) = *chosen;
  WriteControls();
}

void MontageForm::OnColour(const FormField& button) {
  auto* swatch = Controls().Get<ColourSwatch>(EditedField(button).Id);
  const std::optional<ColourRef> chosen = ModalQuestions::Current().AskColour(
      ToColourRef(swatch->Colour()), PreviewSettings::Instance().CustomColour);
  if (chosen) swatch->SetColour(ToQColor(*chosen));
}

void MontageForm::OnFont(const FormField& font) {
  // The dialog edits the working copy; the layout takes it at the next apply.
  AskFont(ValueIn<FontDetails>(draft_, font.Target));
}

void MontageForm::OnLogoBoxClicked() {
  ReadControls();
  UpdateControlStates();
}

void MontageForm::OnLogoPlaceClicked(bool Montage::*clicked, bool Montage::*other) {
  if (!ReadControls()) return;
  if (draft_.Layout.*clicked) draft_.Layout.*other = false;
  WriteControls();
  UpdateControlStates();
}

void MontageForm::AddRecentFile(const std::string& path) {
  if (path.empty()) {
    Controls().Get<QComboBox>(FormId::RecentFiles)->setCurrentIndex(-1);
    return;
  }
  recent_.Add(path);
  FillRecentCombo(true);
}

void MontageForm::RemoveRecentFile(const std::string& path) {
  if (path.empty()) return;
  recent_.Remove(path);
  FillRecentCombo(false);
}

void MontageForm::FillRecentCombo(bool select) {
  QComboBox* combo = Controls().Get<QComboBox>(FormId::RecentFiles);
  const QSignalBlocker blocker(combo);
  combo->clear();
  for (const std::string& path : recent_.Entries()) combo->addItem(ToQt(path));
  combo->setCurrentIndex(select && !recent_.Entries().empty() ? 0 : -1);
}

void MontageForm::ShowDocumentInCombo() {
  QComboBox* combo = Controls().Get<QComboBox>(FormId::RecentFiles);
  combo->setCurrentIndex(
      combo->findText(ToQt(document_.path()), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void MontageForm::SetPaperSizeEditable(bool editable) {
  Controls().Get<QLineEdit>(FormId::PaperHeight)->setReadOnly(!editable);
  Controls().Get<QLineEdit>(FormId::PaperWidth)->setReadOnly(!editable);
}
