#include "shell/form/FormLayout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "shell/form/ColourSwatch.h"
#include "shell/form/FormBuilder.h"
#include "shell/form/FormControlIds.h"

namespace {

// Tighter than the style's defaults: the form is a tall column of many small groups.
constexpr int kMargin = 6;
constexpr int kSpacing = 4;

template <typename Layout>
Layout* Spaced(Layout* layout) {
  layout->setSpacing(kSpacing);
  return layout;
}

template <typename Layout>
Layout* Compact(Layout* layout) {
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  return Spaced(layout);
}

// Widths of the numeric fields, in digits, from the largest value each usually holds.
constexpr int kLengthDigits = 5;
constexpr int kSmallDigits = 3;

class FormLayout {
 public:
  FormLayout(FormBuilder& builder, FormControls& controls) : b_(builder), c_(controls) {}

  QLayout* TopRow(QWidget* parent);
  QWidget* PreviewSettings(QWidget* parent);
  QWidget* General(QWidget* parent);
  QWidget* Background(QWidget* parent);
  QWidget* Image(QWidget* parent);
  QWidget* Names(QWidget* parent);
  QWidget* Captions(QWidget* parent);

 private:
  // A numeric field with its label in the next two cells of a row.
  QLineEdit* AddNumber(QBoxLayout* row, QWidget* parent, int id, int digits);
  QLineEdit* AddNumber(QGridLayout* grid, int line, QWidget* parent, int id, int digits);
  // A "Colour" button beside the swatch it edits.
  void AddColour(QBoxLayout* row, QWidget* parent, int buttonId, int swatchId);

  FormBuilder& b_;
  FormControls& c_;
};

QLineEdit* FormLayout::AddNumber(QBoxLayout* row, QWidget* parent, int id, int digits) {
  QLabel* caption = FormBuilder::FieldLabel(parent, id);
  QLineEdit* edit = b_.NumberEdit(parent, id, caption, digits);
  row->addWidget(caption);
  row->addWidget(edit);
  return edit;
}

QLineEdit* FormLayout::AddNumber(QGridLayout* grid, int line, QWidget* parent, int id, int digits) {
  QLabel* caption = FormBuilder::FieldLabel(parent, id);
  QLineEdit* edit = b_.NumberEdit(parent, id, caption, digits);
  grid->addWidget(caption, line, 0);
  grid->addWidget(edit, line, 1);
  return edit;
}

void FormLayout::AddColour(QBoxLayout* row, QWidget* parent, int buttonId, int swatchId) {
  row->addWidget(b_.SmallButton(parent, buttonId));
  row->addWidget(b_.Swatch(parent, swatchId));
}

QLayout* FormLayout::TopRow(QWidget* parent) {
  auto* column = Spaced(new QVBoxLayout);
  auto* buttons = Spaced(new QHBoxLayout);
  for (int id : {FormId::Update, FormId::Print, FormId::Produce, FormId::New, FormId::Open,
                 FormId::Save, FormId::SaveAs}) {
    buttons->addWidget(b_.Button(parent, id));
  }
  column->addLayout(buttons);
  column->addWidget(FormBuilder::Label(parent, "Units are 1/10 mm. 254x1/10mm = 1 inch"));
  QComboBox* recent = b_.List(parent, FormId::RecentFiles);
  // Recent paths can be long; the list must not widen the whole column to show them.
  recent->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  recent->setMinimumContentsLength(12);
  column->addWidget(recent);
  return column;
}

QWidget* FormLayout::PreviewSettings(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Preview Settings", FormId::PreviewSettingsGroup);
  auto* column = Compact(new QVBoxLayout(box));
  column->addWidget(FormBuilder::WrappedText(
      box,
      "The preview settings are not part of the layout; they are only there to assist you to "
      "see what the layout will look like with different paper sizes or group sizes etc."));

  auto* paper = Spaced(new QHBoxLayout);
  QLabel* paperLabel = FormBuilder::FieldLabel(box, FormId::Paper);
  QComboBox* papers = b_.List(box, FormId::Paper);
  papers->addItems({"7x5", "8x6", "9x6", "10x7", "10x8", "Custom"});
  paperLabel->setBuddy(papers);
  paper->addWidget(paperLabel);
  paper->addWidget(papers);
  paper->addWidget(FormBuilder::Label(box, "inches"));
  paper->addSpacing(kMargin * 2);
  // The size is a preset's until the user chooses "Custom".
  AddNumber(paper, box, FormId::PaperHeight, kLengthDigits)->setReadOnly(true);
  AddNumber(paper, box, FormId::PaperWidth, kLengthDigits)->setReadOnly(true);
  paper->addStretch();
  column->addLayout(paper);

  QGroupBox* samples = b_.Group(box, "Sample Images");
  auto* paths = Compact(new QGridLayout(samples));
  const std::pair<int, int> sampleRows[] = {
      {FormId::SampleImagePath, FormId::BrowseSampleImage},
      {FormId::BackgroundImage, FormId::BrowseBackground},
      {FormId::LogoImage, FormId::BrowseLogo},
      // A real group in place of the samples above, so it sits with them.
      {FormId::ClassListPath, FormId::BrowseClassList},
  };
  int line = 0;
  for (const auto& [editId, browseId] : sampleRows) {
    QLabel* label = FormBuilder::FieldLabel(samples, editId);
    paths->addWidget(label, line, 0);
    paths->addWidget(b_.TextEdit(samples, editId, label), line, 1);
    paths->addWidget(b_.SmallButton(samples, browseId), line, 2);
    ++line;
  }
  // The groups of a school's list, filled by the form whenever a list is applied.
  QLabel* groupLabel = FormBuilder::FieldLabel(samples, FormId::ClassGroup);
  QComboBox* groups = b_.List(samples, FormId::ClassGroup);
  groups->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  groups->setMinimumContentsLength(12);
  groupLabel->setBuddy(groups);
  paths->addWidget(groupLabel, line, 0);
  paths->addWidget(groups, line, 1);
  ++line;
  paths->addWidget(b_.Check(samples, FormId::SamplePortrait), line, 1);
  column->addWidget(samples);

  auto* count = Spaced(new QHBoxLayout);
  AddNumber(count, box, FormId::NumImages, 4);
  count->addStretch();
  count->addWidget(b_.SmallButton(box, FormId::Test));
  count->addWidget(b_.SmallButton(box, FormId::Stop));
  column->addLayout(count);
  c_.ClassListInUse = FormBuilder::WrappedText(
      box,
      "A class list is in use: its size, not this number, sets the number of images. The "
      "automatic test uses the sample images.");
  c_.ClassListInUse->hide();
  column->addWidget(c_.ClassListInUse);

  QGroupBox* captions = b_.Group(box, "Sample Caption Lines");
  auto* lines = Compact(new QGridLayout(captions));
  for (int i = 0; i < 4; ++i) {
    QLabel* label = FormBuilder::FieldLabel(captions, FormId::SampleCaptionLines[i]);
    lines->addWidget(label, i / 2, (i % 2) * 2);
    lines->addWidget(b_.TextEdit(captions, FormId::SampleCaptionLines[i], label), i / 2,
                     (i % 2) * 2 + 1);
  }
  column->addWidget(captions);
  return box;
}

QWidget* FormLayout::General(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "General");
  auto* column = Compact(new QVBoxLayout(box));
  auto* margin = Spaced(new QHBoxLayout);
  AddNumber(margin, box, FormId::OuterMargin, kLengthDigits);
  AddColour(margin, box, FormId::OuterMarginColourButton, FormId::OuterMarginColour);
  margin->addWidget(b_.Check(box, FormId::OuterMargin3d));
  margin->addStretch();
  column->addLayout(margin);
  column->addWidget(b_.Check(box, FormId::OrientPortrait));
  return box;
}

QWidget* FormLayout::Background(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Background");
  auto* column = Compact(new QVBoxLayout(box));
  auto* type = Spaced(new QHBoxLayout);
  auto* group = new QButtonGroup(box);
  for (int id :
       {FormId::BackgroundNone, FormId::BackgroundImageType, FormId::BackgroundColourType}) {
    type->addWidget(b_.Radio(group, box, id));
  }
  type->addSpacing(kMargin * 2);
  AddColour(type, box, FormId::BackgroundColourButton, FormId::BackgroundColour);
  type->addStretch();
  column->addLayout(type);
  column->addWidget(b_.Check(box, FormId::BackgroundOverwrite));
  return box;
}

QWidget* FormLayout::Image(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Image", FormId::ImageGroup);
  auto* columns = Compact(new QHBoxLayout(box));
  auto* left = Spaced(new QVBoxLayout);

  auto* sizes = Spaced(new QGridLayout);
  auto* crop = Spaced(new QHBoxLayout);
  QLabel* proportion = FormBuilder::FieldLabel(box, FormId::CropHeight);
  crop->addWidget(b_.NumberEdit(box, FormId::CropHeight, proportion, kSmallDigits));
  AddNumber(crop, box, FormId::CropWidth, kSmallDigits);
  crop->addStretch();
  sizes->addWidget(proportion, 0, 0);
  sizes->addLayout(crop, 0, 1);
  AddNumber(sizes, 1, box, FormId::MainImageMultiple, kSmallDigits);
  QLabel* margin = FormBuilder::FieldLabel(box, FormId::ImageMargin);
  auto* marginRow = Spaced(new QHBoxLayout);
  marginRow->addWidget(b_.NumberEdit(box, FormId::ImageMargin, margin, kSmallDigits));
  marginRow->addWidget(FormBuilder::Label(box, "%"));
  marginRow->addStretch();
  sizes->addWidget(margin, 2, 0);
  sizes->addLayout(marginRow, 2, 1);
  sizes->setColumnStretch(2, 1);
  left->addLayout(sizes);

  QGroupBox* shadow = b_.Group(box, "Drop Shadow");
  auto* shadowRow = Compact(new QHBoxLayout(shadow));
  AddNumber(shadowRow, shadow, FormId::DropShadowWidth, 2);
  shadowRow->addWidget(FormBuilder::Label(shadow, "%"));
  shadowRow->addSpacing(kMargin);
  AddNumber(shadowRow, shadow, FormId::DropShadowDepth, 2);
  shadowRow->addSpacing(kMargin);
  auto* side = new QButtonGroup(shadow);
  shadowRow->addWidget(b_.Radio(side, shadow, FormId::DropShadowLeft));
  shadowRow->addWidget(b_.Radio(side, shadow, FormId::DropShadowRight));
  shadowRow->addStretch();
  left->addWidget(shadow);

  QGroupBox* frame = b_.Group(box, "Frame");
  auto* frames = Compact(new QGridLayout(frame));
  const struct {
    int Edit;
    int Button;
    int Swatch;
    int ThreeD;
  } frameRows[] = {
      {FormId::InnerFrame, FormId::InnerFrameColourButton, FormId::InnerFrameColour,
       FormId::InnerFrame3d},
      {FormId::OuterFrame, FormId::OuterFrameColourButton, FormId::OuterFrameColour,
       FormId::OuterFrame3d},
  };
  int line = 0;
  for (const auto& row : frameRows) {
    AddNumber(frames, line, frame, row.Edit, kLengthDigits);
    frames->addWidget(b_.SmallButton(frame, row.Button), line, 2);
    frames->addWidget(b_.Swatch(frame, row.Swatch), line, 3);
    frames->addWidget(b_.Check(frame, row.ThreeD), line, 4);
    ++line;
  }
  frames->setColumnStretch(5, 1);
  left->addWidget(frame);
  columns->addLayout(left, 1);

  QGroupBox* position = b_.Group(box, "Main Position");
  b_.PositionGrid(position, FormId::MainPositions);
  auto* right = new QVBoxLayout;
  right->addWidget(position);
  right->addStretch();
  columns->addLayout(right);
  return box;
}

QWidget* FormLayout::Names(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Names");
  auto* column = Compact(new QVBoxLayout(box));
  column->addWidget(b_.Check(box, FormId::PrintNames));
  column->addWidget(b_.Check(box, FormId::PrintNames2Lines));

  auto* order = Spaced(new QGridLayout);
  const struct {
    const char* Label;
    int FirstId;
    int LastId;
  } orderRows[] = {
      {"Print", FormId::PrintFirstLast, FormId::PrintLastFirst},
      {"Sort", FormId::SortFirstLast, FormId::SortLastFirst},
  };
  int line = 0;
  for (const auto& row : orderRows) {
    auto* group = new QButtonGroup(box);
    order->addWidget(FormBuilder::Label(box, row.Label), line, 0);
    order->addWidget(b_.Radio(group, box, row.FirstId), line, 1);
    order->addWidget(b_.Radio(group, box, row.LastId), line, 2);
    ++line;
  }
  order->setColumnStretch(3, 1);
  column->addLayout(order);

  auto* fonts = Spaced(new QHBoxLayout);
  fonts->addWidget(b_.SmallButton(box, FormId::NameFont));
  fonts->addWidget(b_.SmallButton(box, FormId::MainNameFont));
  fonts->addStretch();
  column->addLayout(fonts);
  return box;
}

QWidget* FormLayout::Captions(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Captions");
  auto* column = Compact(new QVBoxLayout(box));
  auto* size = Spaced(new QHBoxLayout);
  AddNumber(size, box, FormId::CaptionRows, kSmallDigits);
  size->addSpacing(kMargin);
  AddNumber(size, box, FormId::CaptionCols, kSmallDigits);
  size->addStretch();
  column->addLayout(size);

  auto* columns = Spaced(new QHBoxLayout);
  auto* left = Spaced(new QVBoxLayout);
  QGroupBox* logo = b_.Group(box, "Logo");
  auto* logoGrid = Compact(new QGridLayout(logo));
  logoGrid->addWidget(b_.Check(logo, FormId::PrintLogo), 0, 0);
  logoGrid->addWidget(b_.Check(logo, FormId::SingleLogo), 0, 1);
  logoGrid->addWidget(b_.Check(logo, FormId::LogoLeft), 1, 0);
  logoGrid->addWidget(b_.Check(logo, FormId::LogoTop), 1, 1);
  auto* tolerance = Spaced(new QHBoxLayout);
  AddNumber(tolerance, logo, FormId::LogoTransparencyTolerance, kSmallDigits);
  tolerance->addStretch();
  logoGrid->addLayout(tolerance, 2, 0, 1, 2);
  left->addWidget(logo);

  QGroupBox* fonts = b_.Group(box, "Fonts");
  auto* fontRow = Compact(new QHBoxLayout(fonts));
  for (int id : FormId::CaptionFonts) fontRow->addWidget(b_.Button(fonts, id));
  left->addWidget(fonts);
  columns->addLayout(left, 1);

  QGroupBox* position = b_.Group(box, "Caption Posit'n");
  b_.PositionGrid(position, FormId::CaptionPositions);
  auto* right = new QVBoxLayout;
  right->addWidget(position);
  right->addStretch();
  columns->addLayout(right);
  column->addLayout(columns);

  auto* count = Spaced(new QHBoxLayout);
  AddNumber(count, box, FormId::NumCaptionLines, 1);
  count->addStretch();
  column->addLayout(count);
  column->addWidget(b_.Check(box, FormId::CaptionAbove));
  return box;
}

}  // namespace

FormControls LayOutForm(QWidget* parent) {
  FormControls controls;
  FormBuilder builder(controls);
  FormLayout form(builder, controls);
  auto* column = new QVBoxLayout(parent);
  column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  column->setSpacing(kMargin);
  column->addLayout(form.TopRow(parent));
  column->addWidget(form.PreviewSettings(parent));
  column->addWidget(form.General(parent));
  column->addWidget(form.Background(parent));
  column->addWidget(form.Image(parent));
  column->addWidget(form.Names(parent));
  column->addWidget(form.Captions(parent));
  column->addStretch();
  return controls;
}
