#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "layout/FontDetails.h"
#include "layout/LayoutReadResult.h"
#include "records/Archivable.h"
#include "records/DatabaseRecord.h"

// The nine places of a three-by-three grid, 0 top left to 8 bottom right; value mod 3 is the
// horizontal part and value div 3 the vertical part.
enum Position : std::int32_t {
  TopLeft = 0,
  TopCentre = 1,
  TopRight = 2,
  MiddleLeft = 3,
  MiddleCentre = 4,
  MiddleRight = 5,
  BottomLeft = 6,
  BottomCentre = 7,
  BottomRight = 8,
};

// A composite layout: the parameters that say how any group on any paper becomes one print.
// Lengths are tenths of a millimetre, percentages whole numbers, point sizes tenths of a point,
// colours six hexadecimal digits (red, green, blue). Fields are named as the layout file's keys.
class Montage : public Archivable, public DatabaseRecord {
 public:
  Montage() = default;

  // Writes the layout file: the signature line, then every parameter as a key,value line.
  void WriteText(std::ostream& stream) const;
  // Fills the layout from a layout file, by position. A stream that is not a layout file, or
  // that a later version wrote, is refused (NotALayout, LaterVersion) and leaves the layout
  // untouched.
  LayoutReadResult ReadText(std::istream& stream);

  // The record archive form; the reader follows the version of the last layout file read.
  Archive& WriteArchive(Archive& archive) const override;
  Archive& ReadArchive(Archive& archive) override;

  std::string Description() const override;
  void MarkAllModified() override;
  // The layout's 35 scalar fields; the fonts are records of their own.
  void WriteFields(bool onlyModified, std::ostream& stream, bool writeEndTag) override;
  // Reads the scalar fields (kind 2) or one of the fonts (kind 0) from the tagged stream.
  int ReadFields(std::istream& stream) override;
  // Copies the 35 scalar fields, not the identity, marks or fonts.
  DatabaseRecord* Clone(DatabaseRecord& target) const override;
  std::unique_ptr<DatabaseRecord> Clone() const override;
  // Calls a MontageHandler's operation for layouts.
  bool Dispatch(Handler& handler) override;

  std::uint32_t CropHeight = 10;
  std::uint32_t CropWidth = 8;
  std::uint32_t MainImageMultiple = 2;
  bool PrintNames = false;
  std::uint32_t ImageMargin = 10;
  std::int32_t MainImagePosition = MiddleCentre;
  std::string OuterMarginColour = "FFFFFF";
  std::string InnerFrameColour = "AAAAAA";
  std::string OuterFrameColour = "000000";
  std::uint32_t OuterMargin = 0;
  std::uint32_t InnerFrame = 10;
  std::uint32_t OuterFrame = 15;
  bool OuterMargin3d = false;
  bool InnerFrame3d = true;
  bool OuterFrame3d = true;
  bool PrintNamesFirstLast = true;
  bool SortFirstName = true;
  bool PrintNames2Lines = false;
  FontDetails NameFont;
  FontDetails MainNameFont;
  bool Portrait = false;
  std::int32_t BackgroundType = 1;
  std::string BackgroundColour = "FFFFFF";
  bool BackgroundOverwrite = false;
  std::uint32_t DropShadowWidth = 0;
  bool DropShadowRight = true;
  std::uint32_t DropShadowDepth = 10;
  bool PrintLogo = true;
  bool SingleLogo = false;
  bool LogoLeft = true;
  bool LogoTop = false;
  std::uint32_t NumCaptionLines = 4;
  std::array<FontDetails, 4> CaptionFonts{
      FontDetails("000000", "Arial", 480, false, false),
      FontDetails("000000", "Arial", 360, false, false),
      FontDetails("000000", "Arial", 240, false, false),
      FontDetails("000000", "Arial", 180, false, false),
  };
  std::int32_t CaptionPosition = MiddleCentre;
  bool CaptionAbove = false;
  std::uint32_t CaptionRows = 1;
  std::uint32_t CaptionCols = 4;
  std::uint32_t LogoTransparencyTolerance = 15;
};
