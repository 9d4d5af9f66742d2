#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "records/DatabaseRecord.h"
#include "records/FieldReader.h"
#include "records/FieldWriter.h"
#include "support/ByteText.h"
#include "support/Raised.h"

namespace {

std::string ErrorOf(auto call) { return Raised<DatabaseRecord::DispatchReadError>(call).what(); }

TEST(FieldStreamTest, WritesTagsAndValuesAsRawLittleEndianBytes) {
  std::ostringstream out;
  FieldWriter writer(out);
  writer.WriteInt(3, 0x0A0B0C0D);
  writer.WriteFlag(0x0102, true);
  writer.WriteText(1, "AB");
  writer.WriteTag(35);
  EXPECT_EQ(out.str(),
            ByteText({3, 0, 0x0D, 0x0C, 0x0B, 0x0A, 2, 1, 1, 1, 0, 2, 0, 0, 0, 'A', 'B', 35, 0}));

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

  std::istringstream shortInt(ByteText({1, 2}));
  FieldReader intReader(shortInt, "Test: 5");
  EXPECT_EQ(ErrorOf([&] { intReader.ReadInt(); }), "Attempt to read from faulty stream: Test: 5");
}

TEST(FieldStreamTest, ForgedTextLengthFailsWithoutReservingIt) {
  std::istringstream in(ByteText({0xFF, 0xFF, 0xFF, 0xFF}) + "abc");
  FieldReader reader(in, "Test: 6");
  EXPECT_EQ(ErrorOf([&] { reader.ReadText(); }),
            "Attempt to read string from faulty stream: Test: 6");
}

}  // namespace
