#include "layout/FieldForms.h"

#include <istream>
#include <ostream>

#include "layout/LayoutText.h"
#include "records/Archive.h"
#include "records/FieldReader.h"
#include "records/FieldWriter.h"

namespace {

void WriteLine(std::ostream& stream, std::string_view key, std::string_view value) {
  stream << key << ',' << value << '\n';
}

// A number token that does not begin with a number leaves the field as it was: a hand-edited
// "n/a" must not turn a setting into 0.
template <typename Number, typename Parse>
void ReadNumber(std::istream& stream, Number& value, Parse parse) {
  std::string token;
  ReadToken(stream, token);
  if (const auto number = parse(token)) value = static_cast<Number>(*number);
}

}  // namespace

void WriteTextLine(std::ostream& stream, std::string_view key, std::uint32_t value) {
  WriteLine(stream, key, std::to_string(value));
}

void WriteTextLine(std::ostream& stream, std::string_view key, std::int32_t value) {
  WriteLine(stream, key, std::to_string(value));
}

void WriteTextLine(std::ostream& stream, std::string_view key, bool value) {
  WriteLine(stream, key, value ? "1" : "0");
}

void WriteTextLine(std::ostream& stream, std::string_view key, const std::string& value) {
  WriteLine(stream, key, QuoteText(value));
}

void ReadTextValue(std::istream& stream, std::uint32_t& value) {
  ReadNumber(stream, value, ParseUnsigned);
}

void ReadTextValue(std::istream& stream, std::int32_t& value) {
  ReadNumber(stream, value, ParseSigned);
}

void ReadTextValue(std::istream& stream, bool& value) {
  std::string token;
  ReadToken(stream, token);
  if (const auto number = ParseSigned(token)) value = *number != 0;
}

void ReadTextValue(std::istream& stream, std::string& value) { ReadToken(stream, value); }

void ReadTextValue(std::istream& stream, DiscardedValue&) {
  std::string ignored;
  ReadToken(stream, ignored);
}

void WriteArchiveValue(Archive& archive, std::uint32_t value) { archive.WriteUnsigned(value); }

void WriteArchiveValue(Archive& archive, std::int32_t value) { archive.WriteInt(value); }

void WriteArchiveValue(Archive& archive, bool value) { archive.WriteFlag(value); }

void WriteArchiveValue(Archive& archive, const std::string& value) { archive.WriteString(value); }

void ReadArchiveValue(Archive& archive, std::uint32_t& value) { value = archive.ReadUnsigned(); }

void ReadArchiveValue(Archive& archive, std::int32_t& value) { value = archive.ReadInt(); }

void ReadArchiveValue(Archive& archive, bool& value) { value = archive.ReadFlag(); }

void ReadArchiveValue(Archive& archive, std::string& value) { value = archive.ReadString(); }

void ReadArchiveValue(Archive& archive, DiscardedValue&) { archive.ReadString(); }

void WriteTaggedValue(FieldWriter& writer, std::uint16_t tag, std::uint32_t value) {
  writer.WriteInt(tag, value);
}

void WriteTaggedValue(FieldWriter& writer, std::uint16_t tag, std::int32_t value) {
  writer.WriteInt(tag, static_cast<std::uint32_t>(value));
}

void WriteTaggedValue(FieldWriter& writer, std::uint16_t tag, bool value) {
  writer.WriteFlag(tag, value);
}

void WriteTaggedValue(FieldWriter& writer, std::uint16_t tag, const std::string& value) {
  writer.WriteText(tag, value);
}

void ReadTaggedValue(FieldReader& reader, std::uint32_t& value) { value = reader.ReadInt(); }

void ReadTaggedValue(FieldReader& reader, std::int32_t& value) {
  value = static_cast<std::int32_t>(reader.ReadInt());
}

void ReadTaggedValue(FieldReader& reader, bool& value) { value = reader.ReadFlag(); }

void ReadTaggedValue(FieldReader& reader, std::string& value) { value = reader.ReadText(); }
