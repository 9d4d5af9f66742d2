#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "roster/ClassMember.h"

// The subjects of a photo event as a class list file gives them: a CSV file in UTF-8 (a
// byte-order mark allowed) whose header row names the columns FirstName, LastName and Picture,
// and optionally Main, in any order and among other columns. Fields may be quoted, with doubled
// quotes inside and commas and line ends kept; lines end in LF, CR LF or CR. A list that cannot
// be read keeps no members and an error that names the file and the line.
class ClassList {
 public:
  // Bounds that keep a hostile file from making the reader use unbounded memory.
  static constexpr std::size_t MaxFileBytes = std::size_t{16} << 20;
  static constexpr std::size_t MaxMembers = 100000;
  static constexpr std::size_t MaxFieldBytes = 4096;
  static constexpr std::size_t MaxColumns = 256;

  // Reads the list in the file; relative picture paths resolve against the file's folder.
  static ClassList Read(const std::string& path);
  // Reads text as a list whose relative picture paths resolve against folder; name stands for
  // the file in messages.
  static ClassList Parse(std::string_view text, const std::string& folder, const std::string& name);

  bool Ok() const { return error_.empty(); }
  // "NAME, line N: reason", or "cannot read NAME: reason"; empty for a list that was read.
  const std::string& Error() const { return error_; }
  // The line the error is about, counted from 1; 0 when it is about the whole file.
  std::size_t ErrorLine() const { return errorLine_; }

  const std::vector<ClassMember>& Members() const { return members_; }
  // The member shown as the main image: the one marked Main, or else the first.
  std::size_t MainIndex() const { return mainIndex_; }

 private:
  void Fail(const std::string& name, std::size_t line, const std::string& reason);

  std::vector<ClassMember> members_;
  std::size_t mainIndex_ = 0;
  std::string error_;
  std::size_t errorLine_ = 0;
};
