#pragma once

#include <string>
#include <vector>

#include "batch/GroupOutcome.h"

class BatchPlan;

// The report a batch leaves in its output folder (report.csv) and the one line that sums it up.
//
// The report has a row per group asked for, in the school's order: the group, its grade,
// teacher and home room, its pupils, the main image (or why there is none), the missing and the
// unreadable pictures ("Name (path)"), the pictures found by a case-blind match ("Name (path as
// written -> path found)"), the smallest size a name was fitted to in points, the file written
// and the group's state. A row "Total" sums the counts (the staff group's staff are not counted
// among the pupils), and rows "Note" follow for what the
// caller should know of the whole batch, such as a list read as Windows-1252.
//
// Fields are quoted as spreadsheets read them. A field that starts with "=", "+", "-", "@", a
// TAB or a CR is preceded by an apostrophe, so that a spreadsheet shows a name such as
// "=HYPERLINK(...)" from a hostile list as text instead of running it as a formula.
std::string ReportText(const BatchPlan& plan, const std::vector<GroupOutcome>& outcomes,
                       const std::vector<std::string>& notes);

// "40 composites, 1,012 pupils, 3 missing pictures: see report.csv" over the composites written;
// "12 of 40 composites, ..." when not every one was.
std::string SummaryLine(const BatchPlan& plan, const std::vector<GroupOutcome>& outcomes);

// The number with a comma between each three digits: "1,012".
std::string WithThousands(std::size_t number);
