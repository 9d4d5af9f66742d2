#include "FormTestSupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <tuple>

#include "support/LayoutText.h"

const std::vector<int>& TabOrderOfTheForm() {
  static const std::vector<int> order = {
      // Top row.
      1016, 1024, 1097, 1010, 1011, 1012, 1013, 1009,
      // Preview Settings, with Sample Images and Sample Caption Lines.
      1001, 1004, 1005, 1003, 1006, 1017, 1060, 1066, 1091, 1094, 1095, 1096, 1007, 1008, 1041,
      1092, 1086, 1088, 1089, 1090,
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

FormDraft SampleDraft() {
  FormDraft d;
  d.Paper = {5, 1234, 4294967295u};
  PreviewSettings& s = d.Settings;
  s.SampleImagePath = "/photos/Schüler 5ä/portrait.jpg";
  s.BackgroundImage = "/photos/backdrop.jpeg";
  s.LogoImage = "crest.jpg";
  s.ClassListPath = "/photos/Klasse 5ä/class, \"final\".csv";
  s.SamplePortrait = true;
  s.NumImages = 9999;
  s.SampleCaptionText = {"Class 5A", "Mrs Ng — 2024", "  spaced  ", "Line \"four\""};
  Montage& m = d.Layout;
  m.OuterMargin = 50;
  m.OuterMarginColour = "123456";
  m.OuterMargin3d = true;
  m.Portrait = true;
  m.BackgroundType = 2;
  m.BackgroundColour = "FE0180";
  m.BackgroundOverwrite = true;
  m.CropHeight = 100;
  m.CropWidth = 1;
  m.MainImageMultiple = 10;
  m.ImageMargin = 50;
  m.DropShadowWidth = 49;
  m.DropShadowDepth = 20;
  m.DropShadowRight = true;
  m.InnerFrame = 7;
  m.InnerFrameColour = "AAAAAB";
  m.InnerFrame3d = true;
  m.OuterFrame = 16;
  m.OuterFrameColour = "010203";
  m.OuterFrame3d = true;
  m.MainImagePosition = 8;
  m.PrintNames = true;
  m.PrintNames2Lines = true;
  m.PrintNamesFirstLast = true;
  m.SortFirstName = true;
  m.CaptionRows = 50;
  m.CaptionCols = 3;
  m.PrintLogo = true;
  m.SingleLogo = true;
  m.LogoLeft = true;
  m.LogoTop = true;
  m.LogoTransparencyTolerance = 500;
  m.CaptionPosition = 6;
  m.NumCaptionLines = 3;
  m.CaptionAbove = true;
  return d;
}

bool SameShown(const FormDraft& a, const FormDraft& b) {
  const auto shown = [](const PreviewSettings& s) {
    return std::tie(s.SampleImagePath, s.BackgroundImage, s.LogoImage, s.ClassListPath,
                    s.SamplePortrait, s.NumImages, s.SampleCaptionText);
  };
  return TextOf(a.Layout) == TextOf(b.Layout) && a.Paper == b.Paper &&
         shown(a.Settings) == shown(b.Settings);
}
