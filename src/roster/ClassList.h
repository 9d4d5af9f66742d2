#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "roster/ClassMember.h"

// The two forms of list a class or a school comes in.
enum class ListForm {
  // Our class list: a CSV file in UTF-8 (a byte-order mark allowed) whose header row names the
  // columns FirstName, LastName and Picture, and optionally Main, Grade, Teacher, HomeRoom and
  // Title, in any order and among other columns (case and spaces in the labels aside). Fields
  // may be quoted, with doubled quotes inside and commas and line ends kept; lines end in LF,
  // CR LF or CR.
  ClassListCsv,
  // A school's portrait index (see PortraitIndex.h).
  PortraitIndex
};

// The subjects of a photo event as a class list or a portrait index gives them. A list that
// cannot be read keeps no members and an error that names the file and the line.
class ClassList {
 public:
  // Bounds that keep a hostile file from making the reader use unbounded memory.
  static constexpr std::size_t MaxFileBytes = std::size_t{16} << 20;
  static constexpr std::size_t MaxMembers = 100000;
  static constexpr std::size_t MaxFieldBytes = 4096;
  static constexpr std::size_t MaxColumns = 256;
  // The most images one composite shows, its main image included.
  static constexpr std::size_t MaxCompositeImages = 9999;

  // Which of the school's fields the list fills: Grade, Teacher and HomeRoom for some pupil (a
  // column only the staff rows fill does not group the pupils), Title and Volume for anyone.
  struct Columns {
    bool Grade = false;
    bool Teacher = false;
    bool HomeRoom = false;
    bool Title = false;
    bool Volume = false;
  };

  // Reads the list in the file; relative picture paths resolve against the file's folder. A
  // path that is not a regular file (a folder, a FIFO, a device) is refused without waiting.
  static ClassList Read(const std::string& path);
  // Reads text as a list whose relative picture paths resolve against folder; name stands for
  // the file in messages, and its extension helps tell the form (see FormOf).
  static ClassList Parse(std::string_view text, const std::string& folder, const std::string& name);
  // A list of these members, the one at mainIndex shown as the main image, named name.
  static ClassList Of(std::vector<ClassMember> members, std::size_t mainIndex, std::string name);

  // The form of a list: a name ending in ".csv" is a CSV list; otherwise a first line holding a
  // TAB is a portrait index and one holding a comma a CSV list; a first line with neither is a
  // portrait index when the name ends in ".txt" and a CSV list otherwise.
  static ListForm FormOf(std::string_view text, const std::string& name);

  bool Ok() const { return error_.empty(); }
  // "NAME, line N: reason", or "cannot read NAME: reason"; empty for a list that was read.
  const std::string& Error() const { return error_; }
  // The line the error is about, counted from 1; 0 when it is about the whole file.
  std::size_t ErrorLine() const { return errorLine_; }

  const std::vector<ClassMember>& Members() const { return members_; }
  // The member shown as the main image: the one marked Main, or else the first.
  std::size_t MainIndex() const { return mainIndex_; }

  // The file the list was read from, or the name it was given.
  const std::string& Name() const { return name_; }
  ListForm Form() const { return form_; }
  // The file was not UTF-8 and was read as Windows-1252.
  bool ReadAsWindows1252() const { return windows1252_; }
  const Columns& Filled() const { return filled_; }

  // Why the whole list cannot be drawn as one composite: the error it was refused with, or more
  // members than a composite shows. Empty when it can be drawn.
  std::string CompositeError() const;

 private:
  void Fail(std::size_t line, const std::string& reason);
  void FindFilledColumns();

  std::vector<ClassMember> members_;
  std::size_t mainIndex_ = 0;
  std::string name_;
  ListForm form_ = ListForm::ClassListCsv;
  bool windows1252_ = false;
  Columns filled_;
  std::string error_;
  std::size_t errorLine_ = 0;
};

// "a composite shows at most 9999 images; what has N": the refusal of a class or group too
// large to draw.
std::string TooManyImages(const std::string& what, std::size_t images);
