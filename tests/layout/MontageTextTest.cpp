#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "LayoutSamples.h"
#include "layout/LayoutText.h"
#include "layout/LayoutVersion.h"
#include "layout/Montage.h"
#include "support/TextChanges.h"

namespace {

LayoutReadResult Read(Montage& layout, const std::string& text) {
  std::istringstream in(text);
  return layout.ReadText(in);
}

using testsupport::ReplaceAll;
using testsupport::WithLines;

// The file of an older version: the default file with the older signature and the extra lines
// that version had.
std::string OldFile(const std::string& version, bool backgroundLine, bool captionLine,
                    bool toleranceLine) {
  std::string text = TextOf(EveryFieldChanged());
  text = ReplaceAll(text, "Montage,2.453,", "Montage," + version + ",");
  if (backgroundLine) {
    text = ReplaceAll(text, "BackgroundColour,0A0B0C\n", "BackgroundColour,0A0B0C\nOld,99\n");
  }
  if (captionLine) text = ReplaceAll(text, "CaptionCols,6\n", "CaptionCols,6\nOldCaption,98\n");
  if (!toleranceLine) text = ReplaceAll(text, "LogoTransparencyTolerance,40\n", "");
  return text;
}

TEST(MontageTextTest, WritesTheSignatureThenKeyValueLines) {
  const std::string text = TextOf(Montage());
  EXPECT_TRUE(text.starts_with("Montage,2.453,\nCropHeight,10\nCropWidth,8\n"));
  EXPECT_NE(text.find("\nPrintNames2Lines,0\nFontColour,000000\nFontName,Arial\nFontPoint,100\n"
                      "FontBold,0\nFontItalic,0\nFontColour"),
            std::string::npos);
  EXPECT_NE(text.find("\nNumCaptionLines,4\nFontColour,000000\nFontName,Arial\nFontPoint,480\n"),
            std::string::npos);
  EXPECT_TRUE(text.ends_with("\nCaptionCols,4\nLogoTransparencyTolerance,15\n"));
}

TEST(MontageTextTest, WritesUnsignedBitsAndSignedNumbers) {
  Montage layout;
  layout.OuterMargin = static_cast<std::uint32_t>(-5);
  layout.MainImagePosition = -3;
  const std::string text = TextOf(layout);
  EXPECT_NE(text.find("\nOuterMargin,4294967291\n"), std::string::npos);
  EXPECT_NE(text.find("\nMainImagePosition,-3\n"), std::string::npos);
}

TEST(MontageTextTest, DefaultsReadBackIntoALayoutThatDiffersEverywhere) {
  Montage layout = EveryFieldChanged();
  ASSERT_NE(TextOf(layout), TextOf(Montage()));
  layout.MarkAllModified();
  layout.NameFont.MarkAllModified();
  ASSERT_TRUE(Read(layout, TextOf(Montage())));
  EXPECT_EQ(TextOf(layout), TextOf(Montage()));
  EXPECT_EQ(layout.CaptionFonts[3].FontPoint, 180u);
  EXPECT_TRUE(layout.ModifiedMask.Empty());
  EXPECT_TRUE(layout.NameFont.ModifiedMask.Empty());
}

TEST(MontageTextTest, LineFeedAndCarriageReturnLineFeedFilesReadTheSame) {
  const std::string text = TextOf(EveryFieldChanged());
  Montage fromLf;
  Montage fromCrLf;
  ASSERT_TRUE(Read(fromLf, text));
  ASSERT_TRUE(Read(fromCrLf, ReplaceAll(text, "\n", "\r\n")));
  EXPECT_EQ(TextOf(fromLf), text);
  EXPECT_EQ(TextOf(fromCrLf), text);
}

// A saved version and the lines a file of that version carries: the text after
// BackgroundColour below 1.891, the one after CaptionCols above 0.08 and below 1.891, and the
// tolerance above 0.09. Each threshold is tried at its own number and a step to either side.
struct OldVersion {
  std::string version;
  bool backgroundLine, captionLine, toleranceLine;
};

// Failures name the version rather than the bytes of the row.
void PrintTo(const OldVersion& c, std::ostream* out) { *out << "version " << c.version; }

class MontageTextVersions : public testing::TestWithParam<OldVersion> {};

TEST_P(MontageTextVersions, ReadTheLinesOfTheirVersion) {
  const OldVersion& c = GetParam();
  Montage layout;
  layout.LogoTransparencyTolerance = 321;
  ASSERT_TRUE(Read(layout, OldFile(c.version, c.backgroundLine, c.captionLine, c.toleranceLine)));
  Montage expected = EveryFieldChanged();
  if (!c.toleranceLine) expected.LogoTransparencyTolerance = 321;
  EXPECT_EQ(TextOf(layout), TextOf(expected));
  EXPECT_EQ(LastReadLayoutVersion(), std::stod(c.version));
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, MontageTextVersions,
    testing::Values(OldVersion{"0.05", true, false, false},
                    OldVersion{"0.0799", true, false, false},
                    OldVersion{"0.08", true, false, false}, OldVersion{"0.0801", true, true, false},
                    OldVersion{"0.0899", true, true, false}, OldVersion{"0.09", true, true, false},
                    OldVersion{"0.0901", true, true, true}, OldVersion{"1.5", true, true, true},
                    OldVersion{"1.8909", true, true, true}, OldVersion{"1.891", false, false, true},
                    OldVersion{"1.8911", false, false, true},
                    OldVersion{"2.4529", false, false, true},
                    OldVersion{"2.453", false, false, true}));

// The current version is read without a word. A refused file leaves the layout and the version
// last read as they were, and says why in the words the user is told.
TEST(MontageTextTest, TheSignatureDecidesWhetherTheFileIsRead) {
  using Outcome = LayoutReadResult::Outcome;
  const std::string current = TextOf(EveryFieldChanged());
  const std::string later = ReplaceAll(current, "2.453", "2.4531");
  const std::string notLayout = "The file is not a layout file.";
  const struct {
    std::string text;
    Outcome outcome;
    std::string message;
  } cases[] = {
      {current, Outcome::Read, ""},
      {later, Outcome::LaterVersion,
       "The layout file was generated by a later version of the software\n"
       "Saved version is 2.4531. This version is 2.453"},
      {"", Outcome::NotALayout, notLayout},
      {"montage,2.453,\n", Outcome::NotALayout, notLayout},
      {"Montages,2.453,\n", Outcome::NotALayout, notLayout},
      {"Montag", Outcome::NotALayout, notLayout},
      {std::string("\x89PNG\r\n\x1A\n\0\0", 10), Outcome::NotALayout, notLayout},
      {"CropHeight,10\n", Outcome::NotALayout, notLayout},
  };
  NoteLayoutVersionRead(2.453);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Montage layout = EveryFieldChanged();
    const LayoutReadResult read = Read(layout, c.text);
    EXPECT_EQ(static_cast<bool>(read), c.outcome == Outcome::Read);
    EXPECT_EQ(read.What, c.outcome);
    EXPECT_EQ(read.Message, c.message);
    EXPECT_EQ(TextOf(layout), current);
    EXPECT_EQ(LastReadLayoutVersion(), 2.453);
  }
}

TEST(MontageTextTest, TheSignatureLineIsSkippedForAtMost1024Characters) {
  // The characters after the version's comma and the line feed together: up to 1024 of them are
  // skipped and the file reads in step; one more leaves the line feed, which reads as an empty
  // key, so that the key "CropHeight" is read as its value and, being no number, leaves the
  // field at its default.
  const std::string text = TextOf(EveryFieldChanged());
  const std::string body = text.substr(text.find('\n') + 1);
  const struct {
    std::size_t rest;
    bool inStep;
  } cases[] = {{0, true}, {1022, true}, {1023, true}, {1024, false}, {1025, false}};
  for (const auto& c : cases) {
    Montage layout;
    ASSERT_TRUE(Read(layout, "Montage,2.453," + std::string(c.rest, 'z') + "\n" + body));
    EXPECT_EQ(TextOf(layout) == text, c.inStep) << c.rest;
    EXPECT_EQ(layout.CropHeight, c.inStep ? 11u : 10u) << c.rest;
  }
}

// Changed lines of a file read over a layout: fields are read by position whatever their keys
// say, a number in parentheses is negative, a number token that is no number leaves its field
// but an empty one is zero, and quotes keep commas.
TEST(MontageTextTest, ChangedLinesReadOverALayout) {
  const std::string defaults = TextOf(Montage());
  Montage minusFive;
  minusFive.OuterMargin = static_cast<std::uint32_t>(-5);
  Montage noNumbers;
  noNumbers.CropHeight = 11;
  noNumbers.MainImagePosition = 7;
  noNumbers.InnerFrame3d = false;
  noNumbers.NameFont.FontPoint = 90;
  noNumbers.MainNameFont.FontPoint = 120;
  noNumbers.CaptionRows = 0;
  Montage quoted;
  quoted.InnerFrameColour = "A,B";
  const struct {
    const char* what;
    Montage before;
    std::string text;
    Montage after;
  } cases[] = {
      {"keys", Montage(),
       WithLines(TextOf(EveryFieldChanged()),
                 {{"CropHeight,11", "Nonsense,11"}, {"CropWidth,9", "CropHeight,9"}}),
       EveryFieldChanged()},
      {"parentheses", Montage(), WithLines(defaults, {{"OuterMargin,0", "OuterMargin,(5)"}}),
       minusFive},
      {"unsigned", Montage(), WithLines(defaults, {{"OuterMargin,0", "OuterMargin,4294967291"}}),
       minusFive},
      {"no numbers", EveryFieldChanged(),
       WithLines(defaults, {{"CropHeight,10", "CropHeight,ten"},
                            {"MainImagePosition,4", "MainImagePosition,middle"},
                            {"InnerFrame3d,1", "InnerFrame3d,no"},
                            {"FontPoint,100", "FontPoint,big"},
                            {"CaptionRows,1", "CaptionRows,"}}),
       noNumbers},
      {"quoted", Montage(),
       WithLines(defaults, {{"InnerFrameColour,AAAAAA", "InnerFrameColour,\"A,B\""}}), quoted},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Montage layout = c.before;
    ASSERT_TRUE(Read(layout, c.text));
    EXPECT_EQ(TextOf(layout), TextOf(c.after));
  }
}

TEST(MontageTextTest, AShortFileZeroesNumbersAndKeepsTexts) {
  Montage layout = EveryFieldChanged();
  ASSERT_TRUE(Read(layout, "Montage,2.453,\nCropHeight,4\n"));
  EXPECT_EQ(layout.CropHeight, 4u);
  EXPECT_EQ(layout.CropWidth, 0u);
  EXPECT_FALSE(layout.SortFirstName);
  EXPECT_EQ(layout.OuterMarginColour, "010203");
  EXPECT_EQ(layout.CaptionFonts[2].FontName, "Georgia");
  EXPECT_EQ(layout.CaptionFonts[2].FontPoint, 0u);
}

TEST(MontageTextTest, EveryAwkwardTextValueReadsBackUnchanged) {
  Montage layout;
  layout.NameFont.FontName = "Times, Bold";
  layout.MainNameFont.FontName = "\"Quoted\" Face";
  layout.CaptionFonts[0].FontName = "Two\nLines";
  layout.CaptionFonts[1].FontName = "  Indented";
  layout.CaptionFonts[2].FontName = "Ends in CR\r";
  layout.CaptionFonts[3].FontName = "Mid\"Quote";
  layout.BackgroundColour = "";
  layout.OuterMarginColour = std::string("N\0L\xFF", 4);
  const std::string text = TextOf(layout);
  EXPECT_NE(text.find("\nFontName,\"Times, Bold\"\n"), std::string::npos);
  EXPECT_NE(text.find("\nFontName,\"\"\"Quoted\"\" Face\"\n"), std::string::npos);

  Montage read = EveryFieldChanged();
  ASSERT_TRUE(Read(read, text));
  EXPECT_EQ(TextOf(read), text);
  EXPECT_EQ(read.CaptionFonts[1].FontName, "  Indented");
  EXPECT_EQ(read.CaptionFonts[3].FontName, "Mid\"Quote");
  EXPECT_EQ(read.LogoTransparencyTolerance, 15u);
}

TEST(MontageTextTest, BinaryBytesAfterTheSignatureAreReadWithoutHarm) {
  std::string text = "Montage,1.0,\n";
  for (int i = 0; i < 4096; ++i) text.push_back(static_cast<char>((i * 7919) % 256));
  Montage layout;
  EXPECT_TRUE(Read(layout, text));
  EXPECT_TRUE(Read(layout, TextOf(layout)));
}

// A stream of a head followed by a given number of copies of one byte, made as it is read.
class RepeatedByte : public std::streambuf {
 public:
  RepeatedByte(std::string head, char byte, std::size_t count)
      : head_(std::move(head)), remaining_(count) {
    chunk_.assign(65536, byte);
  }
  std::size_t Consumed() const { return consumed_; }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (!headServed_ && !head_.empty()) {
      setg(head_.data(), head_.data(), head_.data() + head_.size());
      headServed_ = true;
      return traits_type::to_int_type(*gptr());
    }
    if (remaining_ == 0) return traits_type::eof();
    const std::size_t count = std::min(remaining_, chunk_.size());
    remaining_ -= count;
    consumed_ += count;
    setg(chunk_.data(), chunk_.data(), chunk_.data() + count);
    return traits_type::to_int_type(*gptr());
  }

 private:
  std::string head_;
  bool headServed_ = false;
  std::string chunk_;
  std::size_t remaining_;
  std::size_t consumed_ = 0;
};

TEST(MontageTextTest, AHundredMegabyteLineIsRefusedAfterItsFirstBytes) {
  RepeatedByte bytes("", 'M', 100 * 1024 * 1024);
  std::istream in(&bytes);
  Montage layout;
  EXPECT_FALSE(layout.ReadText(in));
  EXPECT_LE(bytes.Consumed(), 65536u);
}

TEST(MontageTextTest, AHundredMegabyteValueIsCutAndTheRestReadsAsShort) {
  RepeatedByte bytes("Montage,2.453,\nCropHeight,", '7', 100 * 1024 * 1024);
  std::istream in(&bytes);
  Montage layout;
  EXPECT_TRUE(layout.ReadText(in));
  EXPECT_EQ(layout.CropHeight, 4294967295u);
  EXPECT_EQ(layout.CropWidth, 0u);
  EXPECT_EQ(bytes.Consumed(), 100u * 1024 * 1024);
}

}  // namespace
