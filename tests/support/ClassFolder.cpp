#include "support/ClassFolder.h"

#include "support/TestExif.h"
#include "support/TestJpeg.h"

namespace testsupport {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string ClassListText(const std::vector<ClassRow>& rows, bool withMain,
                          const std::string& lineEnd) {
  std::string text = withMain ? "FirstName,LastName,Picture,Main" : "FirstName,LastName,Picture";
  text += lineEnd;
  for (const ClassRow& row : rows) {
    text += CsvField(row.first) + "," + CsvField(row.last) + "," + CsvField(row.picture);
    if (withMain) text += row.main ? ",1" : ",";
    text += lineEnd;
  }
  return text;
}

std::filesystem::path WriteClassPicture(const std::filesystem::path& folder,
                                        const std::string& name, const ClassPictureOptions& options,
                                        const std::vector<std::uint8_t>& pixels) {
  JpegOptions jpeg;
  jpeg.width = options.width;
  jpeg.height = options.height;
  std::vector<std::uint8_t> bytes = EncodeJpeg(
      jpeg,
      pixels.empty() ? PhotoLikeSamples(options.width, options.height, 3, options.seed) : pixels);
  if (options.orientation != 0) {
    const auto payload =
        ExifBuilder(false)
            .Main({ShortField(0x0112, static_cast<std::uint16_t>(options.orientation))})
            .Payload();
    bytes = InsertApp1(bytes, payload);
  }
  const std::filesystem::path path = folder / name;
  std::filesystem::create_directories(path.parent_path());
  WriteFile(path.string(), bytes);
  return path;
}

std::filesystem::path WriteClassFolder(const std::filesystem::path& folder,
                                       const std::vector<ClassRow>& rows, bool withMain,
                                       const std::string& listName) {
  std::uint32_t seed = 1;
  for (const ClassRow& row : rows) {
    ++seed;
    if (row.picture.empty() || row.picture.rfind("missing", 0) == 0 ||
        std::filesystem::path(row.picture).is_absolute() ||
        std::filesystem::exists(folder / row.picture)) {
      continue;
    }
    WriteClassPicture(folder, row.picture, {.seed = seed});
  }
  const std::string text = ClassListText(rows, withMain);
  const std::filesystem::path list = folder / listName;
  WriteFile(list.string(), std::vector<std::uint8_t>(text.begin(), text.end()));
  return list;
}

}  // namespace testsupport
