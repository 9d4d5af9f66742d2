#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "platform/ColourRef.h"
#include "records/Archivable.h"
#include "records/DatabaseRecord.h"

// One font of a layout: colour text, face name, largest point size in tenths of a point, bold
// and italic.
class FontDetails : public Archivable, public DatabaseRecord {
 public:
  FontDetails() = default;
  FontDetails(std::string colour, std::string name, std::uint32_t point, bool bold, bool italic);

  // Copies the five values, not the record identity or marks.
  void CopyValues(const FontDetails& other);
  void SetColour(ColourRef colour);

  // The five lines of the font in a layout file.
  void WriteText(std::ostream& stream) const;
  void ReadText(std::istream& stream);

  Archive& WriteArchive(Archive& archive) const override;
  Archive& ReadArchive(Archive& archive) override;

  std::string Description() const override;
  void MarkAllModified() override;
  void WriteFields(bool onlyModified, std::ostream& stream, bool writeEndTag) override;
  int ReadFields(std::istream& stream) override;
  DatabaseRecord* Clone(DatabaseRecord& target) const override;
  std::unique_ptr<DatabaseRecord> Clone() const override;

  std::string FontColour = "000000";
  std::string FontName = "Arial";
  std::uint32_t FontPoint = 100;
  bool FontBold = false;
  bool FontItalic = false;
};
