#pragma once

#include <cstddef>
#include <string>

// How a member's picture was found when the list's name for it named no file.
enum class PictureMatch {
  AsWritten,           // the path as the list gives it, whether or not a file is there
  IgnoringCase,        // the one file whose name differs from the list's only in case
  SeveralIgnoringCase  // more than one file differs only in case, so none was taken
};

// One subject of a class list or a portrait index: the names as the list writes them (trimmed,
// line ends inside a name made spaces) and the path of the subject's picture, made absolute
// against the list's folder; an empty path for a subject without a picture. The school's fields
// are empty where the list has no such column.
struct ClassMember {
  std::string FirstName;
  std::string LastName;
  std::string Picture;
  bool Main = false;
  std::size_t Line = 0;  // the line the subject's row starts on, counted from 1

  std::string Grade;    // a class year, or a word such as "Faculty" for staff
  std::string Teacher;  // the teacher's name as the pupil's row writes it
  std::string HomeRoom;
  std::string Title;   // "Mrs.", "Dr.", "Principal" or a job; only staff have one
  std::string Volume;  // the name of the portrait disc, often the school's

  PictureMatch Match = PictureMatch::AsWritten;
  // The path the list names, when Match is not AsWritten; Picture is then the file found, or
  // this path again when several were.
  std::string WrittenPicture;
  // A stand-in for a group's teacher whom no row of the list could be matched to: no picture,
  // the Teacher Name for a name. The drawing shows a placeholder in its cell.
  bool StandIn = false;
};
