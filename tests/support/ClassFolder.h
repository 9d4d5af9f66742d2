#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Writes class lists with generated pictures, so that tests (and benchmarks) can draw a class
// without a photograph of anyone.
namespace testsupport {

// One row of a class list. Picture is the field as written in the list: a name relative to the
// list's folder, an absolute path, or "" for a subject without a picture.
struct ClassRow {
  std::string first;
  std::string last;
  std::string picture;
  bool main = false;
};

// A picture of a class member: its size as stored in the file, the Exif orientation to record
// (0 for no Exif data), and the seed that makes it differ from the others.
struct ClassPictureOptions {
  int width = 48;
  int height = 64;
  int orientation = 0;
  std::uint32_t seed = 1;
};

// A CSV field as a spreadsheet writes it: quoted, with doubled quotes, when it holds a comma,
// a quote or a line end; as it is otherwise.
std::string CsvField(const std::string& text);

// The text of a class list: the header FirstName,LastName,Picture (and Main when withMain), then
// one line per row, every line ended by lineEnd.
std::string ClassListText(const std::vector<ClassRow>& rows, bool withMain,
                          const std::string& lineEnd = "\n");

// A colour JPEG at folder/name that compresses like a photograph, with Exif orientation when
// asked for. The pixels, rows top-down as stored, may be given (3 bytes a pixel); they are made
// up from the seed otherwise. Returns the full path.
std::filesystem::path WriteClassPicture(const std::filesystem::path& folder,
                                        const std::string& name,
                                        const ClassPictureOptions& options = {},
                                        const std::vector<std::uint8_t>& pixels = {});

// Writes a picture for every row whose picture field is a plain name (one that does not start
// with "missing") of a file not there yet, each from its own seed, then the list itself at
// folder/listName. Returns the list's full path.
std::filesystem::path WriteClassFolder(const std::filesystem::path& folder,
                                       const std::vector<ClassRow>& rows, bool withMain,
                                       const std::string& listName = "class.csv");

}  // namespace testsupport
