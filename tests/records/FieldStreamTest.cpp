#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "records/DatabaseRecord.h"
#include "records/FieldReader.h"
#include "records/FieldWriter.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

std::string ErrorOf(auto call) {
  try {
    call();
  } catch (const DatabaseRecord::DispatchReadError& error) {
    return error.what();
  }
  return "no error";
}

TEST(FieldStreamTest, WritesTagsAndValuesAsRawLittleEndianBytes) {
  std::ostringstream out;
  FieldWriter writer(out);
  writer.WriteInt(3, 0x0A0B0C0D);
  writer.WriteFlag(0x0102, true);
  writer.WriteText(1, "AB");
  writer.WriteTag(35);
  EXPECT_EQ(out.str(),
            Bytes({3, 0, 0x0D, 0x0C, 0x0B, 0x0A, 2, 1, 1, 1, 0, 2, 0, 0, 0, 'A', 'B', 35, 0}));

  std::istringstream in(out.str());
  FieldReader reader(in, "Test: 1");
  EXPECT_EQ(reader.ReadTag(), 3);
  EXPECT_EQ(reader.ReadInt(), 0x0A0B0C0Du);
  EXPECT_EQ(reader.ReadTag(), 0x0102);
  EXPECT_TRUE(reader.ReadFlag());
  EXPECT_EQ(reader.ReadTag(), 1);
  EXPECT_EQ(reader.ReadText(), "AB");
  EXPECT_EQ(reader.ReadTag(), 35);
}

TEST(FieldStreamTest, ReadingAFailedOrShortStreamNamesTheRecord) {
  std::istringstream empty("");
  FieldReader emptyReader(empty, "Test: 4");
  EXPECT_EQ(ErrorOf([&] { emptyReader.ReadByte(); }),
            "Attempt to read from faulty stream: Test: 4");
  EXPECT_EQ(ErrorOf([&] { emptyReader.ReadText(); }),
            "Attempt to read string from faulty stream: Test: 4");

  std::istringstream shortInt(Bytes({1, 2}));
  FieldReader intReader(shortInt, "Test: 5");
  EXPECT_EQ(ErrorOf([&] { intReader.ReadInt(); }), "Attempt to read from faulty stream: Test: 5");
}

TEST(FieldStreamTest, ForgedTextLengthFailsWithoutReservingIt) {
  std::istringstream in(Bytes({0xFF, 0xFF, 0xFF, 0xFF}) + "abc");
  FieldReader reader(in, "Test: 6");
  EXPECT_EQ(ErrorOf([&] { reader.ReadText(); }),
            "Attempt to read string from faulty stream: Test: 6");
}

}  // namespace
