#include <gtest/gtest.h>

#include <sstream>

#include "images/ImageAdjustments.h"
#include "images/PortraitImage.h"
#include "records/Archive.h"
#include "records/ArchiveException.h"
#include "roster/PhotoEvent.h"
#include "roster/Subject.h"

namespace {

TEST(ImageAdjustments, NewOnesBalanceColourAndChangeNothing) {
  const ImageAdjustments a;
  EXPECT_TRUE(a.BalancedColour);
  EXPECT_EQ(a, ImageAdjustments(0));
  ImageAdjustments changed;
  changed.BalancedColour = false;
  EXPECT_NE(a, changed);
  EXPECT_EQ(a.QuarterTurns + a.Lightness + a.Red + a.Green + a.Blue + a.Contrast + a.Hue +
                a.Saturation + a.Brightness + a.VerticalShift + a.HorizontalShift + a.Zoom,
            0);
  EXPECT_FALSE(a.UseExifOrientation);
}

TEST(ImageAdjustments, ArchiveRoundTripAndTruncatedArchive) {
  ImageAdjustments a(3);
  a.Red = -40;
  a.Zoom = 20;
  a.BalancedColour = false;
  a.UseExifOrientation = true;
  Archive out;
  a.WriteArchive(out);
  Archive in(out.Bytes());
  ImageAdjustments read;
  read.ReadArchive(in);
  EXPECT_EQ(read, a);
  EXPECT_EQ(in.Remaining(), 0u);

  Archive cut(out.Bytes().substr(0, 10));
  ImageAdjustments kept;
  EXPECT_THROW(kept.ReadArchive(cut), ArchiveException);
  EXPECT_EQ(kept, ImageAdjustments());
}

TEST(PortraitImage, IsMadeAsThePreviewMakesItsSubjects) {
  PhotoEvent event;
  const PortraitImage portrait(&event, -1, 0, -1, 2);
  EXPECT_EQ(portrait.SubjectId, -1);
  EXPECT_EQ(portrait.SecondNumber, -1);
  EXPECT_EQ(portrait.Adjustments.QuarterTurns, 2);
  EXPECT_EQ(portrait.ThirdNumber, 0);
  EXPECT_EQ(portrait.Text, "");
  EXPECT_EQ(portrait.Kind(), 0);
  EXPECT_EQ(portrait.Description(), "PortraitImage: 0: 0");
  EXPECT_FALSE(portrait.GetSubject());
  EXPECT_FALSE(portrait.IsMarked());
}

TEST(PortraitImage, TurningTheAdjustmentsTurnsTheirShift) {
  PortraitImage portrait(nullptr, -1, 0, -1, 3);
  portrait.Adjustments.VerticalShift = 10;
  portrait.Adjustments.HorizontalShift = 20;
  portrait.Adjustments.UseExifOrientation = true;
  portrait.TurnAdjustments(1);
  EXPECT_EQ(portrait.Adjustments.VerticalShift, 20);
  EXPECT_EQ(portrait.Adjustments.HorizontalShift, -10);
  EXPECT_EQ(portrait.Adjustments.QuarterTurns, 0);
  EXPECT_FALSE(portrait.Adjustments.UseExifOrientation);
  portrait.TurnAdjustments(2);
  EXPECT_EQ(portrait.Adjustments.VerticalShift, -20);
  EXPECT_EQ(portrait.Adjustments.HorizontalShift, 10);
  EXPECT_EQ(portrait.Adjustments.QuarterTurns, 2);
  portrait.TurnAdjustments(3);
  EXPECT_EQ(portrait.Adjustments.VerticalShift, -10);
  EXPECT_EQ(portrait.Adjustments.HorizontalShift, -20);
  EXPECT_EQ(portrait.Adjustments.QuarterTurns, 1);
  // Kind 0 leaves a rotation and the shift alone.
  portrait.TurnAdjustments(0);
  EXPECT_EQ(portrait.Adjustments.QuarterTurns, 1);
  EXPECT_EQ(portrait.Adjustments.VerticalShift, -10);
}

TEST(PortraitImage, IsMarkedByItsFlagOrByHavingASubject) {
  PhotoEvent event;
  auto subject = std::make_shared<Subject>();
  subject->Id = 7;
  event.AddSubject(subject);
  PortraitImage portrait(&event, 7, 0, 0, 0);
  EXPECT_EQ(portrait.GetSubject(), subject);
  EXPECT_FALSE(portrait.IsMarked());
  portrait.Flags = Image::MarkedFlag;
  EXPECT_TRUE(portrait.IsMarked());
  // When the event marks by subject, the flag no longer counts.
  event.Flags = PhotoEvent::MarkBySubject;
  portrait.Flags = 0;
  EXPECT_TRUE(portrait.IsMarked());
  portrait.SetSubjectId(-1);
  portrait.Flags = Image::MarkedFlag;
  EXPECT_FALSE(portrait.IsMarked());
}

// A portrait with every stored field away from its default.
PortraitImage Filled(PhotoEvent* event) {
  PortraitImage portrait(event, 12, 34, 56, 1);
  portrait.RecordId = 99;
  portrait.ThirdNumber = -78;
  portrait.Adjustments.Hue = -5;
  portrait.Text = "text";
  portrait.Flags = 0xA5;
  portrait.ShortValue = -300;
  return portrait;
}

void ExpectSameFields(const PortraitImage& a, const PortraitImage& b) {
  EXPECT_EQ(a.SubjectId, b.SubjectId);
  EXPECT_EQ(a.Number, b.Number);
  EXPECT_EQ(a.SecondNumber, b.SecondNumber);
  EXPECT_EQ(a.ThirdNumber, b.ThirdNumber);
  EXPECT_EQ(a.Adjustments, b.Adjustments);
  EXPECT_EQ(a.Text, b.Text);
  EXPECT_EQ(a.Flags, b.Flags);
  EXPECT_EQ(a.ShortValue, b.ShortValue);
}

TEST(PortraitImage, CloneCopiesEveryFieldButTheEventAndIdentity) {
  PhotoEvent event;
  PhotoEvent other;
  const PortraitImage original = Filled(&event);
  const auto copy = original.Clone();
  const auto& portrait = dynamic_cast<const PortraitImage&>(*copy);
  ExpectSameFields(portrait, original);
  EXPECT_EQ(portrait.Event, &event);
  EXPECT_EQ(portrait.RecordId, 0);

  PortraitImage target(&other, -1, 0, 0, 0);
  EXPECT_EQ(original.Clone(target), &target);
  ExpectSameFields(target, original);
  EXPECT_EQ(target.Event, &other);
}

TEST(PortraitImage, RecordFormsReadBackWhatWasWritten) {
  PhotoEvent event;
  PortraitImage original = Filled(&event);
  Archive out;
  original.WriteArchive(out);
  PortraitImage fromArchive(&event, -1, 0, 0, 0);
  Archive in(out.Bytes());
  fromArchive.ReadArchive(in);
  ExpectSameFields(fromArchive, original);
  // An archive that ends part-way leaves the record as it was.
  Archive cut(out.Bytes().substr(0, out.Bytes().size() - 2));
  PortraitImage untouched(&event, -1, 0, 0, 0);
  EXPECT_THROW(untouched.ReadArchive(cut), ArchiveException);
  EXPECT_EQ(untouched.SubjectId, -1);
  EXPECT_EQ(untouched.Text, "");

  original.MarkAllModified();
  EXPECT_EQ(original.ModifiedMask.Low(), 0x17Fu);
  std::stringstream stream;
  stream.put(3);  // the dispatcher's kind byte
  original.WriteFields(true, stream, true);
  EXPECT_TRUE(original.ModifiedMask.Empty());
  PortraitImage fromFields(&event, -1, 0, 0, 0);
  EXPECT_EQ(fromFields.ReadFields(stream), 3);
  ExpectSameFields(fromFields, original);
}

TEST(PortraitImage, DamagedTaggedFieldsAreRefused) {
  PhotoEvent event;
  std::stringstream unknownTag;
  unknownTag.write("\x01\x07\x00", 3);  // kind, then tag 7, which no image record has
  PortraitImage portrait(&event, -1, 0, 0, 0);
  EXPECT_THROW(portrait.ReadFields(unknownTag), DatabaseRecord::DispatchReadError);
  std::stringstream cut;
  cut.write("\x01\x00\x00\x05", 4);  // tag 0 with only one byte of its value
  EXPECT_THROW(portrait.ReadFields(cut), DatabaseRecord::DispatchReadError);
}

}  // namespace
