// Writes the seed corpora of the layout archive and tagged field fuzzers from layout files: each
// layout's archive (after the byte by which that fuzzer picks the version rule, here the current
// one), its field list, and its fonts as the nested records the field reader also takes.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "layout/Montage.h"
#include "records/Archive.h"

namespace {

// The current version's place in the archive fuzzer's list of versions.
constexpr char kCurrentVersionRule = 5;
// The kinds and font selectors of the tagged stream, as the layout's field reader knows them.
constexpr char kNestedRecord = 0;
constexpr char kFieldList = 2;
constexpr char kNameFontSelector = 30;
constexpr char kMainNameFontSelector = 31;
constexpr char kCaptionFontSelector = 32;

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void PutInt(std::string& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(value >> shift);
}

// A font as a nested record: the kind, the selector, the store's reference to the font, the
// caption line for a caption font, then the font's own kind byte and fields.
std::string FontRecord(FontDetails& font, char selector, int captionLine) {
  std::string bytes{kNestedRecord, selector};
  PutInt(bytes, 7);
  if (captionLine >= 0) PutInt(bytes, static_cast<std::uint32_t>(captionLine));
  std::ostringstream fields;
  fields.put(kFieldList);
  font.WriteFields(false, fields, true);
  return bytes + fields.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s ARCHIVE-SEED-FOLDER FIELDS-SEED-FOLDER LAYOUT...\n", argv[0]);
    return 2;
  }
  const std::string archiveFolder = argv[1];
  const std::string fieldsFolder = argv[2];
  for (int i = 3; i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    Montage layout;
    if (!layout.ReadText(file)) {
      std::fprintf(stderr, "%s: not a layout file\n", argv[i]);
      return 1;
    }
    const std::string name = std::to_string(i - 3);
    Archive archive;
    layout.WriteArchive(archive);
    Write(archiveFolder + "/layout" + name, kCurrentVersionRule + archive.Bytes());

    std::ostringstream fields;
    fields.put(kFieldList);
    layout.WriteFields(false, fields, true);
    Write(fieldsFolder + "/layout" + name, fields.str());
    Write(fieldsFolder + "/name-font" + name, FontRecord(layout.NameFont, kNameFontSelector, -1));
    Write(fieldsFolder + "/main-name-font" + name,
          FontRecord(layout.MainNameFont, kMainNameFontSelector, -1));
    Write(fieldsFolder + "/caption-font" + name,
          FontRecord(layout.CaptionFonts.back(), kCaptionFontSelector,
                     static_cast<int>(layout.CaptionFonts.size()) - 1));
  }
  return 0;
}
