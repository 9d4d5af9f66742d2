#include "layout/FontDetails.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <variant>

#include "layout/ColourText.h"
#include "layout/FieldForms.h"
#include "layout/LayoutText.h"
#include "layout/LayoutVersion.h"
#include "records/Archive.h"
#include "records/FieldReader.h"
#include "records/FieldWriter.h"

namespace {

using Member =
    std::variant<std::string FontDetails::*, std::uint32_t FontDetails::*, bool FontDetails::*>;

struct Field {
  std::string_view key;
  Member member;
};

// The fields in the order of every form; in the tagged stream a field's tag is its index.
constexpr std::array<Field, 5> kFields{{
    {"FontColour", &FontDetails::FontColour},
    {"FontName", &FontDetails::FontName},
    {"FontPoint", &FontDetails::FontPoint},
    {"FontBold", &FontDetails::FontBold},
    {"FontItalic", &FontDetails::FontItalic},
}};

constexpr std::uint16_t kEndTag = kFields.size();

// Calls visit with each field's tag, key and value in this font.
template <typename Font, typename Visit>
void ForEachField(Font& font, Visit visit) {
  for (std::uint16_t tag = 0; tag < kFields.size(); ++tag) {
    std::visit([&](auto member) { visit(tag, kFields[tag].key, font.*member); },
               kFields[tag].member);
  }
}

}  // namespace

FontDetails::FontDetails(std::string colour, std::string name, std::uint32_t point, bool bold,
                         bool italic)
    : FontColour(std::move(colour)),
      FontName(std::move(name)),
      FontPoint(point),
      FontBold(bold),
      FontItalic(italic) {}

void FontDetails::CopyValues(const FontDetails& other) {
  if (&other == this) return;
  for (const Field& field : kFields) {
    std::visit([&](auto member) { this->*member = other.*member; }, field.member);
  }
}

void FontDetails::SetColour(ColourRef colour) { FontColour = ColourText(colour); }

void FontDetails::WriteText(std::ostream& stream) const {
  ForEachField(*this, [&](std::uint16_t, std::string_view key, const auto& value) {
    WriteTextLine(stream, key, value);
  });
}

void FontDetails::ReadText(std::istream& stream) {
  ForEachField(*this, [&](std::uint16_t, std::string_view, auto& value) {
    std::string key;
    ReadToken(stream, key);
    ReadTextValue(stream, value);
  });
  ModifiedMask.ClearAll();
}

Archive& FontDetails::WriteArchive(Archive& archive) const {
  archive.WriteInt(RecordId);
  ForEachField(*this, [&](std::uint16_t, std::string_view, const auto& value) {
    WriteArchiveValue(archive, value);
  });
  return archive;
}

Archive& FontDetails::ReadArchive(Archive& archive) {
  // Read into a copy so that an archive that ends part-way leaves the font as it was.
  FontDetails read(*this);
  if (LastReadLayoutVersion() > 2.2) read.RecordId = archive.ReadInt();
  ForEachField(read, [&](std::uint16_t, std::string_view, auto& value) {
    ReadArchiveValue(archive, value);
  });
  read.ModifiedMask.ClearAll();
  *this = read;
  return archive;
}

std::string FontDetails::Description() const { return "FontDetails: " + std::to_string(RecordId); }

void FontDetails::MarkAllModified() { ModifiedMask.SetRange(0, kEndTag - 1); }

void FontDetails::WriteFields(bool onlyModified, std::ostream& stream, bool writeEndTag) {
  FieldWriter writer(stream);
  ForEachField(*this, [&](std::uint16_t tag, std::string_view, const auto& value) {
    if (onlyModified && !ModifiedMask.IsSet(tag)) return;
    WriteTaggedValue(writer, tag, value);
    ModifiedMask.Clear(tag);
  });
  if (writeEndTag) writer.WriteTag(kEndTag);
}

int FontDetails::ReadFields(std::istream& stream) {
  FieldReader reader(stream, Description());
  // The kind byte is the dispatcher's; a font always reads tagged fields after it.
  const int kind = reader.ReadByte();
  for (std::uint16_t tag = reader.ReadTag(); tag != kEndTag; tag = reader.ReadTag()) {
    if (tag >= kFields.size()) continue;
    std::visit([&](auto member) { ReadTaggedValue(reader, this->*member); }, kFields[tag].member);
    ModifiedMask.Clear(tag);
  }
  return kind;
}

DatabaseRecord* FontDetails::Clone(DatabaseRecord& target) const {
  auto* font = dynamic_cast<FontDetails*>(&target);
  if (font != nullptr) font->CopyValues(*this);
  return font;
}

std::unique_ptr<DatabaseRecord> FontDetails::Clone() const {
  auto copy = std::make_unique<FontDetails>();
  Clone(*copy);
  return copy;
}
