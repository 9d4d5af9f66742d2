#pragma once

#include <array>
#include <map>

class ColourSwatch;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Every control of the layout form, as typed pointers owned by the widget they were built in.
// A radio group is a QButtonGroup whose button ids are the values the group stands for; each
// button, like every other control, also carries its control id (see FormControlIds.h).
struct FormControls {
  // Builds every control inside parent, which must have no layout yet, group by group from top
  // to bottom in tab order, with captions, tooltips and accessible names.
  static FormControls Build(QWidget* parent);

  // The control with the id (a radio button for a group's button ids), or nullptr.
  QWidget* ById(int id) const;
  // The id of a control of the form, or 0 for any other widget.
  static int IdOf(const QWidget* control);
  // Gives the control its id; used while building.
  void Register(int id, QWidget* control);

  QPushButton* Update = nullptr;
  QPushButton* Print = nullptr;
  QPushButton* New = nullptr;
  QPushButton* Open = nullptr;
  QPushButton* Save = nullptr;
  QPushButton* SaveAs = nullptr;
  QComboBox* RecentFiles = nullptr;

  QComboBox* Paper = nullptr;
  QLineEdit* PaperHeight = nullptr;
  QLineEdit* PaperWidth = nullptr;
  QLineEdit* SampleImagePath = nullptr;
  QPushButton* BrowseSampleImage = nullptr;
  QLineEdit* BackgroundImage = nullptr;
  QPushButton* BrowseBackground = nullptr;
  QLineEdit* LogoImage = nullptr;
  QPushButton* BrowseLogo = nullptr;
  QLineEdit* ClassListPath = nullptr;
  QPushButton* BrowseClassList = nullptr;
  QCheckBox* SamplePortrait = nullptr;
  QLineEdit* NumImages = nullptr;
  QPushButton* Test = nullptr;
  QPushButton* Stop = nullptr;
  // Shown while the preview draws a class list, whose size then decides the number of images.
  QLabel* ClassListInUse = nullptr;
  std::array<QLineEdit*, 4> SampleCaptionText{};

  QLineEdit* OuterMargin = nullptr;
  QPushButton* OuterMarginColourButton = nullptr;
  ColourSwatch* OuterMarginColour = nullptr;
  QCheckBox* OuterMargin3d = nullptr;
  QCheckBox* Portrait = nullptr;

  QButtonGroup* BackgroundType = nullptr;
  QPushButton* BackgroundColourButton = nullptr;
  ColourSwatch* BackgroundColour = nullptr;
  QCheckBox* BackgroundOverwrite = nullptr;

  QLineEdit* CropHeight = nullptr;
  QLineEdit* CropWidth = nullptr;
  QLineEdit* MainImageMultiple = nullptr;
  QLineEdit* ImageMargin = nullptr;
  QLineEdit* DropShadowWidth = nullptr;
  QLineEdit* DropShadowDepth = nullptr;
  QButtonGroup* DropShadowRight = nullptr;
  QLineEdit* InnerFrame = nullptr;
  QPushButton* InnerFrameColourButton = nullptr;
  ColourSwatch* InnerFrameColour = nullptr;
  QCheckBox* InnerFrame3d = nullptr;
  QLineEdit* OuterFrame = nullptr;
  QPushButton* OuterFrameColourButton = nullptr;
  ColourSwatch* OuterFrameColour = nullptr;
  QCheckBox* OuterFrame3d = nullptr;
  QButtonGroup* MainImagePosition = nullptr;

  QCheckBox* PrintNames = nullptr;
  QCheckBox* PrintNames2Lines = nullptr;
  QButtonGroup* PrintNamesFirstLast = nullptr;
  QButtonGroup* SortFirstName = nullptr;
  QPushButton* NameFont = nullptr;
  QPushButton* MainNameFont = nullptr;

  QLineEdit* CaptionRows = nullptr;
  QLineEdit* CaptionCols = nullptr;
  QCheckBox* PrintLogo = nullptr;
  QCheckBox* SingleLogo = nullptr;
  QCheckBox* LogoLeft = nullptr;
  QCheckBox* LogoTop = nullptr;
  QLineEdit* LogoTransparencyTolerance = nullptr;
  std::array<QPushButton*, 4> CaptionFonts{};
  QButtonGroup* CaptionPosition = nullptr;
  QLineEdit* NumCaptionLines = nullptr;
  QCheckBox* CaptionAbove = nullptr;

 private:
  std::map<int, QWidget*> byId_;
};
