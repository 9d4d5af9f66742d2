#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/ColourRef.h"

// The values the layout form's controls hold, one member per control, as last exchanged with
// them. Numbers and flags have the types of the layout and preview-setting fields they stand
// for; a radio group holds the value of its chosen button (a position 0 to 8, a background
// type, or the flag a two-button group stands for); colours are the swatches' 24-bit colours.
struct FormValues {
  std::string RecentFile;

  std::int32_t PaperRow = 0;
  std::uint32_t PaperHeight = 0;  // As the form shows it, which follows the page's orientation.
  std::uint32_t PaperWidth = 0;
  std::string SampleImagePath;
  std::string BackgroundImage;
  std::string LogoImage;
  std::string ClassListPath;
  bool SamplePortrait = false;
  std::uint32_t NumImages = 0;
  std::array<std::string, 4> SampleCaptionText;

  std::uint32_t OuterMargin = 0;
  ColourRef OuterMarginColour = 0;
  bool OuterMargin3d = false;
  bool Portrait = false;

  std::int32_t BackgroundType = 0;
  ColourRef BackgroundColour = 0;
  bool BackgroundOverwrite = false;

  std::uint32_t CropHeight = 0;
  std::uint32_t CropWidth = 0;
  std::uint32_t MainImageMultiple = 0;
  std::uint32_t ImageMargin = 0;
  std::uint32_t DropShadowWidth = 0;
  std::uint32_t DropShadowDepth = 0;
  bool DropShadowRight = false;
  std::uint32_t InnerFrame = 0;
  ColourRef InnerFrameColour = 0;
  bool InnerFrame3d = false;
  std::uint32_t OuterFrame = 0;
  ColourRef OuterFrameColour = 0;
  bool OuterFrame3d = false;
  std::int32_t MainImagePosition = 0;

  bool PrintNames = false;
  bool PrintNames2Lines = false;
  bool PrintNamesFirstLast = false;
  bool SortFirstName = false;

  std::uint32_t CaptionRows = 0;
  std::uint32_t CaptionCols = 0;
  bool PrintLogo = false;
  bool SingleLogo = false;
  bool LogoLeft = false;
  bool LogoTop = false;
  std::uint32_t LogoTransparencyTolerance = 0;
  std::int32_t CaptionPosition = 0;
  std::uint32_t NumCaptionLines = 0;
  bool CaptionAbove = false;

  bool operator==(const FormValues&) const = default;
};

// A numeric field of the form: its control, the member it fills and the range it accepts.
struct NumericField {
  int Id;
  std::uint32_t FormValues::*Member;
  std::uint32_t Low;
  std::uint32_t High;
};

// The numeric fields in the order the form reads and checks them; when several are invalid,
// the first of them in this order is the one reported.
std::span<const NumericField> NumericFieldsInReadOrder();
