#pragma once

#include <array>

// The numeric identifiers of the layout form's controls. Tooltips, the validation order and the
// handlers all name a control by its identifier, so they stay fixed once given.
namespace FormId {

enum : int {
  Paper = 1001,
  OrientPortrait = 1002,
  SampleImagePath = 1003,
  PaperHeight = 1004,
  PaperWidth = 1005,
  BrowseSampleImage = 1006,
  SamplePortrait = 1007,
  NumImages = 1008,
  RecentFiles = 1009,
  New = 1010,
  Open = 1011,
  Save = 1012,
  SaveAs = 1013,
  CropHeight = 1014,
  CropWidth = 1015,
  Update = 1016,
  BackgroundImage = 1017,
  MainImageMultiple = 1018,
  ImageGroup = 1020,
  ImageMargin = 1021,
  Print = 1024,
  OuterMargin = 1032,
  OuterMarginColourButton = 1033,
  OuterMarginColour = 1034,
  InnerFrame = 1035,
  InnerFrameColourButton = 1036,
  InnerFrameColour = 1037,
  OuterFrame = 1038,
  OuterFrameColourButton = 1039,
  OuterFrameColour = 1040,
  Test = 1041,
  PreviewSettingsGroup = 1042,
  OuterMargin3d = 1043,
  OuterFrame3d = 1044,
  InnerFrame3d = 1045,
  PrintNames = 1046,
  PrintFirstLast = 1047,
  PrintLastFirst = 1048,
  SortFirstLast = 1049,
  SortLastFirst = 1050,
  NameFont = 1051,
  MainNameFont = 1052,
  PrintNames2Lines = 1053,
  BackgroundNone = 1054,
  BackgroundColourType = 1055,
  BackgroundImageType = 1056,
  BackgroundOverwrite = 1057,
  BackgroundColourButton = 1058,
  BackgroundColour = 1059,
  BrowseBackground = 1060,
  DropShadowWidth = 1061,
  DropShadowDepth = 1062,
  DropShadowLeft = 1064,
  DropShadowRight = 1065,
  LogoImage = 1066,
  SingleLogo = 1067,
  PrintLogo = 1068,
  LogoLeft = 1069,
  LogoTop = 1070,
  NumCaptionLines = 1071,
  CaptionRows = 1084,
  CaptionAbove = 1085,
  SampleCaptionLine1 = 1086,
  CaptionCols = 1087,
  SampleCaptionLine2 = 1088,
  SampleCaptionLine3 = 1089,
  SampleCaptionLine4 = 1090,
  BrowseLogo = 1091,
  Stop = 1092,
  LogoTransparencyTolerance = 1093,
  ClassListPath = 1094,
  BrowseClassList = 1095,
  ClassGroup = 1096,
  Produce = 1097,
};

// The buttons of the two position grids, top left to bottom right, indexed by position value.
inline constexpr std::array<int, 9> MainPositions = {1022, 1023, 1025, 1026, 1027,
                                                     1028, 1029, 1030, 1031};
inline constexpr std::array<int, 9> CaptionPositions = {1063, 1076, 1077, 1078, 1079,
                                                        1080, 1081, 1082, 1083};
inline constexpr std::array<int, 4> SampleCaptionLines = {1086, 1088, 1089, 1090};
inline constexpr std::array<int, 4> CaptionFonts = {1072, 1073, 1074, 1075};

}  // namespace FormId
