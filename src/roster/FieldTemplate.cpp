#include "roster/FieldTemplate.h"

#include <array>
#include <optional>
#include <utility>

#include "roster/CaseFold.h"
#include "roster/Group.h"

namespace {

// A field's name and the value it is filled with.
struct FieldKind {
  std::string_view Name;
  std::string (*Value)(const Group&);
};

constexpr std::array<FieldKind, 6> kFields = {{
    {"Teacher", [](const Group& group) { return group.TeacherName; }},
    {"Grade", [](const Group& group) { return group.Grade; }},
    {"HomeRoom", [](const Group& group) { return group.HomeRoom; }},
    {"Volume", [](const Group& group) { return group.Volume; }},
    {"Group", [](const Group& group) { return group.Name; }},
    {"Count", [](const Group& group) { return std::to_string(group.PupilCount()); }},
}};

std::optional<std::size_t> FieldNamed(std::string_view name) {
  for (std::size_t field = 0; field < kFields.size(); ++field) {
    if (SameIgnoringCaseAndSpaces(name, kFields[field].Name)) return field;
  }
  return std::nullopt;
}

// "the fields are {Teacher}, ... and {Count}", for the refusal of an unknown one.
std::string KnownFields() {
  std::string known = "the fields are ";
  for (std::size_t field = 0; field < kFields.size(); ++field) {
    known += field == 0 ? "" : field + 1 == kFields.size() ? " and " : ", ";
    known += "{" + std::string(kFields[field].Name) + "}";
  }
  return known;
}

}  // namespace

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
    const std::optional<std::size_t> field = FieldNamed(name);
    if (!field) {
      parsed.error_ = "unknown field {" + std::string(name) + "}; " + KnownFields();
      return parsed;
    }
    if (!literal.empty()) parsed.pieces_.push_back({std::exchange(literal, {}), kText});
    parsed.pieces_.push_back({{}, *field});
    i = close;
  }
  if (!literal.empty()) parsed.pieces_.push_back({std::move(literal), kText});
  return parsed;
}

std::string FieldTemplate::Fill(const Group& group) const {
  std::string filled;
  for (const Piece& piece : pieces_) {
    filled += piece.Field == kText ? piece.Text : kFields[piece.Field].Value(group);
  }
  return filled;
}
