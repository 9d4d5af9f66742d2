#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "images/Image.h"

// A photograph of one subject (a person of the event). The preview makes one per cell with
// default adjustments and no subject.
class PortraitImage : public Image {
 public:
  PortraitImage(PhotoEvent* event, std::int32_t subjectId, std::int32_t number,
                std::int32_t secondNumber, std::int32_t quarterTurns);

  // Turns the stored adjustments by kind quarter turns clockwise: the rotation and the crop
  // shift turn together, so the crop keeps framing the same part of the photograph.
  void TurnAdjustments(int kind);

  int Kind() const override { return 0; }
  // When the event marks by subject, an image is marked exactly when it has a subject.
  bool IsMarked() const override;
  std::shared_ptr<Subject> GetSubject() const override;
  std::int32_t SubjectIdValue() const override { return SubjectId; }
  void SetSubjectId(std::int32_t id) override { SubjectId = id; }

  // "PortraitImage: ", the record id, ": " and the number.
  std::string Description() const override;
  void MarkAllModified() override;
  DatabaseRecord* Clone(DatabaseRecord& target) const override;
  // A new record of the same event with this record's fields.
  std::unique_ptr<DatabaseRecord> Clone() const override;

  std::int32_t SubjectId = -1;  // -1: no subject

 protected:
  bool ReadRecordField(FieldReader& reader, std::uint16_t field) override;
  void WriteRecordFields(bool onlyModified, std::ostream& stream) override;
  void WriteArchiveFields(Archive& archive) const override;
  void ReadArchiveFields(Archive& archive) override;
  std::uint16_t EndTag() const override;
};
