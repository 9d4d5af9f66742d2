#include <gtest/gtest.h>

#include <string>

#include "LayoutSamples.h"
#include "layout/LayoutVersion.h"
#include "layout/Montage.h"
#include "records/Archive.h"
#include "records/ArchiveException.h"
#include "support/Raised.h"

namespace {

void WriteFont(Archive& archive, const FontDetails& font, bool withRecordId) {
  if (withRecordId) archive.WriteInt(font.RecordId);
  archive.WriteString(font.FontColour);
  archive.WriteString(font.FontName);
  archive.WriteUnsigned(font.FontPoint);
  archive.WriteFlag(font.FontBold);
  archive.WriteFlag(font.FontItalic);
}

// The archive form of an older version, written out field by field in the record store's order.
std::string OldArchive(const Montage& layout, bool backgroundText, bool captionText, bool tolerance,
                       bool recordIds = false) {
  Archive archive;
  if (recordIds) archive.WriteInt(layout.RecordId);
  archive.WriteUnsigned(layout.CropHeight);
  archive.WriteUnsigned(layout.CropWidth);
  archive.WriteUnsigned(layout.MainImageMultiple);
  archive.WriteFlag(layout.PrintNames);
  archive.WriteUnsigned(layout.ImageMargin);
  archive.WriteInt(layout.MainImagePosition);
  archive.WriteString(layout.OuterMarginColour);
  archive.WriteString(layout.InnerFrameColour);
  archive.WriteString(layout.OuterFrameColour);
  archive.WriteUnsigned(layout.OuterMargin);
  archive.WriteUnsigned(layout.InnerFrame);
  archive.WriteUnsigned(layout.OuterFrame);
  archive.WriteFlag(layout.OuterMargin3d);
  archive.WriteFlag(layout.InnerFrame3d);
  archive.WriteFlag(layout.OuterFrame3d);
  archive.WriteFlag(layout.PrintNamesFirstLast);
  archive.WriteFlag(layout.SortFirstName);
  archive.WriteFlag(layout.PrintNames2Lines);
  WriteFont(archive, layout.NameFont, recordIds);
  WriteFont(archive, layout.MainNameFont, recordIds);
  archive.WriteFlag(layout.Portrait);
  archive.WriteInt(layout.BackgroundType);
  archive.WriteString(layout.BackgroundColour);
  if (backgroundText) archive.WriteString("old background");
  archive.WriteFlag(layout.BackgroundOverwrite);
  archive.WriteUnsigned(layout.DropShadowWidth);
  archive.WriteFlag(layout.DropShadowRight);
  archive.WriteUnsigned(layout.DropShadowDepth);
  archive.WriteFlag(layout.PrintLogo);
  archive.WriteFlag(layout.SingleLogo);
  archive.WriteFlag(layout.LogoLeft);
  archive.WriteFlag(layout.LogoTop);
  archive.WriteUnsigned(layout.NumCaptionLines);
  for (const FontDetails& font : layout.CaptionFonts) WriteFont(archive, font, recordIds);
  archive.WriteInt(layout.CaptionPosition);
  archive.WriteFlag(layout.CaptionAbove);
  archive.WriteUnsigned(layout.CaptionRows);
  archive.WriteUnsigned(layout.CaptionCols);
  if (captionText) archive.WriteString("old caption");
  if (tolerance) archive.WriteUnsigned(layout.LogoTransparencyTolerance);
  return archive.Bytes();
}

TEST(LayoutArchiveTest, RoundTripsExactlyAfterACurrentLayoutFileWasRead) {
  NoteLayoutVersionRead(LayoutFileVersion);
  Montage layout = EveryFieldChanged();
  layout.RecordId = 77;
  layout.CaptionFonts[1].RecordId = 5;
  Archive stored;
  layout.WriteArchive(stored);
  EXPECT_EQ(stored.Bytes().substr(0, 8), std::string("\x4D\0\0\0\x0B\0\0\0", 8));

  Archive loading(stored.Bytes());
  Montage read;
  read.MarkAllModified();
  read.ReadArchive(loading);
  EXPECT_EQ(loading.Remaining(), 0u);
  EXPECT_EQ(TextOf(read), TextOf(layout));
  EXPECT_EQ(read.RecordId, 77);
  EXPECT_EQ(read.CaptionFonts[1].RecordId, 5);
  EXPECT_TRUE(read.ModifiedMask.Empty());
}

TEST(LayoutArchiveTest, BeforeAnyLayoutFileTheCurrentFormIsReadOutOfStep) {
  // With version 0 the reader takes no record identity, so the identity lands in CropHeight.
  NoteLayoutVersionRead(0);
  Montage layout;
  layout.RecordId = 1234;
  Archive stored;
  layout.WriteArchive(stored);
  Archive loading(stored.Bytes());
  Montage read;
  try {
    read.ReadArchive(loading);
    EXPECT_EQ(read.CropHeight, 1234u);
    EXPECT_NE(TextOf(read), TextOf(layout));
  } catch (const ArchiveException& error) {
    EXPECT_EQ(error.GetKind(), ArchiveException::Kind::EndOfFile);
    EXPECT_EQ(TextOf(read), TextOf(Montage()));
  }
}

TEST(LayoutArchiveTest, OlderVersionsReadTheirOwnForms) {
  // Each threshold at its own number and a step to either side: the background text below
  // 1.891, the caption text above 0.08 and below 1.891, the tolerance above 0.09 and the record
  // identities of the layout and its fonts above 2.2.
  Montage layout = EveryFieldChanged();
  layout.RecordId = 77;
  layout.CaptionFonts[3].RecordId = 6;
  struct Case {
    double version;
    bool backgroundText, captionText, tolerance, recordIds;
  };
  for (const Case& c :
       {Case{0, true, false, false, false}, Case{0.08, true, false, false, false},
        Case{0.0801, true, true, false, false}, Case{0.085, true, true, false, false},
        Case{0.09, true, true, false, false}, Case{0.0901, true, true, true, false},
        Case{1.5, true, true, true, false}, Case{1.8909, true, true, true, false},
        Case{1.891, false, false, true, false}, Case{2.0, false, false, true, false},
        Case{2.1999, false, false, true, false}, Case{2.2, false, false, true, false},
        Case{2.2001, false, false, true, true}, Case{2.453, false, false, true, true}}) {
    NoteLayoutVersionRead(c.version);
    Archive loading(OldArchive(layout, c.backgroundText, c.captionText, c.tolerance, c.recordIds));
    Montage read;
    read.LogoTransparencyTolerance = 99;
    read.ReadArchive(loading);
    Montage expected = layout;
    if (!c.tolerance) expected.LogoTransparencyTolerance = 99;
    EXPECT_EQ(TextOf(read), TextOf(expected)) << c.version;
    EXPECT_EQ(read.RecordId, c.recordIds ? 77 : 0) << c.version;
    EXPECT_EQ(read.CaptionFonts[3].RecordId, c.recordIds ? 6 : 0) << c.version;
    EXPECT_EQ(loading.Remaining(), 0u) << c.version;
  }
}

TEST(LayoutArchiveTest, AnArchiveThatEndsPartWayLeavesTheLayoutAsItWas) {
  NoteLayoutVersionRead(LayoutFileVersion);
  Archive stored;
  EveryFieldChanged().WriteArchive(stored);
  Archive loading(stored.Bytes().substr(0, stored.Bytes().size() - 3));
  Montage read;
  EXPECT_EQ(Raised<ArchiveException>([&] { read.ReadArchive(loading); }).GetKind(),
            ArchiveException::Kind::EndOfFile);
  EXPECT_EQ(TextOf(read), TextOf(Montage()));
}

TEST(LayoutArchiveTest, WritingIntoALoadingArchiveIsRefused) {
  Archive loading(std::string(4, '\0'));
  EXPECT_EQ(Raised<ArchiveException>([&] { Montage().WriteArchive(loading); }).GetKind(),
            ArchiveException::Kind::ReadOnly);
}

}  // namespace
