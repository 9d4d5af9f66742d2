#include "shell/ProduceDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>
#include <array>
#include <filesystem>

#include "batch/BatchRequest.h"
#include "batch/BatchRun.h"
#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "settings/PreviewSettings.h"
#include "shell/BatchWorker.h"
#include "shell/ClassListFilter.h"
#include "shell/ShortList.h"

namespace {

constexpr std::array<OutputFormat, 3> kFormats = {OutputFormat::Jpeg, OutputFormat::Png,
                                                  OutputFormat::Pdf};
constexpr std::array<GroupBy, 4> kGroupings = {GroupBy::Teacher, GroupBy::HomeRoom, GroupBy::Grade,
                                               GroupBy::None};

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

template <typename Control>
Control* Named(Control* control, const QString& name) {
  control->setAccessibleName(name);
  return control;
}

QComboBox* List(QWidget* parent, const QString& name, const QStringList& items, int row) {
  auto* list = Named(new QComboBox(parent), name);
  list->addItems(items);
  list->setCurrentIndex(row);
  return list;
}

}  // namespace

ProduceDlg::ProduceDlg(const Montage& layout, const std::string& list, Profile& profile,
                       QWidget* parent)
    : QDialog(parent), layout_(layout), profile_(profile), worker_(new BatchWorker(this)) {
  setWindowTitle(tr("Produce Composites"));
  choices_.Load(profile_);
  Build();
  list_->setText(ToQt(list));
  connect(worker_, &BatchWorker::Progress, this, &ProduceDlg::OnProgress);
  connect(worker_, &BatchWorker::Finished, this, &ProduceDlg::OnFinished);
}

ProduceDlg::~ProduceDlg() = default;

void ProduceDlg::Build() {
  auto* form = new QFormLayout;
  const auto row = [this, form](const QString& label, QWidget* field,
                                QPushButton* browse = nullptr) {
    auto* line = new QHBoxLayout;
    line->addWidget(field, 1);
    if (browse != nullptr) {
      // A path field wide enough to read a school's folder, with a browse button as narrow as
      // the form's; Enter still presses Start.
      const QFontMetrics metrics = fontMetrics();
      field->setMinimumWidth(metrics.averageCharWidth() * 50);
      browse->setAutoDefault(false);
      browse->setMaximumWidth(metrics.horizontalAdvance(browse->text()) + 2 * metrics.height());
      line->addWidget(browse);
    }
    // The label names its field to screen readers and takes its mnemonic's focus there.
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    form->addRow(caption, line);
  };
  list_ = Named(new QLineEdit(this), tr("Class list or index"));
  auto* browseList = Named(new QPushButton(tr("..."), this), tr("Browse for the list"));
  connect(browseList, &QPushButton::clicked, this, &ProduceDlg::OnBrowseList);
  row(tr("Class list or index"), list_, browseList);
  folder_ = Named(new QLineEdit(ToQt(choices_.OutputFolder), this), tr("Output folder"));
  auto* browseFolder = Named(new QPushButton(tr("..."), this), tr("Browse for the folder"));
  connect(browseFolder, &QPushButton::clicked, this, &ProduceDlg::OnBrowseFolder);
  row(tr("Output folder"), folder_, browseFolder);
  format_ = List(this, tr("Format"), {tr("JPEG"), tr("PNG"), tr("PDF")},
                 static_cast<int>(choices_.FormatRow));
  row(tr("Format"), format_);
  dpi_ = Named(new QSpinBox(this), tr("Resolution (dpi)"));
  dpi_->setRange(72, 1200);
  dpi_->setValue(static_cast<int>(choices_.Dpi));
  row(tr("Resolution (dpi)"), dpi_);
  groupBy_ =
      List(this, tr("Group by"), {tr("Teacher"), tr("Home room"), tr("Grade"), tr("One group")},
           static_cast<int>(choices_.GroupByRow));
  row(tr("Group by"), groupBy_);
  missing_ = List(this, tr("Missing pictures"), {tr("Placeholder"), tr("Leave out")},
                  static_cast<int>(choices_.MissingRow));
  row(tr("Missing pictures"), missing_);
  proof_ = Named(new QCheckBox(tr("Proof PDF"), this), tr("Proof PDF"));
  proof_->setChecked(choices_.Proof);
  form->addRow(proof_);

  progress_ = Named(new QProgressBar(this), tr("Progress"));
  progress_->setRange(0, 1);
  progress_->setValue(0);
  progress_->setFormat(QString());
  // Unnamed, so that a screen reader reads the summary itself, which is a label's name.
  summary_ = new QLabel(this);
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  start_ = Named(new QPushButton(tr("Start"), this), tr("Start"));
  start_->setDefault(true);
  openFolder_ = Named(new QPushButton(tr("Open Folder"), this), tr("Open Folder"));
  openFolder_->setEnabled(false);
  close_ = Named(new QPushButton(tr("Close"), this), tr("Close"));
  connect(start_, &QPushButton::clicked, this, &ProduceDlg::OnStart);
  connect(openFolder_, &QPushButton::clicked, this, &ProduceDlg::OnOpenFolder);
  connect(close_, &QPushButton::clicked, this, &ProduceDlg::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {start_, openFolder_, close_}) buttons->addWidget(button);

  auto* column = new QVBoxLayout(this);
  column->addLayout(form);
  column->addWidget(progress_);
  column->addWidget(summary_);
  column->addLayout(buttons);
}

bool ProduceDlg::IsRunning() const { return worker_->IsRunning(); }

QString ProduceDlg::Summary() const { return summary_->text(); }

void ProduceDlg::reject() {
  if (!IsRunning()) QDialog::reject();
}

void ProduceDlg::Remember() {
  choices_.OutputFolder = folder_->text().toStdString();
  choices_.FormatRow = static_cast<std::uint32_t>(format_->currentIndex());
  choices_.Dpi = static_cast<std::uint32_t>(dpi_->value());
  choices_.GroupByRow = static_cast<std::uint32_t>(groupBy_->currentIndex());
  choices_.MissingRow = static_cast<std::uint32_t>(missing_->currentIndex());
  choices_.Proof = proof_->isChecked();
  choices_.Store(profile_);
}

void ProduceDlg::OnBrowseList() {
  const std::optional<std::string> chosen = ModalQuestions::Current().AskOpenPath(
      FileDialogRequest{kClassListFilter, "txt", list_->text().toStdString()});
  if (chosen && !chosen->empty()) list_->setText(ToQt(*chosen));
}

void ProduceDlg::OnBrowseFolder() {
  const std::optional<std::string> chosen =
      ModalQuestions::Current().AskFolder(folder_->text().toStdString());
  if (chosen && !chosen->empty()) folder_->setText(ToQt(*chosen));
}

void ProduceDlg::OnStart() {
  if (IsRunning()) {
    worker_->Cancel();
    start_->setEnabled(false);
    return;
  }
  Remember();
  if (list_->text().isEmpty() || folder_->text().isEmpty()) {
    ModalQuestions::Current().ShowMessage(
        "Choose the class list or index and the folder to write the composites into.");
    return;
  }
  BatchRequest request;
  request.ListPath = list_->text().toStdString();
  request.OutputFolder = choices_.OutputFolder;
  request.Format = kFormats[choices_.FormatRow];
  request.Dpi = choices_.Dpi;
  request.By = kGroupings[choices_.GroupByRow];
  if (choices_.Proof) {
    request.ProofPath = (std::filesystem::path(request.OutputFolder) / "proof.pdf").string();
  }
  // The preview's settings give the paper and the caption lines, as they give the preview's.
  PreviewSettings settings = PreviewSettings::Instance();
  settings.Missing =
      choices_.MissingRow == 0 ? MissingPictures::Placeholder : MissingPictures::Omit;
  summary_->clear();
  openFolder_->setEnabled(false);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  progress_->setFormat(QString());
  worker_->Start(layout_, settings, request);
  start_->setText(tr("Cancel"));
  start_->setAccessibleName(tr("Cancel"));
  close_->setEnabled(false);
}

void ProduceDlg::OnProgress(int done, int total, const QString& group) {
  progress_->setRange(0, std::max(total, 1));
  progress_->setValue(done);
  progress_->setFormat(tr("%1 of %2: %3").arg(done).arg(total).arg(group));
}

void ProduceDlg::OnFinished(const BatchResult& result) {
  start_->setText(tr("Start"));
  start_->setAccessibleName(tr("Start"));
  start_->setEnabled(true);
  close_->setEnabled(true);
  std::size_t written = 0;
  std::vector<std::string> missing;
  for (const GroupOutcome& group : result.Groups) {
    if (group.Outcome == GroupOutcome::State::Written) ++written;
    for (const PictureProblem& problem : group.Missing) {
      missing.push_back((problem.Subject.empty() ? problem.Path : problem.Subject) + " (" +
                        group.Group + ")");
    }
  }
  if (result.Outcome != BatchResult::Status::Cancelled && !result.Groups.empty()) {
    progress_->setRange(0, static_cast<int>(result.Groups.size()));
    progress_->setValue(static_cast<int>(written));
    // No group is being drawn any more.
    progress_->setFormat(tr("%v of %m written"));
  }
  std::string text = result.Summary;
  if (!missing.empty()) text += "\nMissing pictures:" + ShortList(missing);
  if (result.Outcome == BatchResult::Status::Cancelled) {
    text = "Cancelled: " + std::to_string(written) + " composites were written.\n" + text;
  }
  summary_->setText(ToQt(text));
  openFolder_->setEnabled(written > 0 || std::filesystem::is_directory(choices_.OutputFolder));
  if (result.Outcome == BatchResult::Status::Refused ||
      result.Outcome == BatchResult::Status::Failed) {
    ModalQuestions::Current().ShowMessage(
        "The composites cannot be produced: " + result.Message +
        (written > 0 ? "\nThe " + std::to_string(written) + " composites already made are kept."
                     : std::string()));
  }
}

void ProduceDlg::OnOpenFolder() { QDesktopServices::openUrl(QUrl::fromLocalFile(folder_->text())); }
