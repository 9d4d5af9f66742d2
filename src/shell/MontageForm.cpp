#include "shell/MontageForm.h"

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
#include <vector>

#include "images/ImageCache.h"
#include "layout/Montage.h"
#include "platform/FileStamp.h"
#include "platform/ModalQuestions.h"
#include "platform/QtColour.h"
#include "settings/PreviewSettings.h"
#include "shell/AutomaticTest.h"
#include "shell/CMontageDoc.h"
#include "shell/ColourSwatch.h"
#include "shell/FormControlIds.h"
#include "shell/FormExchange.h"
#include "shell/FormPanel.h"
#include "shell/RunTestDlg.h"

namespace {

constexpr char kJpegFilter[] = "JPEG Image files (*.jpg;*.jpeg)|*.jpg;*.jpeg||";
constexpr char kJpegExtension[] = "jpg";
// "All Files" is every file: on Windows "*.*" matches names without a dot too, here only "*" does.
constexpr char kClassListFilter[] = "Class List (*.csv)|*.csv|All Files (*)|*||";
constexpr char kClassListExtension[] = "csv";
// Room the main window leaves beside the "Preview Settings" group for margins and the scroll bar.
constexpr int kColumnAllowance = 40;

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

ColourRef ColourOf(const ColourSwatch& swatch) { return ToColourRef(swatch.Colour()); }

// The preview-setting edits, in the order PreviewTexts gives their texts.
std::vector<QLineEdit*> PreviewEdits(const FormControls& c) {
  return {c.PaperHeight,
          c.PaperWidth,
          c.SampleImagePath,
          c.BackgroundImage,
          c.LogoImage,
          c.ClassListPath,
          c.NumImages,
          c.SampleCaptionText[0],
          c.SampleCaptionText[1],
          c.SampleCaptionText[2],
          c.SampleCaptionText[3]};
}

std::vector<QString> PreviewTexts(const FormValues& v) {
  return {QString::number(v.PaperHeight),
          QString::number(v.PaperWidth),
          ToQt(v.SampleImagePath),
          ToQt(v.BackgroundImage),
          ToQt(v.LogoImage),
          ToQt(v.ClassListPath),
          QString::number(v.NumImages),
          ToQt(v.SampleCaptionText[0]),
          ToQt(v.SampleCaptionText[1]),
          ToQt(v.SampleCaptionText[2]),
          ToQt(v.SampleCaptionText[3])};
}

// What the preview-setting controls show, typed text included, valid or not.
struct PreviewShown {
  int Paper;
  bool Portrait;
  std::vector<QString> Texts;
};

PreviewShown CapturePreview(const FormControls& c) {
  PreviewShown shown{c.Paper->currentIndex(), c.SamplePortrait->isChecked(), {}};
  for (QLineEdit* edit : PreviewEdits(c)) shown.Texts.push_back(edit->text());
  return shown;
}

void ShowPreview(const FormControls& c, const PreviewShown& shown) {
  c.Paper->setCurrentIndex(shown.Paper);
  c.SamplePortrait->setChecked(shown.Portrait);
  const std::vector<QLineEdit*> edits = PreviewEdits(c);
  for (std::size_t i = 0; i < edits.size(); ++i) edits[i]->setText(shown.Texts[i]);
}

}  // namespace

MontageForm::MontageForm(CMontageDoc& document, Profile& profile, QWidget* parent)
    : QWidget(parent),
      document_(document),
      profile_(profile),
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

bool MontageForm::ReadControls() { return Exchange().Read(values_); }

void MontageForm::WriteControls() { Exchange().Write(values_); }

void MontageForm::Connect() {
  const FormControls& c = Controls();
  connect(c.Update, &QPushButton::clicked, this, [this] { ApplyEdits(); });
  connect(c.Print, &QPushButton::clicked, this, [this] { document_.RequestPrint(); });
  connect(c.New, &QPushButton::clicked, this, &MontageForm::OnNew);
  connect(c.Open, &QPushButton::clicked, this, &MontageForm::OnOpen);
  connect(c.Save, &QPushButton::clicked, this, &MontageForm::OnSave);
  connect(c.SaveAs, &QPushButton::clicked, this, &MontageForm::OnSaveAs);
  // Only the user's choices count: the form fills and selects these lists itself.
  connect(c.RecentFiles, &QComboBox::activated, this, &MontageForm::OnRecentChosen);
  connect(c.Paper, &QComboBox::activated, this, &MontageForm::OnPaperChosen);
  connect(c.Portrait, &QCheckBox::clicked, this, &MontageForm::OnOrientationClicked);

  const struct {
    QPushButton* Button;
    QLineEdit* Field;
    std::string FormValues::*Member;
    const char* Filter;
    const char* Extension;
  } browses[] = {
      {c.BrowseSampleImage, c.SampleImagePath, &FormValues::SampleImagePath, kJpegFilter,
       kJpegExtension},
      {c.BrowseBackground, c.BackgroundImage, &FormValues::BackgroundImage, kJpegFilter,
       kJpegExtension},
      {c.BrowseLogo, c.LogoImage, &FormValues::LogoImage, kJpegFilter, kJpegExtension},
      {c.BrowseClassList, c.ClassListPath, &FormValues::ClassListPath, kClassListFilter,
       kClassListExtension},
  };
  for (const auto& browse : browses) {
    connect(browse.Button, &QPushButton::clicked, this, [this, browse] {
      OnBrowse(browse.Field, browse.Member, {browse.Filter, browse.Extension, {}});
    });
  }

  const std::pair<QPushButton*, ColourSwatch*> colours[] = {
      {c.OuterMarginColourButton, c.OuterMarginColour},
      {c.InnerFrameColourButton, c.InnerFrameColour},
      {c.OuterFrameColourButton, c.OuterFrameColour},
      {c.BackgroundColourButton, c.BackgroundColour},
  };
  for (const auto& [button, swatch] : colours) {
    connect(button, &QPushButton::clicked, this, [this, swatch = swatch] { OnColour(swatch); });
  }

  // The dialogs edit the working copies; the layout takes them at the next apply.
  const std::pair<QPushButton*, FontDetails*> fonts[] = {
      {c.NameFont, &fonts_.NameFont},
      {c.MainNameFont, &fonts_.MainNameFont},
      {c.CaptionFonts[0], &fonts_.CaptionFonts[0]},
      {c.CaptionFonts[1], &fonts_.CaptionFonts[1]},
      {c.CaptionFonts[2], &fonts_.CaptionFonts[2]},
      {c.CaptionFonts[3], &fonts_.CaptionFonts[3]},
  };
  for (const auto& [button, font] : fonts) {
    connect(button, &QPushButton::clicked, this, [font = font] { font->ChooseFont(); });
  }

  connect(c.Test, &QPushButton::clicked, this, &MontageForm::OnTest);
  connect(c.Stop, &QPushButton::clicked, test_, &AutomaticTest::Stop);
  connect(test_, &AutomaticTest::RunningChanged, this, &MontageForm::OnTestRunning);

  connect(c.PrintLogo, &QCheckBox::clicked, this, &MontageForm::OnLogoBoxClicked);
  connect(c.SingleLogo, &QCheckBox::clicked, this, &MontageForm::OnLogoBoxClicked);
  connect(c.LogoLeft, &QCheckBox::clicked, this,
          [this] { OnLogoPlaceClicked(&FormValues::LogoLeft, &FormValues::LogoTop); });
  connect(c.LogoTop, &QCheckBox::clicked, this,
          [this] { OnLogoPlaceClicked(&FormValues::LogoTop, &FormValues::LogoLeft); });
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
  if (FormApply::ApplyToSettings(values_, layout.Portrait, settings)) {
    ImageCache::Instance().Clear();
  }
  // The automatic test steps the number of samples, so the class list waits until it ends.
  if (test_->IsRunning()) heldClassList_ = std::exchange(settings.ClassListPath, {});
  const Montage before = layout;
  if (FormApply::ApplyToLayout(values_, fonts_, layout)) ImageCache::Instance().Clear();
  const std::string change = FormApply::DescribeChange(before, layout);
  if (!change.empty()) document_.RecordUndo(before, change);
  document_.LayoutChanged();
  UpdateControlStates();
  return true;
}

void MontageForm::ShowSettings() {
  const FormControls& c = Controls();
  FormApply::ShowSettings(PreviewSettings::Instance(), document_.layout().Portrait, values_);
  // The field shows the user's class list, also while a test run keeps it out of the settings.
  if (test_->IsRunning()) values_.ClassListPath = heldClassList_;
  const int rows = c.Paper->count();
  ShowPreview(c, {values_.PaperRow >= 0 && values_.PaperRow < rows ? values_.PaperRow : -1,
                  values_.SamplePortrait, PreviewTexts(values_)});
  SetPaperSizeEditable(values_.PaperRow == PreviewSettings::CustomPaperType);
}

void MontageForm::ShowLayout() {
  FormApply::ShowLayout(document_.layout(), values_, fonts_);
  // Writing the values writes every control; the preview settings are put back as they were
  // shown, so that what the user typed there survives.
  const PreviewShown preview = CapturePreview(Controls());
  WriteControls();
  ShowPreview(Controls(), preview);
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
  c.Save->setEnabled(document_.IsModified() && !document_.path().empty());
  const bool printLogo = c.PrintLogo->isChecked();
  c.SingleLogo->setEnabled(printLogo);
  c.LogoLeft->setEnabled(printLogo && c.SingleLogo->isChecked());
  c.LogoTop->setEnabled(printLogo && c.SingleLogo->isChecked());
  c.Stop->setEnabled(test_->IsRunning());
  // A note rather than a disabled number of images: every apply still checks the number and the
  // automatic test writes its counts there, so a bad number must stay correctable.
  c.ClassListInUse->setVisible(IsReadableFile(PreviewSettings::Instance().ClassListPath));
}

int MontageForm::ColumnWidth() const {
  // The group's smallest width, not its present one: the column would otherwise grow each time
  // the window asked, since the group widens with the column.
  const QWidget* group = Controls().ById(FormId::PreviewSettingsGroup);
  return std::max(group->minimumSizeHint().width() + kColumnAllowance, panel_->ColumnWidth());
}

bool MontageForm::TestStep(std::uint32_t count) {
  if (!ReadControls()) return false;
  values_.NumImages = count;
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

void MontageForm::OnNew() {
  // A field typed wrong is reported, but New goes on: the new layout replaces the form anyway.
  ReadControls();
  document_.OnNewDocument();
}

void MontageForm::OnOpen() {
  ReadControls();
  document_.OpenLayout("");
}

void MontageForm::OnSave() {
  // The document is saved as last applied even when a field is invalid.
  ApplyEdits();
  document_.Save();
}

void MontageForm::OnSaveAs() {
  ApplyEdits();
  document_.SaveAs();
}

void MontageForm::OnTest() {
  RunTestDlg dialog(profile_, this);
  // The field as typed, not the settings: the run's first step applies it, so that is the class
  // list the user would otherwise expect the test to draw.
  if (!Controls().ClassListPath->text().isEmpty()) dialog.NoteSamplesUsed();
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
  if (values_.PaperRow == PreviewSettings::CustomPaperType) {
    SetPaperSizeEditable(true);
    return;
  }
  std::tie(values_.PaperHeight, values_.PaperWidth) =
      PreviewSettings::LookUpPaperSize(values_.PaperRow, values_.Portrait);
  SetPaperSizeEditable(false);
  WriteControls();
}

void MontageForm::OnOrientationClicked() {
  if (!ReadControls()) return;
  if ((values_.Portrait && values_.PaperHeight < values_.PaperWidth) ||
      (!values_.Portrait && values_.PaperHeight > values_.PaperWidth)) {
    std::swap(values_.PaperHeight, values_.PaperWidth);
  }
  WriteControls();
}

void MontageForm::OnBrowse(QLineEdit* field, std::string FormValues::*member,
                           const FileDialogRequest& kind) {
  if (!ReadControls()) return;
  FileDialogRequest request = kind;
  request.InitialPath = field->text().toStdString();
  const std::optional<std::string> chosen = ModalQuestions::Current().AskOpenPath(request);
  if (!chosen || chosen->empty()) return;
  values_.*member = *chosen;
  WriteControls();
}

void MontageForm::OnColour(ColourSwatch* swatch) {
  const std::optional<ColourRef> chosen = ModalQuestions::Current().AskColour(
      ColourOf(*swatch), PreviewSettings::Instance().CustomColour);
  if (chosen) swatch->SetColour(ToQColor(*chosen));
}

void MontageForm::OnLogoBoxClicked() {
  ReadControls();
  UpdateControlStates();
}

void MontageForm::OnLogoPlaceClicked(bool FormValues::*clicked, bool FormValues::*other) {
  if (!ReadControls()) return;
  if (values_.*clicked) values_.*other = false;
  WriteControls();
  UpdateControlStates();
}

void MontageForm::AddRecentFile(const std::string& path) {
  if (path.empty()) {
    Controls().RecentFiles->setCurrentIndex(-1);
    values_.RecentFile.clear();
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
  QComboBox* combo = Controls().RecentFiles;
  const QSignalBlocker blocker(combo);
  combo->clear();
  for (const std::string& path : recent_.Entries()) combo->addItem(ToQt(path));
  const bool chosen = select && !recent_.Entries().empty();
  combo->setCurrentIndex(chosen ? 0 : -1);
  values_.RecentFile = chosen ? recent_.Entries().front() : std::string();
}

void MontageForm::ShowDocumentInCombo() {
  QComboBox* combo = Controls().RecentFiles;
  const int index =
      combo->findText(ToQt(document_.path()), Qt::MatchExactly | Qt::MatchCaseSensitive);
  combo->setCurrentIndex(index);
  values_.RecentFile = index >= 0 ? document_.path() : std::string();
}

void MontageForm::SetPaperSizeEditable(bool editable) {
  Controls().PaperHeight->setReadOnly(!editable);
  Controls().PaperWidth->setReadOnly(!editable);
}
