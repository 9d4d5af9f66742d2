#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <set>
#include <string>

#include "FormTestSupport.h"
#include "shell/form/ColourSwatch.h"
#include "shell/form/FormControlIds.h"

namespace {

std::string Text(const QString& text) { return text.toStdString(); }

// Every widget of the form, controls, labels and group boxes alike.
QList<QWidget*> AllWidgets(const BuiltForm& form) { return form.Window.findChildren<QWidget*>(); }

// The controls that the Tab key visits, in the order it visits them.
std::vector<int> TabChain(const BuiltForm& form) {
  std::vector<int> ids;
  QWidget* start = form.Controls.ById(FormId::Update);
  QWidget* widget = start;
  do {
    if ((widget->focusPolicy() & Qt::TabFocus) && FormControls::IdOf(widget) != 0) {
      ids.push_back(FormControls::IdOf(widget));
    }
    widget = widget->nextInFocusChain();
  } while (widget != start && ids.size() < 1000);
  return ids;
}

class FormControlsTest : public testing::Test {
 protected:
  BuiltForm form_;
  const FormControls& c_ = form_.Controls;
};

TEST_F(FormControlsTest, EveryIdFindsItsControlAndBack) {
  for (int id : TabOrderOfTheForm()) {
    QWidget* control = c_.ById(id);
    ASSERT_NE(control, nullptr) << id;
    EXPECT_EQ(FormControls::IdOf(control), id);
  }
  for (int id : {1034, 1037, 1040, 1059, 1042, 1020}) {
    ASSERT_NE(c_.ById(id), nullptr) << id;
    EXPECT_EQ(FormControls::IdOf(c_.ById(id)), id);
  }
  EXPECT_EQ(c_.ById(1000), nullptr);
  EXPECT_EQ(c_.ById(1019), nullptr);
  EXPECT_EQ(FormControls::IdOf(LabelFor(form_.Window, c_.ById(FormId::NumImages))), 0);
  EXPECT_EQ(FormControls::IdOf(nullptr), 0);
}

// The value each radio button of a group stands for, by control id.
using GroupCase = std::vector<std::pair<int, int>>;

TEST_F(FormControlsTest, RadioGroupsHoldTheValuesOfTheirFields) {
  const GroupCase cases[] = {
      {{1054, 0}, {1056, 1}, {1055, 2}},
      {{1064, 0}, {1065, 1}},
      {{1047, 1}, {1048, 0}},
      {{1049, 1}, {1050, 0}},
      {{1022, 0},
       {1023, 1},
       {1025, 2},
       {1026, 3},
       {1027, 4},
       {1028, 5},
       {1029, 6},
       {1030, 7},
       {1031, 8}},
      {{1063, 0},
       {1076, 1},
       {1077, 2},
       {1078, 3},
       {1079, 4},
       {1080, 5},
       {1081, 6},
       {1082, 7},
       {1083, 8}},
  };
  for (const GroupCase& group : cases) {
    QButtonGroup* buttons = c_.Get<QRadioButton>(group.front().first)->group();
    ASSERT_NE(buttons, nullptr);
    EXPECT_TRUE(buttons->exclusive());
    ASSERT_EQ(buttons->buttons().size(), static_cast<int>(group.size()));
    for (auto [id, value] : group) {
      auto* button = qobject_cast<QRadioButton*>(c_.ById(id));
      ASSERT_NE(button, nullptr) << id;
      EXPECT_EQ(buttons->id(button), value) << id;
    }
  }
}

TEST_F(FormControlsTest, ButtonsAndBoxesShowTheirCaptionsAndAreNamedByThem) {
  const std::pair<int, const char*> captions[] = {
      {1016, "Update"},
      {1024, "Print"},
      {1010, "New"},
      {1011, "Open"},
      {1012, "Save"},
      {1013, "Save As"},
      {1006, "..."},
      {1060, "..."},
      {1091, "..."},
      {1095, "..."},
      {1007, "Portrait"},
      {1041, "Test"},
      {1092, "Stop"},
      {1033, "Colour"},
      {1043, "3D"},
      {1002, "Orient paper portrait"},
      {1054, "None"},
      {1056, "Image"},
      {1055, "Colour"},
      {1058, "Colour"},
      {1057, "Background overwrites outer margin"},
      {1064, "L"},
      {1065, "R"},
      {1036, "Colour"},
      {1045, "3D"},
      {1039, "Colour"},
      {1044, "3D"},
      {1046, "Print names (if available)"},
      {1053, "Print first and last name on separate lines"},
      {1047, "First name, last name"},
      {1048, "Last name, first name"},
      {1049, "First name, last name"},
      {1050, "Last name, first name"},
      {1051, "Small Font"},
      {1052, "Main Font"},
      {1068, "Print logo"},
      {1067, "Single logo"},
      {1069, "Logo on left"},
      {1070, "Logo on top"},
      {1072, "Line 1"},
      {1073, "Line 2"},
      {1074, "Line 3"},
      {1075, "Line 4"},
      {1085, "On overlap print caption above the main image"},
  };
  for (auto [id, caption] : captions) {
    auto* button = qobject_cast<QAbstractButton*>(c_.ById(id));
    ASSERT_NE(button, nullptr) << id;
    EXPECT_EQ(Text(button->text()), caption) << id;
    EXPECT_EQ(Text(AccessibleName(button)), caption) << id;
  }
  for (int id : FormId::MainPositions) {
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(c_.ById(id))->text().isEmpty()) << id;
  }
}

TEST_F(FormControlsTest, FieldsHaveTheirLabelsAsBuddiesAndNames) {
  const std::pair<int, const char*> labels[] = {
      {1001, "Paper"},
      {1004, "Height"},
      {1005, "Width"},
      {1003, "Subject"},
      {1017, "Backgr'd"},
      {1066, "Logo"},
      {1094, "Class list"},
      {1008, "Number of images (including main image)"},
      {1086, "Line 1"},
      {1088, "Line 2"},
      {1089, "Line 3"},
      {1090, "Line 4"},
      {1032, "Outer Margin"},
      {1014, "Proport'n"},
      {1015, "X"},
      {1018, "Main image size"},
      {1021, "Image Margin"},
      {1061, "Width"},
      {1062, "Shade"},
      {1035, "Inner"},
      {1038, "Outer"},
      {1084, "Image rows"},
      {1087, "Image cols"},
      {1093, "Transparency tolerance"},
      {1071, "Number of lines"},
  };
  for (auto [id, text] : labels) {
    QWidget* control = c_.ById(id);
    QLabel* label = LabelFor(form_.Window, control);
    ASSERT_NE(label, nullptr) << id;
    EXPECT_EQ(Text(label->text()), text) << id;
    EXPECT_EQ(Text(control->accessibleName()), text) << id;
    EXPECT_EQ(Text(AccessibleName(control)), text) << id;
    EXPECT_TRUE(LabelledBy(control, label)) << id;
  }
}

TEST_F(FormControlsTest, StaticTextsAndGroupsAreShown) {
  std::multiset<std::string> texts;
  for (QLabel* label : form_.Window.findChildren<QLabel*>()) texts.insert(Text(label->text()));
  const std::pair<const char*, std::size_t> expected[] = {
      {"Units are 1/10 mm. 254x1/10mm = 1 inch", 1},
      {"The preview settings are not part of the layout; they are only there to assist you to see "
       "what the layout will look like with different paper sizes or group sizes etc.",
       1},
      {"inches", 1},
      {"%", 2},
      {"Print", 1},
      {"Sort", 1},
      {"A class list is in use: its size, not this number, sets the number of images. The "
       "automatic test uses the sample images.",
       1},
  };
  for (auto [text, count] : expected) EXPECT_EQ(texts.count(text), count) << text;
  std::vector<std::string> groups;
  for (QGroupBox* box : form_.Window.findChildren<QGroupBox*>()) {
    groups.push_back(Text(box->title()));
  }
  // findChildren lists in creation order, which is the order from top to bottom.
  EXPECT_EQ(groups, (std::vector<std::string>{
                        "Preview Settings", "Sample Images", "Sample Caption Lines", "General",
                        "Background", "Image", "Drop Shadow", "Frame", "Main Position", "Names",
                        "Captions", "Logo", "Fonts", "Caption Posit'n"}));
  EXPECT_EQ(qobject_cast<QGroupBox*>(c_.ById(1042))->title(), "Preview Settings");
  EXPECT_EQ(qobject_cast<QGroupBox*>(c_.ById(1020))->title(), "Image");
}

TEST_F(FormControlsTest, PaperListHoldsThePresetsThenCustom) {
  const QComboBox* paper = c_.Get<QComboBox>(FormId::Paper);
  QStringList items;
  for (int i = 0; i < paper->count(); ++i) items << paper->itemText(i);
  EXPECT_EQ(items, (QStringList{"7x5", "8x6", "9x6", "10x7", "10x8", "Custom"}));
  EXPECT_FALSE(paper->isEditable());
  EXPECT_FALSE(c_.Get<QComboBox>(FormId::RecentFiles)->isEditable());
}

TEST_F(FormControlsTest, TheClassListSitsWithTheSamplePicturesAndItsNoteStartsHidden) {
  auto* samples = qobject_cast<QGroupBox*>(c_.ById(FormId::ClassListPath)->parentWidget());
  ASSERT_NE(samples, nullptr);
  EXPECT_EQ(samples->title(), "Sample Images");
  EXPECT_EQ(c_.ById(FormId::BrowseClassList)->parentWidget(), samples);
  EXPECT_TRUE(c_.ClassListInUse->isHidden());
  EXPECT_EQ(c_.ClassListInUse->parentWidget(), c_.ById(FormId::PreviewSettingsGroup));
}

TEST_F(FormControlsTest, OnlyThePaperSizeStartsReadOnly) {
  for (QLineEdit* edit : form_.Window.findChildren<QLineEdit*>()) {
    const int id = FormControls::IdOf(edit);
    EXPECT_EQ(edit->isReadOnly(), id == 1004 || id == 1005) << id;
  }
}

TEST_F(FormControlsTest, TooltipsAreThoseOfTheTableExactly) {
  const std::set<int> listed = {
      1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015,
      1016, 1017, 1018, 1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032,
      1033, 1035, 1036, 1038, 1039, 1041, 1043, 1044, 1045, 1046, 1047, 1048, 1049, 1050, 1051,
      1052, 1053, 1054, 1055, 1056, 1057, 1058, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067,
      1068, 1069, 1070, 1071, 1072, 1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082,
      1083, 1084, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1093, 1094, 1095, 1096, 1097};
  std::set<int> shown;
  for (QWidget* widget : AllWidgets(form_)) {
    if (widget->toolTip().isEmpty()) continue;
    const int id = FormControls::IdOf(widget);
    EXPECT_NE(id, 0) << "a widget without id has the tooltip " << Text(widget->toolTip());
    EXPECT_TRUE(shown.insert(id).second) << id;
  }
  EXPECT_EQ(shown, listed);
}

TEST_F(FormControlsTest, TooltipTextsAreWordForWord) {
  const std::pair<int, const char*> tips[] = {
      {1001,
       "Select the paper size for the preview. Note that the layout is not constrained to one "
       "paper size"},
      {1014, "The proportions to crop each image to"},
      {1015, "The proportions to crop each image to"},
      {1021, "Percentage of the image are to leave as a margin between the images"},
      {1041, "Automatic test to check layouts for a range of image counts - highly recommened"},
      {1043, "Give a 3D effect by making the bottom and right edges a little lighter"},
      {1045, "Give a 3D effect by making the bottom and right edges a little lighter"},
      {1055,
       "The background is filled with the specified colour. Tick \"Background overwrites...\" if "
       "you want this to overwrite the outer margin."},
      {1068,
       "Print small a logo (such as the school crest). If selected an logo image file will be "
       "required when Kestrel is run."},
      {1083, "Position captions at bottom right"},
      {1091,
       "Click to browse to and select the a sample image to use for the logo. A sample logo has "
       "been provided in the installation directory."},
      {1093,
       "When printing the logo all pixels matching the top left pixel of the logo image within "
       "this tolerance will be transparent."},
      {1094,
       "The path of a class list (a CSV file with FirstName, LastName, Picture and optionally "
       "Main columns) to preview the layout with a real group instead of the sample images. Leave "
       "empty to use the sample images."},
      {1095, "Click to browse to and select a class list to preview instead of the sample images"},
  };
  for (auto [id, tip] : tips) EXPECT_EQ(Text(c_.ById(id)->toolTip()), tip) << id;
}

TEST_F(FormControlsTest, ControlsWithoutCaptionOrLabelHaveTheirNames) {
  const std::pair<int, const char*> names[] = {
      {1009, "Recent files"},       {1034, "Outer margin colour"}, {1059, "Background colour"},
      {1037, "Inner frame colour"}, {1040, "Outer frame colour"},  {1022, "top left"},
      {1027, "middle centre"},      {1031, "bottom right"},        {1063, "top left"},
      {1080, "middle right"},       {1082, "bottom centre"},
  };
  for (auto [id, name] : names) {
    EXPECT_EQ(Text(c_.ById(id)->accessibleName()), name) << id;
    EXPECT_EQ(Text(AccessibleName(c_.ById(id))), name) << id;
  }
}

TEST_F(FormControlsTest, EveryFocusableWidgetHasANameAndAnId) {
  int focusable = 0;
  for (QWidget* widget : AllWidgets(form_)) {
    // A combo box's drop-down list is a window of its own, reached through the combo box.
    if (!(widget->focusPolicy() & Qt::TabFocus) || widget->window() != &form_.Window) continue;
    ++focusable;
    EXPECT_NE(FormControls::IdOf(widget), 0) << widget->metaObject()->className();
    EXPECT_FALSE(AccessibleName(widget).isEmpty()) << FormControls::IdOf(widget);
    EXPECT_FALSE(AccessibleName(widget).contains('&')) << FormControls::IdOf(widget);
  }
  EXPECT_EQ(focusable, static_cast<int>(TabOrderOfTheForm().size()));
}

TEST_F(FormControlsTest, TabKeyFollowsTheGroupsFromTopToBottom) {
  EXPECT_EQ(TabChain(form_), TabOrderOfTheForm());
}

TEST_F(FormControlsTest, SwatchesTakeNoFocusAndHaveNoTooltip) {
  for (int id : {1034, 1059, 1037, 1040}) {
    const ColourSwatch* swatch = c_.Get<ColourSwatch>(id);
    EXPECT_EQ(swatch->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(swatch->toolTip().isEmpty());
  }
}

}  // namespace
