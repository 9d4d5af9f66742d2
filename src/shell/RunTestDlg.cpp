#include "shell/RunTestDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "shell/FieldNumber.h"

namespace {

constexpr const char* kFirstName = "TestFirstImages";
constexpr const char* kLastName = "TestLastImages";
constexpr const char* kIntervalName = "TestInterval";

// What a first test run shows: a typical class of about 30, two seconds for each count.
constexpr std::uint32_t kDefaultFirst = 25;
constexpr std::uint32_t kDefaultLast = 35;
constexpr std::uint32_t kDefaultInterval = 2;

constexpr std::uint32_t kFewestImages = 3;
constexpr std::uint32_t kMostImages = 9999;
constexpr std::uint32_t kShortestInterval = 1;
constexpr std::uint32_t kLongestInterval = 60;

// The dialog was laid out 211 dialog units wide; a dialog unit is a quarter of the average
// character width.
constexpr int kWidthInDialogUnits = 211;

QLineEdit* AddField(QWidget* dialog, QGridLayout* grid, const QString& label, const QString& after,
                    std::uint32_t value) {
  const int row = grid->rowCount();
  auto* caption = new QLabel(label, dialog);
  auto* edit = new QLineEdit(QString::number(value), dialog);
  caption->setBuddy(edit);
  edit->setAccessibleName(label);
  grid->addWidget(caption, row, 0);
  grid->addWidget(edit, row, 1);
  if (!after.isEmpty()) grid->addWidget(new QLabel(after, dialog), row, 2);
  return edit;
}

// Reads one field as the form reads its numeric fields. A failure is shown once and leaves the
// field focused with its text selected, so the user can type over it at once.
std::optional<std::uint32_t> ReadField(QLineEdit* edit, std::uint32_t low, std::uint32_t high) {
  const FieldNumber number = ReadFieldNumber(edit->text().toStdString(), low, high);
  if (!number.Value) {
    ModalQuestions::Current().ShowMessage(number.Message);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
  }
  return number.Value;
}

}  // namespace

RunTestDlg::RunTestDlg(Profile& profile, QWidget* parent)
    : QDialog(parent),
      profile_(profile),
      first_(profile.ReadNumber(Profile::SettingsSection, kFirstName, kDefaultFirst)),
      last_(profile.ReadNumber(Profile::SettingsSection, kLastName, kDefaultLast)),
      interval_(profile.ReadNumber(Profile::SettingsSection, kIntervalName, kDefaultInterval)) {
  setWindowTitle("Test Parameters");

  auto* advice = new QLabel(
      "If you expect typical group size to be say 30 then it is advised to run the "
      "test for something like 25 to 35 images",
      this);
  advice->setWordWrap(true);

  auto* grid = new QGridLayout;
  firstEdit_ = AddField(this, grid, "First number of images", QString(), first_);
  lastEdit_ = AddField(this, grid, "Last number of images", QString(), last_);
  intervalEdit_ = AddField(this, grid, "Interval between each layout", "seconds", interval_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  // Enter in any field presses OK, as in the dialog users know.
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &RunTestDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &RunTestDlg::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(advice);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().averageCharWidth() * kWidthInDialogUnits / 4);
}

void RunTestDlg::NoteSamplesUsed() {
  if (samplesNote_ != nullptr) return;
  samplesNote_ = new QLabel("The test uses the sample images, not the class list.", this);
  samplesNote_->setWordWrap(true);
  // Below the advice, which it qualifies, and above the fields.
  static_cast<QVBoxLayout*>(layout())->insertWidget(1, samplesNote_);
}

void RunTestDlg::accept() {
  const auto first = ReadField(firstEdit_, kFewestImages, kMostImages);
  if (!first) return;
  const auto last = ReadField(lastEdit_, kFewestImages, kMostImages);
  if (!last) return;
  const auto interval = ReadField(intervalEdit_, kShortestInterval, kLongestInterval);
  if (!interval) return;
  if (*last <= *first) {
    ModalQuestions::Current().ShowMessage(
        "The last number of images must be\ngreater than the first number of images");
    return;
  }

  first_ = *first;
  last_ = *last;
  interval_ = *interval;
  profile_.WriteNumber(Profile::SettingsSection, kFirstName, first_);
  profile_.WriteNumber(Profile::SettingsSection, kLastName, last_);
  profile_.WriteNumber(Profile::SettingsSection, kIntervalName, interval_);
  QDialog::accept();
}
