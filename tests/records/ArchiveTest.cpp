#include "records/Archive.h"

#include <gtest/gtest.h>

#include <string>

#include "records/ArchiveException.h"
#include "support/ByteText.h"
#include "support/Raised.h"

namespace {

using Kind = ArchiveException::Kind;

// The kind of ArchiveException the call raised.
Kind FailureOf(auto call) { return Raised<ArchiveException>(call).GetKind(); }

TEST(ArchiveTest, WritesIntegersLittleEndianAndFlagsAsOneByte) {
  Archive archive;
  archive.WriteInt(-2);
  archive.WriteUnsigned(0x01020304);
  archive.WriteFlag(true);
  archive.WriteFlag(false);
  EXPECT_EQ(archive.Bytes(), ByteText({0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 1, 0}));

  Archive loading(archive.Bytes());
  EXPECT_EQ(loading.ReadInt(), -2);
  EXPECT_EQ(loading.ReadUnsigned(), 0x01020304u);
  EXPECT_TRUE(loading.ReadFlag());
  EXPECT_FALSE(loading.ReadFlag());
  EXPECT_EQ(loading.Remaining(), 0u);
}

TEST(ArchiveTest, ReadsAnyNonZeroFlagByteAsTrue) {
  Archive loading(ByteText({0x80}));
  EXPECT_TRUE(loading.ReadFlag());
}

TEST(ArchiveTest, StringLengthPrefixWidensAtEachStep) {
  struct Case {
    std::size_t length;
    std::string prefix;
  };
  const Case cases[] = {
      {0, ByteText({0})},
      {254, ByteText({0xFE})},
      {255, ByteText({0xFF, 0xFF, 0x00})},
      {0xFFFD, ByteText({0xFF, 0xFD, 0xFF})},
      {0xFFFE, ByteText({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
      {0x12345, ByteText({0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00})},
  };
  for (const Case& c : cases) {
    const std::string text(c.length, 'x');
    Archive archive;
    archive.WriteString(text);
    EXPECT_EQ(archive.Bytes().substr(0, c.prefix.size()), c.prefix) << c.length;
    EXPECT_EQ(archive.Bytes().size(), c.prefix.size() + c.length) << c.length;
    Archive loading(archive.Bytes());
    EXPECT_EQ(loading.ReadString(), text) << c.length;
  }
}

TEST(ArchiveTest, ReadsTheSixtyFourBitLengthForm) {
  Archive loading(ByteText({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0}) +
                  "abc");
  EXPECT_EQ(loading.ReadString(), "abc");
}

TEST(ArchiveTest, StringEndsAtItsFirstZeroCharacter) {
  Archive archive;
  archive.WriteString(std::string("ab\0cd", 5));
  archive.WriteInt(7);
  Archive loading(archive.Bytes());
  EXPECT_EQ(loading.ReadString(), "ab");
  EXPECT_EQ(loading.ReadInt(), 7);
}

TEST(ArchiveTest, ForgedStringLengthIsEndOfFileNotAnAllocation) {
  Archive loading(ByteText({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 1, 0, 0}) +
                  "abc");
  EXPECT_EQ(FailureOf([&] { loading.ReadString(); }), Kind::EndOfFile);
}

TEST(ArchiveTest, WrongDirectionAndRunningOutRaiseTheirKinds) {
  Archive loading(ByteText({1, 2, 3}));
  EXPECT_EQ(FailureOf([&] { loading.WriteInt(1); }), Kind::ReadOnly);
  EXPECT_EQ(FailureOf([&] { loading.WriteString("a"); }), Kind::ReadOnly);
  EXPECT_EQ(FailureOf([&] { loading.ReadInt(); }), Kind::EndOfFile);
  Archive storing;
  EXPECT_EQ(FailureOf([&] { storing.ReadFlag(); }), Kind::WriteOnly);
  EXPECT_EQ(FailureOf([&] { storing.ReadString(); }), Kind::WriteOnly);
  EXPECT_TRUE(storing.IsStoring());
  EXPECT_TRUE(loading.IsLoading());
}

}  // namespace
