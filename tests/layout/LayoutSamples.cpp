#include "LayoutSamples.h"

Montage EveryFieldChanged() {
  Montage layout;
  layout.CropHeight = 11;
  layout.CropWidth = 9;
  layout.MainImageMultiple = 3;
  layout.PrintNames = true;
  layout.ImageMargin = 12;
  layout.MainImagePosition = 7;
  layout.OuterMarginColour = "010203";
  layout.InnerFrameColour = "040506";
  layout.OuterFrameColour = "070809";
  layout.OuterMargin = 25;
  layout.InnerFrame = 13;
  layout.OuterFrame = 16;
  layout.OuterMargin3d = true;
  layout.InnerFrame3d = false;
  layout.OuterFrame3d = false;
  layout.PrintNamesFirstLast = false;
  layout.SortFirstName = false;
  layout.PrintNames2Lines = true;
  layout.NameFont = FontDetails("112233", "Courier", 90, true, true);
  layout.MainNameFont = FontDetails("445566", "Times", 120, true, false);
  layout.Portrait = true;
  layout.BackgroundType = 2;
  layout.BackgroundColour = "0A0B0C";
  layout.BackgroundOverwrite = true;
  layout.DropShadowWidth = 5;
  layout.DropShadowRight = false;
  layout.DropShadowDepth = 17;
  layout.PrintLogo = false;
  layout.SingleLogo = true;
  layout.LogoLeft = false;
  layout.LogoTop = true;
  layout.NumCaptionLines = 3;
  layout.CaptionFonts = {
      FontDetails("778899", "Helvetica", 400, false, true),
      FontDetails("AABBCC", "Verdana", 300, true, false),
      FontDetails("DDEEFF", "Georgia", 200, true, true),
      FontDetails("123456", "Tahoma", 150, false, true),
  };
  layout.CaptionPosition = 1;
  layout.CaptionAbove = true;
  layout.CaptionRows = 2;
  layout.CaptionCols = 6;
  layout.LogoTransparencyTolerance = 40;
  return layout;
}
