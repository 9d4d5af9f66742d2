#include "batch/BatchReport.h"

#include <algorithm>
#include <array>

#include "batch/BatchPlan.h"
#include "roster/ClassList.h"
#include "roster/StaffRole.h"

namespace {

constexpr std::array<const char*, 12> kColumns = {"Group",
                                                  "Grade",
                                                  "Teacher",
                                                  "Home Room",
                                                  "Pupils",
                                                  "Main Image",
                                                  "Missing Pictures",
                                                  "Unreadable Pictures",
                                                  "Case-Blind Matches",
                                                  "Smallest Name (pt)",
                                                  "File",
                                                  "State"};
using Row = std::array<std::string, kColumns.size()>;

// A field as spreadsheets read it, defused when it would start a formula.
std::string CsvField(std::string text) {
  if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos) {
    text.insert(text.begin(), '\'');
  }
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string CsvLine(const Row& row) {
  std::string line;
  for (std::size_t i = 0; i < row.size(); ++i) line += (i == 0 ? "" : ",") + CsvField(row[i]);
  return line + "\r\n";
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : "; ") + part;
  return text;
}

std::string Named(const std::vector<PictureProblem>& problems) {
  std::vector<std::string> parts;
  for (const PictureProblem& problem : problems) {
    parts.push_back(problem.Subject.empty() ? problem.Path
                                            : problem.Subject + " (" + problem.Path + ")");
  }
  return Joined(parts);
}

std::vector<std::string> CaseBlindMatches(const Group& group) {
  std::vector<std::string> parts;
  const auto note = [&parts](const ClassMember& member) {
    if (member.Match != PictureMatch::IgnoringCase) return;
    parts.push_back(member.FirstName + " " + member.LastName + " (" + member.WrittenPicture +
                    " -> " + member.Picture + ")");
  };
  if (group.Main) note(*group.Main);
  for (const ClassMember& pupil : group.Pupils) note(pupil);
  return parts;
}

std::string Points(std::uint32_t tenths) {
  if (tenths == 0) return {};
  return std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "");
}

std::string State(const GroupOutcome& outcome) {
  switch (outcome.Outcome) {
    case GroupOutcome::State::Written:
      return outcome.Remark.empty() ? "written" : "written: " + outcome.Remark;
    case GroupOutcome::State::Failed:
      return "failed: " + outcome.Failure;
    case GroupOutcome::State::NotStarted:
      break;
  }
  return "not started";
}

// The counts of the report's rows, for the total and the summary.
struct Counts {
  std::size_t Composites = 0;
  std::size_t Written = 0;
  std::size_t Pupils = 0;
  std::size_t Missing = 0;
  std::size_t Unreadable = 0;
  std::size_t CaseBlind = 0;
  std::uint32_t SmallestNameTenths = 0;
};

// Counts the composites asked for, and the rest over those written or over all of them. The
// staff of the staff group are not pupils.
Counts Count(const BatchPlan& plan, const std::vector<GroupOutcome>& outcomes, bool writtenOnly) {
  Counts counts;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const GroupOutcome& outcome = outcomes[i];
    const Group& group = plan.GroupOf(plan.Composites()[i]);
    ++counts.Composites;
    const bool written = outcome.Outcome == GroupOutcome::State::Written;
    counts.Written += written ? 1 : 0;
    if (writtenOnly && !written) continue;
    if (!group.IsStaff) counts.Pupils += group.PupilCount();
    counts.Missing += outcome.Missing.size();
    counts.Unreadable += outcome.Unreadable.size();
    counts.CaseBlind += CaseBlindMatches(group).size();
    if (outcome.SmallestNameTenths != 0) {
      counts.SmallestNameTenths =
          counts.SmallestNameTenths == 0
              ? outcome.SmallestNameTenths
              : std::min(counts.SmallestNameTenths, outcome.SmallestNameTenths);
    }
  }
  return counts;
}

std::string Counted(std::size_t count, const std::string& one, const std::string& many) {
  return WithThousands(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string WithThousands(std::size_t number) {
  std::string digits = std::to_string(number);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

std::string ReportText(const BatchPlan& plan, const std::vector<GroupOutcome>& outcomes,
                       const std::vector<std::string>& notes) {
  Row header;
  std::copy(kColumns.begin(), kColumns.end(), header.begin());
  std::string text = CsvLine(header);
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const PlannedComposite& composite = plan.Composites()[i];
    const Group& group = plan.GroupOf(composite);
    const GroupOutcome& outcome = outcomes[i];
    const std::string main =
        group.Main ? TeacherPrintedName(*group.Main) : "none: " + group.NoMainReason;
    const bool written = outcome.Outcome == GroupOutcome::State::Written;
    text += CsvLine({group.Name, group.Grade, group.TeacherName, group.HomeRoom,
                     std::to_string(group.PupilCount()), main, Named(outcome.Missing),
                     Named(outcome.Unreadable), Joined(CaseBlindMatches(group)),
                     Points(outcome.SmallestNameTenths), written ? composite.FileName : "",
                     State(outcome)});
  }
  const Counts total = Count(plan, outcomes, false);
  text += CsvLine(
      {"Total", "", "", "", std::to_string(total.Pupils), "", std::to_string(total.Missing),
       std::to_string(total.Unreadable), std::to_string(total.CaseBlind),
       Points(total.SmallestNameTenths),
       std::to_string(total.Written) + " of " + std::to_string(total.Composites) + " written", ""});
  for (const std::string& note : notes) {
    text += CsvLine({"Note", note, "", "", "", "", "", "", "", "", "", ""});
  }
  return text;
}

std::string SummaryLine(const BatchPlan& plan, const std::vector<GroupOutcome>& outcomes) {
  const Counts counts = Count(plan, outcomes, true);
  std::string line = counts.Written == counts.Composites
                         ? Counted(counts.Written, "composite", "composites")
                         : WithThousands(counts.Written) + " of " +
                               Counted(counts.Composites, "composite", "composites");
  line += ", " + Counted(counts.Pupils, "pupil", "pupils");
  if (counts.Missing != 0)
    line += ", " + Counted(counts.Missing, "missing picture", "missing pictures");
  if (counts.Unreadable != 0) {
    line += ", " + Counted(counts.Unreadable, "unreadable picture", "unreadable pictures");
  }
  return line + ": see " + BatchPlan::ReportName;
}
