#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "support/Raised.h"
#include "support/TestExif.h"
#include "toolkit/PLExifData.h"
#include "toolkit/PLTextException.h"

using namespace testsupport;

namespace {

using Bytes = std::vector<std::uint8_t>;

const char kBadFormat[] = "EXIF Tag format field not understood";
const char kBadCount[] = "EXIF NoComp field not understood";
const char kOutside[] = "EXIF offset points outside the EXIF data";

PLExifData Read(const Bytes& payload) {
  PLExifData data;
  data.ReadFromSegment(payload.data(), payload.size());
  return data;
}

// Reading must fail with code 14 and the message, and leave no half-read entries behind.
void ExpectBadExif(const Bytes& payload, const std::string& message) {
  PLExifData data;
  const PLTextException e =
      Raised<PLTextException>([&] { data.ReadFromSegment(payload.data(), payload.size()); });
  EXPECT_EQ(e.Code(), PL_ERRBAD_EXIF);
  EXPECT_EQ(e.Message(), message);
  EXPECT_EQ(data.AllEntries().size(), 0u);
  EXPECT_EQ(data.SegmentLength(), 0u);
}

Bytes WithMain(bool bigEndian, std::vector<ExifField> fields) {
  return ExifBuilder(bigEndian).Main(std::move(fields)).Payload();
}

class ExifByteOrder : public testing::TestWithParam<bool> {};

TEST_P(ExifByteOrder, ReadsNumbersAndTextsInEitherOrder) {
  const PLExifData data =
      Read(ExifBuilder(GetParam())
               .Main({ShortField(0x0112, 6), RationalField(0x011A, 300, 1),
                      AsciiField(0x010F, "Larkfield Optics  ")})
               .Sub({SignedRationalField(0x9204, -3, 2), LongField(0xA002, 4000)})
               .Gps({RationalField(0x0006, 123, 10)})
               .Payload());
  EXPECT_EQ(data.IsBigEndian(), GetParam());
  EXPECT_EQ(data.NumericValue("main.ori"), 6.0);
  EXPECT_EQ(data.FindEntry("Main.Ori"), data.FindEntry("main.ori"));
  EXPECT_EQ(data.NumericValue("Main.XRes"), 300.0);
  EXPECT_EQ(data.FindEntry("main.xres")->ValueText(), "300/1");
  // Trailing blanks go; the text is what the camera wrote.
  EXPECT_EQ(data.FindEntry("main.make")->ValueText(), "Larkfield Optics");
  EXPECT_EQ(data.NumericValue("sub.expbias"), -1.5);
  EXPECT_EQ(data.FindEntry("sub.expbias")->RoundedValue(), -1);
  EXPECT_EQ(data.NumericValue("sub.imagewidth"), 4000.0);
  EXPECT_FLOAT_EQ(static_cast<float>(data.NumericValue("gps.alt")), 12.3f);
  EXPECT_EQ(data.MainEntries().size(), 5u);  // the three fields and the two offsets
  EXPECT_EQ(data.SubEntries().size(), 2u);
  EXPECT_EQ(data.GpsEntries().size(), 1u);
  EXPECT_EQ(data.AllEntries().size(), 8u);
}

INSTANTIATE_TEST_SUITE_P(LittleAndBigEndian, ExifByteOrder, testing::Values(false, true));

TEST(ExifData, EmptyOrForeignSegmentsGiveNoData) {
  EXPECT_EQ(Read({}).SegmentLength(), 0u);
  EXPECT_EQ(Read({'E', 'x', 'i', 'f', 0, 1, 'I', 'I', 42, 0, 8, 0, 0, 0}).SegmentLength(), 0u);
  const PLExifData none = Read({'h', 't', 't', 'p', ':', '/', '/'});
  EXPECT_EQ(none.NumericValue("main.ori"), 0.0);
  EXPECT_EQ(none.FindEntry("main.ori"), nullptr);
}

TEST(ExifData, NamesUnknownTagsByDirectoryAndNumber) {
  const PLExifData data = Read(ExifBuilder(false)
                                   .Main({ShortField(0xABCD, 7)})
                                   .Sub({ShortField(0x0001, 2)})
                                   .Gps({ShortField(0x00FF, 3)})
                                   .Payload());
  ASSERT_NE(data.FindEntry("Main.abcd"), nullptr);
  EXPECT_EQ(data.FindEntry("Main.abcd")->Name(), "Main.abcd");
  EXPECT_EQ(data.FindEntry("MAIN.ABCD")->Description(), std::string());
  EXPECT_EQ(data.NumericValue("sub.0001"), 2.0);
  EXPECT_EQ(data.NumericValue("gps.00ff"), 3.0);
  EXPECT_EQ(data.FindEntry("main.exifoffset")->Name(), "Main.ExifOffset");
  EXPECT_EQ(data.FindEntry("main.exifoffset")->Description(), std::string("Sub IFD Offset"));
}

TEST(ExifData, LaterDuplicateWinsButBothAreListed) {
  const PLExifData data = Read(WithMain(false, {ShortField(0x0112, 3), ShortField(0x0112, 8)}));
  EXPECT_EQ(data.NumericValue("main.ori"), 8.0);
  ASSERT_EQ(data.MainEntries().size(), 2u);
  EXPECT_EQ(data.MainEntries()[0]->NumericValue(), 3.0);
}

TEST(ExifData, SkipsEntriesWithoutTagOrCount) {
  const PLExifData data =
      Read(WithMain(false, {ShortField(0, 5), RawField(0x0112, 3, 0, {6, 0}),
                            RawField(0x0110, 13, 0, {}), ShortField(0x0128, 2)}));
  ASSERT_EQ(data.AllEntries().size(), 1u);
  EXPECT_EQ(data.AllEntries()[0]->Key(), "main.resunit");
}

TEST(ExifData, ValueTextsAndNumbers) {
  std::vector<std::uint8_t> twenty(20);
  for (int i = 0; i < 20; ++i) twenty[i] = static_cast<std::uint8_t>(i);
  const PLExifData data = Read(WithMain(
      true, {ByteField(0x0001, twenty), RationalField(0x0002, 5, 2), RationalField(0x0003, 7, 0),
             RawField(0x0004, 6, 2, {0xFF, 0x80}), RawField(0x0005, 7, 3, {'a', 'b', 'c'}),
             RawField(0x0006, 8, 1, {0x00, 0x80}), RawField(0x0007, 9, 1, {0xFE, 0xFF, 0xFF, 0xFF}),
             RawField(0x0008, 2, 12, {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0, 0, 0, 0}),
             ByteField(0x0009, Bytes(twenty.begin(), twenty.begin() + 16)),
             ByteField(0x000A, Bytes(twenty.begin(), twenty.begin() + 17)),
             AsciiField(0x000B, std::string(255, 'a') + "b"),
             AsciiField(0x000C, std::string(256, 'a') + "b")}));
  // Only sixteen components are shown; the last of them decides the number.
  EXPECT_EQ(data.FindEntry("main.0001")->ValueText(), "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 ...");
  EXPECT_EQ(data.NumericValue("main.0001"), 15.0);
  EXPECT_EQ(data.NumericValue("main.0002"), 2.5);
  EXPECT_EQ(data.FindEntry("main.0002")->RoundedValue(), 3);
  EXPECT_EQ(data.NumericValue("main.0003"), 0.0);  // a zero denominator gives no number
  EXPECT_EQ(data.FindEntry("main.0004")->ValueText(), "-1 -128");
  EXPECT_EQ(data.FindEntry("main.0005")->ValueText(), "61 62 63");
  EXPECT_EQ(data.NumericValue("main.0005"), 'c');
  EXPECT_EQ(data.NumericValue("main.0006"), -32768.0);
  EXPECT_EQ(data.NumericValue("main.0007"), -2.0);
  EXPECT_EQ(data.FindEntry("main.0008")->ValueText(), "one");
  // Sixteen components are shown whole; a seventeenth is left out.
  EXPECT_EQ(data.FindEntry("main.0009")->ValueText(), "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15");
  EXPECT_EQ(data.FindEntry("main.000a")->ValueText(), "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 ...");
  EXPECT_EQ(data.NumericValue("main.000a"), 15.0);
  // Texts are kept up to 256 bytes.
  EXPECT_EQ(data.FindEntry("main.000b")->ValueText(), std::string(255, 'a') + "b");
  EXPECT_EQ(data.FindEntry("main.000c")->ValueText(), std::string(256, 'a'));
}

TEST(ExifData, HugeQuotientsSaturateTheRoundedValue) {
  const PLExifData data = Read(
      WithMain(false, {SignedRationalField(0x0001, INT_MIN, -1),
                       SignedRationalField(0x0002, INT_MIN, 1), LongField(0x0003, 0xFFFFFFFFu)}));
  EXPECT_EQ(data.NumericValue("main.0001"), 2147483648.0);
  EXPECT_EQ(data.FindEntry("main.0001")->RoundedValue(), INT_MAX);
  EXPECT_EQ(data.FindEntry("main.0002")->RoundedValue(), INT_MIN + 1);  // trunc(x + 0.5)
  // A long is held as a signed 32-bit number, as the format table says.
  EXPECT_EQ(data.FindEntry("main.0003")->ValueText(), "4294967295");
  EXPECT_EQ(data.NumericValue("main.0003"), -1.0);
}

TEST(ExifData, CopiesShareEntriesAndOutliveTheOriginal) {
  PLExifData original = Read(WithMain(false, {ShortField(0x0112, 8)}));
  PLExifData copy;
  copy = original;
  EXPECT_EQ(copy.FindEntry("main.ori"), original.FindEntry("main.ori"));
  EXPECT_EQ(copy.SegmentLength(), original.SegmentLength());
  original.Clear();
  EXPECT_EQ(original.FindEntry("main.ori"), nullptr);
  EXPECT_EQ(copy.NumericValue("main.ori"), 8.0);
}

TEST(ExifData, RefusesUnknownFormatsInEveryDirectory) {
  const ExifField bad = RawField(0x0112, 13, 1, {6, 0, 0, 0});
  ExpectBadExif(WithMain(false, {ShortField(0x010F, 1), bad}), kBadFormat);
  ExpectBadExif(ExifBuilder(true).Main({}).Sub({bad}).Payload(), kBadFormat);
  ExpectBadExif(ExifBuilder(false).Main({}).Gps({RawField(0x0001, 0, 1, {})}).Payload(),
                kBadFormat);
  ExpectBadExif(
      ExifBuilder(false).Main({AsciiField(0x010F, "Canon")}).Sub({CanonMakerNote({bad})}).Payload(),
      kBadFormat);
}

TEST(ExifData, AcceptsValuesUpTo65536BytesAndNoMore) {
  // Such values cannot fit in a JPEG marker, but the limit holds for any segment.
  const Bytes big(65537, 'x');
  const Bytes accepted =
      WithMain(false, {RawField(0x0001, 7, 65536, Bytes(big.begin(), big.end() - 1))});
  EXPECT_EQ(Read(accepted).FindEntry("main.0001")->Count(), 65536u);
  ExpectBadExif(WithMain(false, {RawField(0x0001, 7, 65537, big)}), kBadCount);
  // 8193 rationals are 65544 bytes.
  ExpectBadExif(WithMain(false, {RawField(0x0001, 5, 8193, Bytes(65544))}), kBadCount);
  ExpectBadExif(WithMain(false, {RawField(0x0001, 3, 0xFFFFFFFFu, Bytes(8))}), kBadCount);
}

TEST(ExifData, RefusesEveryReadOutsideTheSegment) {
  ExifField past = RawField(0x0001, 1, 16, Bytes(16));
  past.forcedOffset = 1000;
  ExpectBadExif(WithMain(false, {past}), kOutside);
  // An offset that wraps around in 32 bits must not land inside the segment.
  ExifField wrapping = RawField(0x0001, 1, 16, Bytes(16));
  wrapping.forcedOffset = 0xFFFFFFF8u;
  ExpectBadExif(WithMain(true, {wrapping}), kOutside);
  // The sub directory's offset, and a negative one.
  ExpectBadExif(WithMain(false, {LongField(0x8769, 5000)}), kOutside);
  ExpectBadExif(WithMain(false, {SignedRationalField(0x8825, -100, 1)}), kOutside);
  // A first directory beyond the end; a directory whose entries run past the end.
  ExpectBadExif({'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 0xFF, 0, 0, 0}, kOutside);
  ExpectBadExif({'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 3, 0, 1, 1}, kOutside);
  // A header cut short before the first directory's offset.
  ExpectBadExif({'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0}, kOutside);
  // A value that starts inside and ends one byte past the end.
  Bytes payload = WithMain(false, {RawField(0x0001, 1, 8, Bytes(8, 'a'))});
  payload.pop_back();
  ExpectBadExif(payload, kOutside);
}

struct MakerCase {
  const char* make;
  const char* model;
  ExifField note;
  const char* key;
};

class ExifMakerNote : public testing::TestWithParam<bool> {};

TEST_P(ExifMakerNote, ReadsEachMakersLayout) {
  const std::vector<ExifField> fields = {ShortField(0x0004, 42), ShortField(0x1000, 42),
                                         ShortField(0x0201, 42)};
  const MakerCase cases[] = {
      {"Canon", "EOS", CanonMakerNote(fields), "canon.cnset2"},
      {"OLYMPUS OPTICAL CO.,LTD", "C3030Z", OlympusMakerNote(fields), "oly.jpegqual"},
      {"NIKON", "E950", OldNikonMakerNote(fields), "nikon.colormode"},
      {"NIKON CORPORATION", "NIKON D70", NikonMakerNote(fields), "nikon2.quality"},
      {"FUJIFILM", "FinePix", FujiMakerNote(fields), "fuji.quality"},
      {"CASIO", "QV-3000", CanonMakerNote(fields), "casio.flashmode"},
      {"Larkfield", "L1", CanonMakerNote(fields), nullptr},
  };
  for (const MakerCase& c : cases) {
    SCOPED_TRACE(c.make);
    const PLExifData data =
        Read(ExifBuilder(GetParam())
                 .Main({AsciiField(0x010F, c.make), AsciiField(0x0110, c.model)})
                 .Sub({ShortField(0x829A, 1), c.note})
                 .Payload());
    if (c.key) {
      EXPECT_EQ(data.NumericValue(c.key), 42.0);
      EXPECT_EQ(data.MakerEntries().size(), 3u);
    } else {
      EXPECT_EQ(data.MakerEntries().size(), 0u);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(LittleAndBigEndian, ExifMakerNote, testing::Values(false, true));

}  // namespace
