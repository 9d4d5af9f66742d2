#include "FormTestSupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>

const std::vector<int>& TabOrderOfTheTables() {
  static const std::vector<int> order = {
      // Top row.
      1016, 1024, 1010, 1011, 1012, 1013, 1009,
      // Preview Settings, with Sample Images and Sample Caption Lines.
      1001, 1004, 1005, 1003, 1006, 1017, 1060, 1066, 1091, 1094, 1095, 1007, 1008, 1041, 1092,
      1086, 1088, 1089, 1090,
      // General (the swatch takes no focus).
      1032, 1033, 1043, 1002,
      // Background.
      1054, 1056, 1055, 1058, 1057,
      // Image, with Drop Shadow, Frame and Main Position.
      1014, 1015, 1018, 1021, 1061, 1062, 1064, 1065, 1035, 1036, 1045, 1038, 1039, 1044, 1022,
      1023, 1025, 1026, 1027, 1028, 1029, 1030, 1031,
      // Names.
      1046, 1053, 1047, 1048, 1049, 1050, 1051, 1052,
      // Captions, with Logo, Fonts and Caption Posit'n.
      1084, 1087, 1068, 1067, 1069, 1070, 1093, 1072, 1073, 1074, 1075, 1063, 1076, 1077, 1078,
      1079, 1080, 1081, 1082, 1083, 1071, 1085};
  return order;
}

QLabel* LabelFor(const QWidget& window, const QWidget* control) {
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->buddy() == control) return label;
  }
  return nullptr;
}

QString AccessibleName(QWidget* widget) {
  if (qobject_cast<QComboBox*>(widget) != nullptr) return widget->accessibleName();
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

bool LabelledBy(QWidget* control, QWidget* label) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  QAccessibleInterface* labelAccessible = QAccessible::queryAccessibleInterface(label);
  if (accessible == nullptr || labelAccessible == nullptr) return false;
  for (const auto& [other, relation] : accessible->relations(QAccessible::Label)) {
    if (other == labelAccessible) return true;
  }
  return false;
}

FormValues SampleValues() {
  FormValues v;
  v.RecentFile = "";
  v.PaperRow = 5;
  v.PaperHeight = 1234;
  v.PaperWidth = 4294967295u;
  v.SampleImagePath = "/photos/Schüler 5ä/portrait.jpg";
  v.BackgroundImage = "/photos/backdrop.jpeg";
  v.LogoImage = "crest.jpg";
  v.ClassListPath = "/photos/Klasse 5ä/class, \"final\".csv";
  v.SamplePortrait = true;
  v.NumImages = 9999;
  v.SampleCaptionText = {"Class 5A", "Mrs Ng — 2024", "  spaced  ", "Line \"four\""};
  v.OuterMargin = 50;
  v.OuterMarginColour = MakeColourRef(0x12, 0x34, 0x56);
  v.OuterMargin3d = true;
  v.Portrait = true;
  v.BackgroundType = 2;
  v.BackgroundColour = MakeColourRef(0xFE, 0x01, 0x80);
  v.BackgroundOverwrite = true;
  v.CropHeight = 100;
  v.CropWidth = 1;
  v.MainImageMultiple = 10;
  v.ImageMargin = 50;
  v.DropShadowWidth = 49;
  v.DropShadowDepth = 20;
  v.DropShadowRight = true;
  v.InnerFrame = 7;
  v.InnerFrameColour = MakeColourRef(0xAA, 0xAA, 0xAB);
  v.InnerFrame3d = true;
  v.OuterFrame = 15;
  v.OuterFrameColour = MakeColourRef(1, 2, 3);
  v.OuterFrame3d = true;
  v.MainImagePosition = 8;
  v.PrintNames = true;
  v.PrintNames2Lines = true;
  v.PrintNamesFirstLast = true;
  v.SortFirstName = true;
  v.CaptionRows = 50;
  v.CaptionCols = 3;
  v.PrintLogo = true;
  v.SingleLogo = true;
  v.LogoLeft = true;
  v.LogoTop = true;
  v.LogoTransparencyTolerance = 500;
  v.CaptionPosition = 6;
  v.NumCaptionLines = 4;
  v.CaptionAbove = true;
  return v;
}
