#include "shell/FormControls.h"

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

#include "shell/ColourSwatch.h"
#include "shell/FormBuilder.h"
#include "shell/FormControlIds.h"

namespace {

// The property that carries a control's id, so that the id can be found from the widget alone.
constexpr const char* kIdProperty = "montageControlId";

// Tighter than the style's defaults: the form is a tall column of many small groups.
constexpr int kMargin = 6;
constexpr int kSpacing = 4;

template <typename Layout>
Layout* Compact(Layout* layout) {
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  layout->setSpacing(kSpacing);
  return layout;
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
  // An edit with its label in the next two cells of a row.
  QLineEdit* AddNumber(QBoxLayout* row, QWidget* parent, int id, const QString& label, int digits);
  QLineEdit* AddNumber(QGridLayout* grid, int line, QWidget* parent, int id, const QString& label,
                       int digits);
  // A "Colour" button beside the swatch it edits.
  ColourSwatch* AddColour(QBoxLayout* row, QWidget* parent, int buttonId, QPushButton*& button,
                          int swatchId, const QString& swatchName);

  FormBuilder& b_;
  FormControls& c_;
};

QLineEdit* FormLayout::AddNumber(QBoxLayout* row, QWidget* parent, int id, const QString& label,
                                 int digits) {
  QLabel* caption = FormBuilder::Label(parent, label);
  QLineEdit* edit = b_.NumberEdit(parent, id, caption, digits);
  row->addWidget(caption);
  row->addWidget(edit);
  return edit;
}

QLineEdit* FormLayout::AddNumber(QGridLayout* grid, int line, QWidget* parent, int id,
                                 const QString& label, int digits) {
  QLabel* caption = FormBuilder::Label(parent, label);
  QLineEdit* edit = b_.NumberEdit(parent, id, caption, digits);
  grid->addWidget(caption, line, 0);
  grid->addWidget(edit, line, 1);
  return edit;
}

ColourSwatch* FormLayout::AddColour(QBoxLayout* row, QWidget* parent, int buttonId,
                                    QPushButton*& button, int swatchId, const QString& swatchName) {
  button = b_.SmallButton(parent, buttonId, "Colour");
  ColourSwatch* swatch = b_.Swatch(parent, swatchId, swatchName);
  row->addWidget(button);
  row->addWidget(swatch);
  return swatch;
}

QLayout* FormLayout::TopRow(QWidget* parent) {
  auto* column = new QVBoxLayout;
  column->setSpacing(kSpacing);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(kSpacing);
  c_.Update = b_.Button(parent, FormId::Update, "Update");
  c_.Print = b_.Button(parent, FormId::Print, "Print");
  c_.New = b_.Button(parent, FormId::New, "New");
  c_.Open = b_.Button(parent, FormId::Open, "Open");
  c_.Save = b_.Button(parent, FormId::Save, "Save");
  c_.SaveAs = b_.Button(parent, FormId::SaveAs, "Save As");
  for (QPushButton* button : {c_.Update, c_.Print, c_.New, c_.Open, c_.Save, c_.SaveAs}) {
    buttons->addWidget(button);
  }
  column->addLayout(buttons);
  column->addWidget(FormBuilder::Label(parent, "Units are 1/10 mm. 254x1/10mm = 1 inch"));
  c_.RecentFiles = b_.Combo(parent, FormId::RecentFiles, "Recent files");
  // Recent paths can be long; the list must not widen the whole column to show them.
  c_.RecentFiles->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  c_.RecentFiles->setMinimumContentsLength(12);
  column->addWidget(c_.RecentFiles);
  return column;
}

QWidget* FormLayout::PreviewSettings(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Preview Settings", FormId::PreviewSettingsGroup);
  auto* column = Compact(new QVBoxLayout(box));
  column->addWidget(FormBuilder::WrappedText(
      box,
      "The preview settings are not part of the layout; they are only there to assist you to "
      "see what the layout will look like with different paper sizes or group sizes etc."));

  auto* paper = new QHBoxLayout;
  paper->setSpacing(kSpacing);
  QLabel* paperLabel = FormBuilder::Label(box, "Paper");
  c_.Paper = b_.Combo(box, FormId::Paper, "Paper");
  c_.Paper->addItems({"7x5", "8x6", "9x6", "10x7", "10x8", "Custom"});
  paperLabel->setBuddy(c_.Paper);
  paper->addWidget(paperLabel);
  paper->addWidget(c_.Paper);
  paper->addWidget(FormBuilder::Label(box, "inches"));
  paper->addSpacing(kMargin * 2);
  c_.PaperHeight = AddNumber(paper, box, FormId::PaperHeight, "Height", kLengthDigits);
  c_.PaperWidth = AddNumber(paper, box, FormId::PaperWidth, "Width", kLengthDigits);
  // The size is a preset's until the user chooses "Custom".
  c_.PaperHeight->setReadOnly(true);
  c_.PaperWidth->setReadOnly(true);
  paper->addStretch();
  column->addLayout(paper);

  QGroupBox* samples = b_.Group(box, "Sample Images");
  auto* paths = Compact(new QGridLayout(samples));
  const struct {
    int EditId;
    const char* Label;
    QLineEdit* FormControls::*Edit;
    int BrowseId;
    QPushButton* FormControls::*Browse;
  } sampleRows[] = {
      {FormId::SampleImagePath, "Subject", &FormControls::SampleImagePath,
       FormId::BrowseSampleImage, &FormControls::BrowseSampleImage},
      {FormId::BackgroundImage, "Backgr'd", &FormControls::BackgroundImage,
       FormId::BrowseBackground, &FormControls::BrowseBackground},
      {FormId::LogoImage, "Logo", &FormControls::LogoImage, FormId::BrowseLogo,
       &FormControls::BrowseLogo},
      // A real group in place of the samples above, so it sits with them.
      {FormId::ClassListPath, "Class list", &FormControls::ClassListPath, FormId::BrowseClassList,
       &FormControls::BrowseClassList},
  };
  int line = 0;
  for (const auto& row : sampleRows) {
    QLabel* label = FormBuilder::Label(samples, row.Label);
    c_.*row.Edit = b_.TextEdit(samples, row.EditId, label);
    c_.*row.Browse = b_.SmallButton(samples, row.BrowseId, "...");
    paths->addWidget(label, line, 0);
    paths->addWidget(c_.*row.Edit, line, 1);
    paths->addWidget(c_.*row.Browse, line, 2);
    ++line;
  }
  c_.SamplePortrait = b_.Check(samples, FormId::SamplePortrait, "Portrait");
  paths->addWidget(c_.SamplePortrait, line, 1);
  column->addWidget(samples);

  auto* count = new QHBoxLayout;
  count->setSpacing(kSpacing);
  c_.NumImages =
      AddNumber(count, box, FormId::NumImages, "Number of images (including main image)", 4);
  count->addStretch();
  c_.Test = b_.SmallButton(box, FormId::Test, "Test");
  c_.Stop = b_.SmallButton(box, FormId::Stop, "Stop");
  count->addWidget(c_.Test);
  count->addWidget(c_.Stop);
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
    QLabel* label = FormBuilder::Label(captions, QString("Line %1").arg(i + 1));
    c_.SampleCaptionText[i] = b_.TextEdit(captions, FormId::SampleCaptionLines[i], label);
    lines->addWidget(label, i / 2, (i % 2) * 2);
    lines->addWidget(c_.SampleCaptionText[i], i / 2, (i % 2) * 2 + 1);
  }
  column->addWidget(captions);
  return box;
}

QWidget* FormLayout::General(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "General");
  auto* column = Compact(new QVBoxLayout(box));
  auto* margin = new QHBoxLayout;
  margin->setSpacing(kSpacing);
  c_.OuterMargin = AddNumber(margin, box, FormId::OuterMargin, "Outer Margin", kLengthDigits);
  c_.OuterMarginColour =
      AddColour(margin, box, FormId::OuterMarginColourButton, c_.OuterMarginColourButton,
                FormId::OuterMarginColour, "Outer margin colour");
  c_.OuterMargin3d = b_.Check(box, FormId::OuterMargin3d, "3D");
  margin->addWidget(c_.OuterMargin3d);
  margin->addStretch();
  column->addLayout(margin);
  c_.Portrait = b_.Check(box, FormId::OrientPortrait, "Orient paper portrait");
  column->addWidget(c_.Portrait);
  return box;
}

QWidget* FormLayout::Background(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Background");
  auto* column = Compact(new QVBoxLayout(box));
  auto* type = new QHBoxLayout;
  type->setSpacing(kSpacing);
  c_.BackgroundType = new QButtonGroup(box);
  type->addWidget(b_.Radio(c_.BackgroundType, 0, box, FormId::BackgroundNone, "None"));
  type->addWidget(b_.Radio(c_.BackgroundType, 1, box, FormId::BackgroundImageType, "Image"));
  type->addWidget(b_.Radio(c_.BackgroundType, 2, box, FormId::BackgroundColourType, "Colour"));
  type->addSpacing(kMargin * 2);
  c_.BackgroundColour =
      AddColour(type, box, FormId::BackgroundColourButton, c_.BackgroundColourButton,
                FormId::BackgroundColour, "Background colour");
  type->addStretch();
  column->addLayout(type);
  c_.BackgroundOverwrite =
      b_.Check(box, FormId::BackgroundOverwrite, "Background overwrites outer margin");
  column->addWidget(c_.BackgroundOverwrite);
  return box;
}

QWidget* FormLayout::Image(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Image", FormId::ImageGroup);
  auto* columns = Compact(new QHBoxLayout(box));
  auto* left = new QVBoxLayout;
  left->setSpacing(kSpacing);

  auto* sizes = new QGridLayout;
  sizes->setSpacing(kSpacing);
  auto* crop = new QHBoxLayout;
  crop->setSpacing(kSpacing);
  QLabel* proportion = FormBuilder::Label(box, "Proport'n");
  c_.CropHeight = b_.NumberEdit(box, FormId::CropHeight, proportion, kSmallDigits);
  crop->addWidget(c_.CropHeight);
  c_.CropWidth = AddNumber(crop, box, FormId::CropWidth, "X", kSmallDigits);
  crop->addStretch();
  sizes->addWidget(proportion, 0, 0);
  sizes->addLayout(crop, 0, 1);
  c_.MainImageMultiple =
      AddNumber(sizes, 1, box, FormId::MainImageMultiple, "Main image size", kSmallDigits);
  QLabel* margin = FormBuilder::Label(box, "Image Margin");
  c_.ImageMargin = b_.NumberEdit(box, FormId::ImageMargin, margin, kSmallDigits);
  auto* marginRow = new QHBoxLayout;
  marginRow->setSpacing(kSpacing);
  marginRow->addWidget(c_.ImageMargin);
  marginRow->addWidget(FormBuilder::Label(box, "%"));
  marginRow->addStretch();
  sizes->addWidget(margin, 2, 0);
  sizes->addLayout(marginRow, 2, 1);
  sizes->setColumnStretch(2, 1);
  left->addLayout(sizes);

  QGroupBox* shadow = b_.Group(box, "Drop Shadow");
  auto* shadowRow = Compact(new QHBoxLayout(shadow));
  c_.DropShadowWidth = AddNumber(shadowRow, shadow, FormId::DropShadowWidth, "Width", 2);
  shadowRow->addWidget(FormBuilder::Label(shadow, "%"));
  shadowRow->addSpacing(kMargin);
  c_.DropShadowDepth = AddNumber(shadowRow, shadow, FormId::DropShadowDepth, "Shade", 2);
  shadowRow->addSpacing(kMargin);
  c_.DropShadowRight = new QButtonGroup(shadow);
  shadowRow->addWidget(b_.Radio(c_.DropShadowRight, 0, shadow, FormId::DropShadowLeft, "L"));
  shadowRow->addWidget(b_.Radio(c_.DropShadowRight, 1, shadow, FormId::DropShadowRight, "R"));
  shadowRow->addStretch();
  left->addWidget(shadow);

  QGroupBox* frame = b_.Group(box, "Frame");
  auto* frames = Compact(new QGridLayout(frame));
  const struct {
    const char* Label;
    int EditId;
    QLineEdit* FormControls::*Edit;
    int ButtonId;
    QPushButton* FormControls::*Button;
    int SwatchId;
    ColourSwatch* FormControls::*Swatch;
    const char* SwatchName;
    int ThreeDId;
    QCheckBox* FormControls::*ThreeD;
  } frameRows[] = {
      {"Inner", FormId::InnerFrame, &FormControls::InnerFrame, FormId::InnerFrameColourButton,
       &FormControls::InnerFrameColourButton, FormId::InnerFrameColour,
       &FormControls::InnerFrameColour, "Inner frame colour", FormId::InnerFrame3d,
       &FormControls::InnerFrame3d},
      {"Outer", FormId::OuterFrame, &FormControls::OuterFrame, FormId::OuterFrameColourButton,
       &FormControls::OuterFrameColourButton, FormId::OuterFrameColour,
       &FormControls::OuterFrameColour, "Outer frame colour", FormId::OuterFrame3d,
       &FormControls::OuterFrame3d},
  };
  int line = 0;
  for (const auto& row : frameRows) {
    c_.*row.Edit = AddNumber(frames, line, frame, row.EditId, row.Label, kLengthDigits);
    c_.*row.Button = b_.SmallButton(frame, row.ButtonId, "Colour");
    c_.*row.Swatch = b_.Swatch(frame, row.SwatchId, row.SwatchName);
    c_.*row.ThreeD = b_.Check(frame, row.ThreeDId, "3D");
    frames->addWidget(c_.*row.Button, line, 2);
    frames->addWidget(c_.*row.Swatch, line, 3);
    frames->addWidget(c_.*row.ThreeD, line, 4);
    ++line;
  }
  frames->setColumnStretch(5, 1);
  left->addWidget(frame);
  columns->addLayout(left, 1);

  QGroupBox* position = b_.Group(box, "Main Position");
  c_.MainImagePosition = b_.PositionGrid(position, FormId::MainPositions);
  auto* right = new QVBoxLayout;
  right->addWidget(position);
  right->addStretch();
  columns->addLayout(right);
  return box;
}

QWidget* FormLayout::Names(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Names");
  auto* column = Compact(new QVBoxLayout(box));
  c_.PrintNames = b_.Check(box, FormId::PrintNames, "Print names (if available)");
  c_.PrintNames2Lines =
      b_.Check(box, FormId::PrintNames2Lines, "Print first and last name on separate lines");
  column->addWidget(c_.PrintNames);
  column->addWidget(c_.PrintNames2Lines);

  // Each group's first button stands for the flag being set: first name before last name.
  auto* order = new QGridLayout;
  order->setSpacing(kSpacing);
  const struct {
    const char* Label;
    QButtonGroup* FormControls::*Group;
    int FirstId;
    int LastId;
  } orderRows[] = {
      {"Print", &FormControls::PrintNamesFirstLast, FormId::PrintFirstLast, FormId::PrintLastFirst},
      {"Sort", &FormControls::SortFirstName, FormId::SortFirstLast, FormId::SortLastFirst},
  };
  int line = 0;
  for (const auto& row : orderRows) {
    QButtonGroup* group = new QButtonGroup(box);
    c_.*row.Group = group;
    order->addWidget(FormBuilder::Label(box, row.Label), line, 0);
    order->addWidget(b_.Radio(group, 1, box, row.FirstId, "First name, last name"), line, 1);
    order->addWidget(b_.Radio(group, 0, box, row.LastId, "Last name, first name"), line, 2);
    ++line;
  }
  order->setColumnStretch(3, 1);
  column->addLayout(order);

  auto* fonts = new QHBoxLayout;
  fonts->setSpacing(kSpacing);
  c_.NameFont = b_.SmallButton(box, FormId::NameFont, "Small Font");
  c_.MainNameFont = b_.SmallButton(box, FormId::MainNameFont, "Main Font");
  fonts->addWidget(c_.NameFont);
  fonts->addWidget(c_.MainNameFont);
  fonts->addStretch();
  column->addLayout(fonts);
  return box;
}

QWidget* FormLayout::Captions(QWidget* parent) {
  QGroupBox* box = b_.Group(parent, "Captions");
  auto* column = Compact(new QVBoxLayout(box));
  auto* size = new QHBoxLayout;
  size->setSpacing(kSpacing);
  c_.CaptionRows = AddNumber(size, box, FormId::CaptionRows, "Image rows", kSmallDigits);
  size->addSpacing(kMargin);
  c_.CaptionCols = AddNumber(size, box, FormId::CaptionCols, "Image cols", kSmallDigits);
  size->addStretch();
  column->addLayout(size);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(kSpacing);
  auto* left = new QVBoxLayout;
  left->setSpacing(kSpacing);
  QGroupBox* logo = b_.Group(box, "Logo");
  auto* logoGrid = Compact(new QGridLayout(logo));
  c_.PrintLogo = b_.Check(logo, FormId::PrintLogo, "Print logo");
  c_.SingleLogo = b_.Check(logo, FormId::SingleLogo, "Single logo");
  c_.LogoLeft = b_.Check(logo, FormId::LogoLeft, "Logo on left");
  c_.LogoTop = b_.Check(logo, FormId::LogoTop, "Logo on top");
  logoGrid->addWidget(c_.PrintLogo, 0, 0);
  logoGrid->addWidget(c_.SingleLogo, 0, 1);
  logoGrid->addWidget(c_.LogoLeft, 1, 0);
  logoGrid->addWidget(c_.LogoTop, 1, 1);
  auto* tolerance = new QHBoxLayout;
  tolerance->setSpacing(kSpacing);
  c_.LogoTransparencyTolerance = AddNumber(tolerance, logo, FormId::LogoTransparencyTolerance,
                                           "Transparency tolerance", kSmallDigits);
  tolerance->addStretch();
  logoGrid->addLayout(tolerance, 2, 0, 1, 2);
  left->addWidget(logo);

  QGroupBox* fonts = b_.Group(box, "Fonts");
  auto* fontRow = Compact(new QHBoxLayout(fonts));
  for (int i = 0; i < 4; ++i) {
    c_.CaptionFonts[i] = b_.Button(fonts, FormId::CaptionFonts[i], QString("Line %1").arg(i + 1));
    fontRow->addWidget(c_.CaptionFonts[i]);
  }
  left->addWidget(fonts);
  columns->addLayout(left, 1);

  QGroupBox* position = b_.Group(box, "Caption Posit'n");
  c_.CaptionPosition = b_.PositionGrid(position, FormId::CaptionPositions);
  auto* right = new QVBoxLayout;
  right->addWidget(position);
  right->addStretch();
  columns->addLayout(right);
  column->addLayout(columns);

  auto* count = new QHBoxLayout;
  count->setSpacing(kSpacing);
  c_.NumCaptionLines = AddNumber(count, box, FormId::NumCaptionLines, "Number of lines", 1);
  count->addStretch();
  column->addLayout(count);
  c_.CaptionAbove =
      b_.Check(box, FormId::CaptionAbove, "On overlap print caption above the main image");
  column->addWidget(c_.CaptionAbove);
  return box;
}

}  // namespace

FormControls FormControls::Build(QWidget* parent) {
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

QWidget* FormControls::ById(int id) const {
  auto found = byId_.find(id);
  return found != byId_.end() ? found->second : nullptr;
}

int FormControls::IdOf(const QWidget* control) {
  return control != nullptr ? control->property(kIdProperty).toInt() : 0;
}

void FormControls::Register(int id, QWidget* control) {
  control->setProperty(kIdProperty, id);
  byId_[id] = control;
}
