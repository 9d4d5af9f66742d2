#include "roster/FieldTemplate.h"

#include <algorithm>
#include <array>
#include <utility>

#include "roster/CaseFold.h"
#include "roster/Group.h"

namespace {

constexpr char kKnownFields[] =
    "the fields are {Teacher}, {Grade}, {HomeRoom}, {Volume}, {Group} and {Count}";

}  // namespace

FieldTemplate::Field FieldTemplate::FieldNamed(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, Field>, 6> kNames = {
      {{"Teacher", Field::Teacher},
       {"Grade", Field::Grade},
       {"HomeRoom", Field::HomeRoom},
       {"Volume", Field::Volume},
       {"Group", Field::Group},
       {"Count", Field::Count}}};
  for (const auto& [known, field] : kNames) {
    if (SameIgnoringCaseAndSpaces(name, known)) return field;
  }
  return Field::None;
}

FieldTemplate FieldTemplate::Parse(std::string_view text) {
  FieldTemplate parsed;
  std::string literal;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool doubled = i + 1 < text.size() && text[i + 1] == c;
    if ((c == '{' || c == '}') && doubled) {
      literal += c;
      ++i;
      continue;
    }
    if (c == '}') {
      parsed.error_ = "a \"}\" closes no field (write }} for a brace)";
      return parsed;
    }
    if (c != '{') {
      literal += c;
      continue;
    }
    const std::size_t close = text.find('}', i + 1);
    const std::size_t open = text.find('{', i + 1);
    if (close == std::string_view::npos || open < close) {
      const std::string_view opened = text.substr(i, std::min(open, text.size()) - i);
      parsed.error_ =
          "the field \"" + std::string(opened) + "\" is not closed (write {{ for a brace)";
      return parsed;
    }
    const std::string_view name = text.substr(i + 1, close - i - 1);
    const Field field = FieldNamed(name);
    if (field == Field::None) {
      parsed.error_ = "unknown field {" + std::string(name) + "}; " + kKnownFields;
      return parsed;
    }
    if (!literal.empty()) parsed.pieces_.push_back({std::exchange(literal, {}), Field::None});
    parsed.pieces_.push_back({{}, field});
    i = close;
  }
  if (!literal.empty()) parsed.pieces_.push_back({std::move(literal), Field::None});
  return parsed;
}

bool FieldTemplate::HasFields() const {
  return std::any_of(pieces_.begin(), pieces_.end(),
                     [](const Piece& piece) { return piece.Of != Field::None; });
}

std::string FieldTemplate::Fill(const Group& group) const {
  std::string filled;
  for (const Piece& piece : pieces_) {
    switch (piece.Of) {
      case Field::None:
        filled += piece.Text;
        break;
      case Field::Teacher:
        filled += group.TeacherName;
        break;
      case Field::Grade:
        filled += group.Grade;
        break;
      case Field::HomeRoom:
        filled += group.HomeRoom;
        break;
      case Field::Volume:
        filled += group.Volume;
        break;
      case Field::Group:
        filled += group.Name;
        break;
      case Field::Count:
        filled += std::to_string(group.PupilCount());
        break;
    }
  }
  return filled;
}
