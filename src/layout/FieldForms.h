#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

class Archive;
class FieldReader;
class FieldWriter;

// How one field of a layout or font record looks in each of its three forms: a line of the
// layout file, a value of the record archive and a value of the tagged field stream. The records
// list their fields once and use these for every form.

// A line that older layout files and archives carry and that is read past, never written.
struct DiscardedValue {};

void WriteTextLine(std::ostream& stream, std::string_view key, std::uint32_t value);
void WriteTextLine(std::ostream& stream, std::string_view key, std::int32_t value);
void WriteTextLine(std::ostream& stream, std::string_view key, bool value);
void WriteTextLine(std::ostream& stream, std::string_view key, const std::string& value);

// Reads the value token of a line; texts are read straight into the field (unchanged once the
// file has run out), numbers and flags through ParseUnsigned or ParseSigned.
void ReadTextValue(std::istream& stream, std::uint32_t& value);
void ReadTextValue(std::istream& stream, std::int32_t& value);
void ReadTextValue(std::istream& stream, bool& value);
void ReadTextValue(std::istream& stream, std::string& value);
void ReadTextValue(std::istream& stream, DiscardedValue& value);

void WriteArchiveValue(Archive& archive, std::uint32_t value);
void WriteArchiveValue(Archive& archive, std::int32_t value);
void WriteArchiveValue(Archive& archive, bool value);
void WriteArchiveValue(Archive& archive, const std::string& value);

void ReadArchiveValue(Archive& archive, std::uint32_t& value);
void ReadArchiveValue(Archive& archive, std::int32_t& value);
void ReadArchiveValue(Archive& archive, bool& value);
void ReadArchiveValue(Archive& archive, std::string& value);
void ReadArchiveValue(Archive& archive, DiscardedValue& value);

void WriteTaggedValue(FieldWriter& writer, std::uint16_t tag, std::uint32_t value);
void WriteTaggedValue(FieldWriter& writer, std::uint16_t tag, std::int32_t value);
void WriteTaggedValue(FieldWriter& writer, std::uint16_t tag, bool value);
void WriteTaggedValue(FieldWriter& writer, std::uint16_t tag, const std::string& value);

void ReadTaggedValue(FieldReader& reader, std::uint32_t& value);
void ReadTaggedValue(FieldReader& reader, std::int32_t& value);
void ReadTaggedValue(FieldReader& reader, bool& value);
void ReadTaggedValue(FieldReader& reader, std::string& value);
