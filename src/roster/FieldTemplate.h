#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct Group;

// A caption line or a file name with fields in braces, filled for each group of a school:
//
//   {Teacher}   the teacher's printed name, or the pupils' Teacher Name
//   {Grade}     the group's grade
//   {HomeRoom}  the group's home room
//   {Volume}    the portrait disc's name, often the school's
//   {Group}     the group's name
//   {Count}     the pupils in the group; the main image (the teacher) is not counted
//
// Field names are read case and spaces aside ("{home room}"); "{{" and "}}" write a brace. A
// template is checked once, so that a mistake is told before anything is drawn, and then filled
// per group.
class FieldTemplate {
 public:
  // Reads the text; an unknown field, a brace left open or a lone closing brace refuses it.
  static FieldTemplate Parse(std::string_view text);

  bool Ok() const { return error_.empty(); }
  // Why the template was refused, naming the field: "unknown field {Techer}; ...".
  const std::string& Error() const { return error_; }

  // The text with every field replaced by the group's value.
  std::string Fill(const Group& group) const;

 private:
  // A run of text, or one of the fields when Field is not kText.
  static constexpr std::size_t kText = static_cast<std::size_t>(-1);
  struct Piece {
    std::string Text;
    std::size_t Field = kText;
  };

  std::vector<Piece> pieces_;
  std::string error_;
};
