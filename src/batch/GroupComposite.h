#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "roster/FieldTemplate.h"

class ClassList;
class CompositeSubjects;
class PreviewSettings;
class SchoolGroups;
struct Group;

// The caption lines of the preview settings read as field templates, so that each group's
// composite says its own teacher, grade or count ("{Teacher}, {Grade}"). The lines are checked
// once, before anything is drawn, and then filled per group.
class CaptionFields {
 public:
  explicit CaptionFields(const PreviewSettings& settings);

  bool Ok() const { return error_.empty(); }
  // The first line refused, named by its number: "caption line 2: unknown field {Techer}; ...".
  const std::string& Error() const { return error_; }

  // The settings with each caption line filled for the group.
  PreviewSettings For(const PreviewSettings& settings, const Group& group) const;

 private:
  std::array<FieldTemplate, 4> lines_;
  std::string error_;
};

// The subjects of one group's composite: its pupils and its teacher (or the teacher's stand-in)
// as the main image, as the batch and `render --group` draw them.
CompositeSubjects GroupSubjects(const Group& group);

// The group of the school called name (trimmed, case aside), or null with error naming the list
// and every group it has, so that a mistyped name is put right at once.
const Group* ChooseGroup(const SchoolGroups& groups, std::string_view name, const ClassList& list,
                         std::string& error);
