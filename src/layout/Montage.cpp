#include "layout/Montage.h"

#include <array>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string_view>
#include <type_traits>
#include <variant>

#include "layout/FieldForms.h"
#include "layout/LayoutText.h"
#include "layout/LayoutVersion.h"
#include "layout/MontageHandler.h"
#include "records/Archive.h"
#include "records/FieldReader.h"
#include "records/FieldWriter.h"

namespace {

constexpr std::string_view kSignature = "Montage";
// The rest of the signature line is read past up to this many characters.
constexpr int kSignatureLineLimit = 1024;

// Lines and archive values that older versions had.
constexpr double kLastVersionWithOldLines = 1.891;  // below it: the two extra texts
constexpr double kFirstVersionWithCaptionLine = 0.08;
constexpr double kFirstVersionWithTolerance = 0.09;
// Above it the archive carries the record identity.
constexpr double kFirstVersionWithRecordId = 2.2;

// The entries of the layout file and of the archive form, which share one order, for a file or
// archive of the given version. Fonts are visited as whole FontDetails, the lines of older
// versions as DiscardedValue.
template <typename Layout, typename Visit>
void ForEachEntry(Layout& layout, double version, Visit visit) {
  DiscardedValue discarded;
  visit("CropHeight", layout.CropHeight);
  visit("CropWidth", layout.CropWidth);
  visit("MainImageMultiple", layout.MainImageMultiple);
  visit("PrintNames", layout.PrintNames);
  visit("ImageMargin", layout.ImageMargin);
  visit("MainImagePosition", layout.MainImagePosition);
  visit("OuterMarginColour", layout.OuterMarginColour);
  visit("InnerFrameColour", layout.InnerFrameColour);
  visit("OuterFrameColour", layout.OuterFrameColour);
  visit("OuterMargin", layout.OuterMargin);
  visit("InnerFrame", layout.InnerFrame);
  visit("OuterFrame", layout.OuterFrame);
  visit("OuterMargin3d", layout.OuterMargin3d);
  visit("InnerFrame3d", layout.InnerFrame3d);
  visit("OuterFrame3d", layout.OuterFrame3d);
  visit("PrintNamesFirstLast", layout.PrintNamesFirstLast);
  visit("SortFirstName", layout.SortFirstName);
  visit("PrintNames2Lines", layout.PrintNames2Lines);
  visit("NameFont", layout.NameFont);
  visit("MainNameFont", layout.MainNameFont);
  visit("Portrait", layout.Portrait);
  visit("BackgroundType", layout.BackgroundType);
  visit("BackgroundColour", layout.BackgroundColour);
  if (version < kLastVersionWithOldLines) visit("", discarded);
  visit("BackgroundOverwrite", layout.BackgroundOverwrite);
  visit("DropShadowWidth", layout.DropShadowWidth);
  visit("DropShadowRight", layout.DropShadowRight);
  visit("DropShadowDepth", layout.DropShadowDepth);
  visit("PrintLogo", layout.PrintLogo);
  visit("SingleLogo", layout.SingleLogo);
  visit("LogoLeft", layout.LogoLeft);
  visit("LogoTop", layout.LogoTop);
  visit("NumCaptionLines", layout.NumCaptionLines);
  for (auto& font : layout.CaptionFonts) visit("CaptionFonts", font);
  visit("CaptionPosition", layout.CaptionPosition);
  visit("CaptionAbove", layout.CaptionAbove);
  visit("CaptionRows", layout.CaptionRows);
  visit("CaptionCols", layout.CaptionCols);
  if (version > kFirstVersionWithCaptionLine && version < kLastVersionWithOldLines) {
    visit("", discarded);
  }
  if (version > kFirstVersionWithTolerance) {
    visit("LogoTransparencyTolerance", layout.LogoTransparencyTolerance);
  }
}

template <typename T>
constexpr bool kIsFont = std::is_same_v<std::remove_cvref_t<T>, FontDetails>;
template <typename T>
constexpr bool kIsDiscarded = std::is_same_v<std::remove_cvref_t<T>, DiscardedValue>;

using Member = std::variant<std::uint32_t Montage::*, std::int32_t Montage::*, bool Montage::*,
                            std::string Montage::*>;

// The scalar fields of the tagged stream; a field's tag is its index.
constexpr std::array<Member, 35> kTaggedFields{
    &Montage::OuterMargin,
    &Montage::OuterMarginColour,
    &Montage::OuterMargin3d,
    &Montage::CropHeight,
    &Montage::CropWidth,
    &Montage::MainImageMultiple,
    &Montage::ImageMargin,
    &Montage::MainImagePosition,
    &Montage::InnerFrameColour,
    &Montage::OuterFrameColour,
    &Montage::InnerFrame,
    &Montage::OuterFrame,
    &Montage::InnerFrame3d,
    &Montage::OuterFrame3d,
    &Montage::Portrait,
    &Montage::DropShadowWidth,
    &Montage::DropShadowDepth,
    &Montage::DropShadowRight,
    &Montage::PrintNames,
    &Montage::PrintNamesFirstLast,
    &Montage::SortFirstName,
    &Montage::PrintNames2Lines,
    &Montage::BackgroundType,
    &Montage::BackgroundColour,
    &Montage::BackgroundOverwrite,
    &Montage::PrintLogo,
    &Montage::SingleLogo,
    &Montage::LogoLeft,
    &Montage::LogoTop,
    &Montage::NumCaptionLines,
    &Montage::CaptionPosition,
    &Montage::CaptionAbove,
    &Montage::CaptionRows,
    &Montage::CaptionCols,
    &Montage::LogoTransparencyTolerance,
};

constexpr std::uint16_t kEndTag = kTaggedFields.size();

// The kinds of the tagged stream and the selectors of the nested fonts.
constexpr int kNestedRecord = 0;
constexpr int kFieldList = 2;
constexpr std::uint8_t kNameFontSelector = 30;
constexpr std::uint8_t kMainNameFontSelector = 31;
constexpr std::uint8_t kCaptionFontSelector = 32;

// Discards the rest of the signature line, the line feed included, within the limit.
void SkipSignatureLine(std::istream& stream) {
  std::streambuf* buffer = stream.good() ? stream.rdbuf() : nullptr;
  if (buffer == nullptr) return;
  for (int count = 0; count < kSignatureLineLimit; ++count) {
    const auto c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      stream.setstate(std::ios::eofbit);
      return;
    }
    if (c == '\n') return;
  }
}

}  // namespace

void Montage::WriteText(std::ostream& stream) const {
  stream << kSignature << ',' << FormatVersion(LayoutFileVersion) << ",\n";
  ForEachEntry(*this, LayoutFileVersion, [&](std::string_view key, const auto& value) {
    if constexpr (kIsFont<decltype(value)>) {
      value.WriteText(stream);
    } else if constexpr (!kIsDiscarded<decltype(value)>) {
      WriteTextLine(stream, key, value);
    }
  });
}

LayoutReadResult Montage::ReadText(std::istream& stream) {
  // The signature token is read no further than one character past "Montage", so that a file
  // that is one long line of anything else is refused at once.
  std::string token;
  ReadToken(stream, token, kSignature.size(), LongToken::Stop);
  if (token != kSignature) {
    return {LayoutReadResult::Outcome::NotALayout, "The file is not a layout file."};
  }
  token.clear();
  ReadToken(stream, token);
  const double version = ParseDouble(token).value_or(0);
  SkipSignatureLine(stream);
  if (version > LayoutFileVersion) {
    return {LayoutReadResult::Outcome::LaterVersion,
            "The layout file was generated by a later version of the software\nSaved version is " +
                FormatVersion(version) + ". This version is " + FormatVersion(LayoutFileVersion)};
  }
  ForEachEntry(*this, version, [&](std::string_view, auto& value) {
    if constexpr (kIsFont<decltype(value)>) {
      value.ReadText(stream);
    } else {
      std::string key;
      ReadToken(stream, key);
      ReadTextValue(stream, value);
    }
  });
  NoteLayoutVersionRead(version);
  ModifiedMask.ClearAll();
  return {};
}

Archive& Montage::WriteArchive(Archive& archive) const {
  archive.WriteInt(RecordId);
  ForEachEntry(*this, LayoutFileVersion, [&](std::string_view, const auto& value) {
    if constexpr (kIsFont<decltype(value)>) {
      value.WriteArchive(archive);
    } else if constexpr (!kIsDiscarded<decltype(value)>) {
      WriteArchiveValue(archive, value);
    }
  });
  return archive;
}

Archive& Montage::ReadArchive(Archive& archive) {
  // Read into a copy so that an archive that ends part-way leaves the layout as it was.
  const double version = LastReadLayoutVersion();
  Montage read(*this);
  if (version > kFirstVersionWithRecordId) read.RecordId = archive.ReadInt();
  ForEachEntry(read, version, [&](std::string_view, auto& value) {
    if constexpr (kIsFont<decltype(value)>) {
      value.ReadArchive(archive);
    } else {
      ReadArchiveValue(archive, value);
    }
  });
  read.ModifiedMask.ClearAll();
  *this = read;
  return archive;
}

std::string Montage::Description() const { return "Montage: " + std::to_string(RecordId); }

void Montage::MarkAllModified() { ModifiedMask.SetRange(0, kEndTag - 1); }

void Montage::WriteFields(bool onlyModified, std::ostream& stream, bool writeEndTag) {
  FieldWriter writer(stream);
  for (std::uint16_t tag = 0; tag < kTaggedFields.size(); ++tag) {
    if (onlyModified && !ModifiedMask.IsSet(tag)) continue;
    std::visit([&](auto member) { WriteTaggedValue(writer, tag, this->*member); },
               kTaggedFields[tag]);
    ModifiedMask.Clear(tag);
  }
  if (writeEndTag) writer.WriteTag(kEndTag);
}

int Montage::ReadFields(std::istream& stream) {
  FieldReader reader(stream, Description());
  const int kind = reader.ReadByte();
  if (kind == kNestedRecord) {
    const std::uint8_t selector = reader.ReadByte();
    reader.ReadInt();  // The store's reference to the font, which this record does not need.
    // A font that the layout has no place for is read into a scratch record and dropped, as
    // unknown tags are, so that the stream stays in step.
    FontDetails unplaced;
    FontDetails* font = &unplaced;
    if (selector == kNameFontSelector) {
      font = &NameFont;
    } else if (selector == kMainNameFontSelector) {
      font = &MainNameFont;
    } else if (selector == kCaptionFontSelector) {
      const std::uint32_t index = reader.ReadInt();
      if (index < CaptionFonts.size()) font = &CaptionFonts[index];
    }
    font->ReadFields(stream);
  } else if (kind == kFieldList) {
    for (std::uint16_t tag = reader.ReadTag(); tag != kEndTag; tag = reader.ReadTag()) {
      if (tag >= kTaggedFields.size()) continue;
      std::visit([&](auto member) { ReadTaggedValue(reader, this->*member); }, kTaggedFields[tag]);
      ModifiedMask.Clear(tag);
    }
  }
  return kind;
}

DatabaseRecord* Montage::Clone(DatabaseRecord& target) const {
  auto* layout = dynamic_cast<Montage*>(&target);
  if (layout != nullptr && layout != this) {
    for (const Member& field : kTaggedFields) {
      std::visit([&](auto member) { layout->*member = this->*member; }, field);
    }
  }
  return layout;
}

std::unique_ptr<DatabaseRecord> Montage::Clone() const {
  auto copy = std::make_unique<Montage>();
  Clone(*copy);
  return copy;
}

bool Montage::Dispatch(Handler& handler) {
  auto* layouts = dynamic_cast<MontageHandler*>(&handler);
  return layouts != nullptr && layouts->HandleMontage(*this);
}
