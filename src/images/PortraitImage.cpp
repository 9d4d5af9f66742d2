#include "images/PortraitImage.h"

#include "records/Archive.h"
#include "records/FieldReader.h"
#include "records/FieldWriter.h"
#include "roster/PhotoEvent.h"
#include "roster/Subject.h"

namespace {

// Record field 7 is not used.
constexpr std::uint16_t kSubjectId = 8;

}  // namespace

PortraitImage::PortraitImage(PhotoEvent* event, std::int32_t subjectId, std::int32_t number,
                             std::int32_t secondNumber, std::int32_t quarterTurns)
    : Image(event, number, secondNumber, quarterTurns), SubjectId(subjectId) {}

void PortraitImage::TurnAdjustments(int kind) {
  ImageAdjustments& a = Adjustments;
  if (a.QuarterTurns == 0) {
    a.QuarterTurns = kind;
  } else if (kind >= 1 && kind <= 3) {
    a.QuarterTurns = (a.QuarterTurns + kind) % 4;
  }
  const std::int16_t v = a.VerticalShift;
  const std::int16_t h = a.HorizontalShift;
  switch (kind) {
    case 1:
      a.VerticalShift = h;
      a.HorizontalShift = static_cast<std::int16_t>(-v);
      break;
    case 2:
      a.VerticalShift = static_cast<std::int16_t>(-v);
      a.HorizontalShift = static_cast<std::int16_t>(-h);
      break;
    case 3:
      a.VerticalShift = static_cast<std::int16_t>(-h);
      a.HorizontalShift = v;
      break;
    default:
      break;
  }
  a.UseExifOrientation = false;
}

bool PortraitImage::IsMarked() const {
  if (Event != nullptr && (Event->Flags & PhotoEvent::MarkBySubject) != 0) return SubjectId != -1;
  return Image::IsMarked();
}

std::shared_ptr<Subject> PortraitImage::GetSubject() const {
  return Event != nullptr ? Event->FindSubject(SubjectId) : nullptr;
}

std::string PortraitImage::Description() const {
  return "PortraitImage: " + std::to_string(RecordId) + ": " + std::to_string(Number);
}

void PortraitImage::MarkAllModified() {
  Image::MarkAllModified();
  ModifiedMask.Set(kSubjectId);
}

DatabaseRecord* PortraitImage::Clone(DatabaseRecord& target) const {
  auto* portrait = dynamic_cast<PortraitImage*>(&target);
  if (portrait == nullptr) return nullptr;
  Image::Clone(*portrait);
  portrait->SubjectId = SubjectId;
  return portrait;
}

std::unique_ptr<DatabaseRecord> PortraitImage::Clone() const {
  auto copy = std::make_unique<PortraitImage>(Event, -1, 0, 0, 0);
  Clone(*copy);
  return copy;
}

bool PortraitImage::ReadRecordField(FieldReader& reader, std::uint16_t field) {
  if (field != kSubjectId) return Image::ReadRecordField(reader, field);
  SubjectId = static_cast<std::int32_t>(reader.ReadInt());
  return true;
}

void PortraitImage::WriteRecordFields(bool onlyModified, std::ostream& stream) {
  Image::WriteRecordFields(onlyModified, stream);
  if (onlyModified && !ModifiedMask.IsSet(kSubjectId)) return;
  FieldWriter(stream).WriteInt(kSubjectId, static_cast<std::uint32_t>(SubjectId));
  ModifiedMask.Clear(kSubjectId);
}

void PortraitImage::WriteArchiveFields(Archive& archive) const {
  Image::WriteArchiveFields(archive);
  archive.WriteInt(SubjectId);
}

void PortraitImage::ReadArchiveFields(Archive& archive) {
  Image::ReadArchiveFields(archive);
  SubjectId = archive.ReadInt();
}

std::uint16_t PortraitImage::EndTag() const { return kSubjectId + 1; }
