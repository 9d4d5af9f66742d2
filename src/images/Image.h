#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "images/ImageAdjustments.h"
#include "records/Archivable.h"
#include "records/DatabaseRecord.h"

class FieldReader;
class PhotoEvent;
struct Subject;

// One photograph of a photo event in the shared record store, with its corrections. This
// program keeps and copies the store's other fields without giving them a meaning.
class Image : public Archivable, public DatabaseRecord {
 public:
  // Flags bit 2 marks the image.
  static constexpr std::uint8_t MarkedFlag = 1u << 2;

  Image(PhotoEvent* event, std::int32_t number, std::int32_t secondNumber,
        std::int32_t quarterTurns);

  // What kind of image record this is, for the record store.
  virtual int Kind() const = 0;
  virtual bool IsMarked() const;
  virtual std::shared_ptr<Subject> GetSubject() const;
  virtual std::int32_t SubjectIdValue() const { return -1; }
  virtual void SetSubjectId(std::int32_t) {}

  // Every field in order (record fields 0 to 6), the adjustments in their own archive form.
  Archive& WriteArchive(Archive& archive) const override;
  Archive& ReadArchive(Archive& archive) override;

  void MarkAllModified() override;
  // The record store's tagged fields: 32-bit integers, flags and texts; the adjustments travel
  // as the text of their archive form.
  void WriteFields(bool onlyModified, std::ostream& stream, bool writeEndTag) override;
  int ReadFields(std::istream& stream) override;
  using DatabaseRecord::Clone;
  DatabaseRecord* Clone(DatabaseRecord& target) const override;

  PhotoEvent* Event = nullptr;  // not owned
  std::int32_t Number = 0;
  std::int32_t SecondNumber = 0;
  std::int32_t ThirdNumber = 0;
  ImageAdjustments Adjustments;
  std::string Text;
  std::uint8_t Flags = 0;
  std::int16_t ShortValue = 0;

 protected:
  // One tagged field of the record; false for a tag this record does not have.
  virtual bool ReadRecordField(FieldReader& reader, std::uint16_t field);
  virtual void WriteRecordFields(bool onlyModified, std::ostream& stream);
  virtual void WriteArchiveFields(Archive& archive) const;
  virtual void ReadArchiveFields(Archive& archive);
  // The tag that ends a record's fields in the tagged stream.
  virtual std::uint16_t EndTag() const;
};
