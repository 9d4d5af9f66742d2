#pragma once

#include <memory>
#include <string>

class PreviewSettings;
class SchoolGroups;
struct Group;

// The groups of the class list the settings name, as the form's Group list shows them and the
// preview draws them: grouped as the list suggests (see DefaultGroupBy). Null for no list, a
// list that cannot be read or grouped, and a plain class list, whose members are one class. The
// list is grouped again only when it was read again (see ClassListCache). User-interface thread
// only.
std::shared_ptr<const SchoolGroups> PreviewSchoolGroups(const PreviewSettings& settings);

// The group the preview draws: the one the settings' ClassGroup names, else the first. The
// groups are never empty.
const Group& PreviewGroup(const SchoolGroups& groups, const PreviewSettings& settings);

// The Group list's text for a group: "4B (25 pupils)".
std::string GroupListItem(const Group& group);
