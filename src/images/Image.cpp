#include "images/Image.h"

#include <istream>
#include <ostream>

#include "records/Archive.h"
#include "records/FieldReader.h"
#include "records/FieldWriter.h"
#include "roster/PhotoEvent.h"
#include "roster/Subject.h"

namespace {

enum ImageField : std::uint16_t {
  kNumber = 0,
  kSecondNumber = 1,
  kThirdNumber = 2,
  kAdjustments = 3,
  kText = 4,
  kFlags = 5,
  kShortValue = 6,
};

std::string AdjustmentsBytes(const ImageAdjustments& adjustments) {
  Archive archive;
  adjustments.WriteArchive(archive);
  return archive.Bytes();
}

}  // namespace

Image::Image(PhotoEvent* event, std::int32_t number, std::int32_t secondNumber,
             std::int32_t quarterTurns)
    : Event(event), Number(number), SecondNumber(secondNumber), Adjustments(quarterTurns) {}

bool Image::IsMarked() const { return (Flags & MarkedFlag) != 0; }

std::shared_ptr<Subject> Image::GetSubject() const { return nullptr; }

Archive& Image::WriteArchive(Archive& archive) const {
  WriteArchiveFields(archive);
  return archive;
}

Archive& Image::ReadArchive(Archive& archive) {
  // Read into a copy so that an archive that ends part-way leaves the record as it was.
  const auto copy = Clone();
  auto& read = static_cast<Image&>(*copy);
  read.ReadArchiveFields(archive);
  read.Clone(*this);
  return archive;
}

void Image::WriteArchiveFields(Archive& archive) const {
  archive.WriteInt(Number);
  archive.WriteInt(SecondNumber);
  archive.WriteInt(ThirdNumber);
  Adjustments.WriteArchive(archive);
  archive.WriteString(Text);
  archive.WriteInt(Flags);
  archive.WriteInt(ShortValue);
}

void Image::ReadArchiveFields(Archive& archive) {
  Number = archive.ReadInt();
  SecondNumber = archive.ReadInt();
  ThirdNumber = archive.ReadInt();
  Adjustments.ReadArchive(archive);
  Text = archive.ReadString();
  Flags = static_cast<std::uint8_t>(archive.ReadInt());
  ShortValue = static_cast<std::int16_t>(archive.ReadInt());
}

void Image::MarkAllModified() { ModifiedMask.SetRange(kNumber, kShortValue); }

void Image::WriteFields(bool onlyModified, std::ostream& stream, bool writeEndTag) {
  WriteRecordFields(onlyModified, stream);
  if (writeEndTag) FieldWriter(stream).WriteTag(EndTag());
}

void Image::WriteRecordFields(bool onlyModified, std::ostream& stream) {
  FieldWriter writer(stream);
  auto write = [&](std::uint16_t tag, auto writeValue) {
    if (onlyModified && !ModifiedMask.IsSet(tag)) return;
    writeValue(tag);
    ModifiedMask.Clear(tag);
  };
  write(kNumber, [&](auto tag) { writer.WriteInt(tag, static_cast<std::uint32_t>(Number)); });
  write(kSecondNumber,
        [&](auto tag) { writer.WriteInt(tag, static_cast<std::uint32_t>(SecondNumber)); });
  write(kThirdNumber,
        [&](auto tag) { writer.WriteInt(tag, static_cast<std::uint32_t>(ThirdNumber)); });
  write(kAdjustments, [&](auto tag) { writer.WriteText(tag, AdjustmentsBytes(Adjustments)); });
  write(kText, [&](auto tag) { writer.WriteText(tag, Text); });
  write(kFlags, [&](auto tag) { writer.WriteInt(tag, Flags); });
  write(kShortValue,
        [&](auto tag) { writer.WriteInt(tag, static_cast<std::uint32_t>(ShortValue)); });
}

int Image::ReadFields(std::istream& stream) {
  FieldReader reader(stream, Description());
  const int kind = reader.ReadByte();
  for (std::uint16_t tag = reader.ReadTag(); tag != EndTag(); tag = reader.ReadTag()) {
    // A field of unknown length cannot be stepped over, so the stream cannot be read further.
    if (!ReadRecordField(reader, tag)) {
      throw DispatchReadError(Description() + ": unknown field " + std::to_string(tag));
    }
    ModifiedMask.Clear(tag);
  }
  return kind;
}

bool Image::ReadRecordField(FieldReader& reader, std::uint16_t field) {
  switch (field) {
    case kNumber:
      Number = static_cast<std::int32_t>(reader.ReadInt());
      return true;
    case kSecondNumber:
      SecondNumber = static_cast<std::int32_t>(reader.ReadInt());
      return true;
    case kThirdNumber:
      ThirdNumber = static_cast<std::int32_t>(reader.ReadInt());
      return true;
    case kAdjustments: {
      Archive archive(reader.ReadText());
      try {
        Adjustments.ReadArchive(archive);
      } catch (const std::exception&) {
        throw DispatchReadError(Description() + ": damaged adjustments");
      }
      return true;
    }
    case kText:
      Text = reader.ReadText();
      return true;
    case kFlags:
      Flags = static_cast<std::uint8_t>(reader.ReadInt());
      return true;
    case kShortValue:
      ShortValue = static_cast<std::int16_t>(reader.ReadInt());
      return true;
    default:
      return false;
  }
}

std::uint16_t Image::EndTag() const { return kShortValue + 1; }

DatabaseRecord* Image::Clone(DatabaseRecord& target) const {
  auto* image = dynamic_cast<Image*>(&target);
  if (image == nullptr || image == this) return image;
  image->Number = Number;
  image->SecondNumber = SecondNumber;
  image->ThirdNumber = ThirdNumber;
  image->Adjustments = Adjustments;
  image->Text = Text;
  image->Flags = Flags;
  image->ShortValue = ShortValue;
  return image;
}
