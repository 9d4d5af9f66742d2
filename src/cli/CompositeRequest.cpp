#include "cli/CompositeRequest.h"

#include "batch/BatchRequest.h"
#include "batch/GroupComposite.h"
#include "cli/LayoutArgument.h"
#include "cli/PreviewOptions.h"
#include "cli/Reporter.h"
#include "cli/Subcommand.h"
#include "platform/InstallFolder.h"
#include "roster/ClassList.h"
#include "roster/SchoolGroups.h"
#include "settings/PreviewPage.h"

namespace {

std::string WordsRefusal(const std::vector<std::string>& given,
                         const std::vector<std::string_view>& words) {
  if (given.size() < words.size()) return "no " + std::string(words[given.size()]) + " given";
  if (words.size() == 1) return "more than one " + std::string(words.front()) + " given";
  return "\"" + given[words.size()] + "\" is one word too many";
}

}  // namespace

std::optional<int> CompositeRequest::Parse(const SubcommandArgs& args, const Subcommand& command,
                                           const std::vector<std::string_view>& extraOptions,
                                           std::ostream& out, Reporter& reporter,
                                           const std::vector<std::string_view>& flags,
                                           const std::vector<std::string_view>& words) {
  PreviewOptions options(FindInstallFolder());
  arguments_ = options.Parse(args, extraOptions, flags);
  if (const auto status = command.Settle(*arguments_, out, reporter)) return status;
  if (arguments_->Words().size() != words.size()) {
    return command.Refuse(reporter, WordsRefusal(arguments_->Words(), words));
  }
  settings_ = options.Settings();
  groupBy_ = options.By();
  given_ = options.Given();
  if (const auto status = ReadLayoutArgument(arguments_->Words().front(), layout_, reporter)) {
    return status;
  }
  if (options.Group()) return ChooseGroup(*options.Group(), reporter);
  subjects_ = CompositeSubjects::ForSettings(settings_);
  return std::nullopt;
}

std::optional<int> CompositeRequest::ChooseGroup(const std::string& name, Reporter& reporter) {
  if (settings_.ClassListPath.empty()) {
    return reporter.Refuse("--group chooses a group of the --class list; give --class too");
  }
  const CaptionFields captions(settings_);
  if (!captions.Ok()) return reporter.Refuse(captions.Error());
  const ClassList list = ClassList::Read(settings_.ClassListPath);
  if (!list.Ok()) return reporter.Fail(list.Error());
  const SchoolGroups groups =
      SchoolGroups::Make(list, groupBy_.value_or(DefaultGroupBy(list.Filled())));
  if (!groups.Ok()) return reporter.Fail(groups.Error());
  std::string error;
  const Group* group = ::ChooseGroup(groups, name, list, error);
  if (!group) return reporter.Refuse(error);
  settings_ = captions.For(settings_, *group);
  subjects_ = GroupSubjects(*group);
  return std::nullopt;
}

const std::string* CompositeRequest::Extra(const std::string& option) const {
  return arguments_ ? arguments_->Value(option) : nullptr;
}

std::vector<std::string> CompositeRequest::Extras(const std::string& option) const {
  return arguments_ ? arguments_->Values(option) : std::vector<std::string>{};
}

Rect CompositeRequest::Page() const { return PreviewPage(settings_, layout_); }

std::optional<int> CompositeRequest::ReadDpi(std::uint32_t& dpi, Reporter& reporter) const {
  const std::string* text = Extra("--dpi");
  if (!text || ParseBoundedNumber(*text, BatchRequest::MinimumDpi, BatchRequest::MaximumDpi, dpi)) {
    return std::nullopt;
  }
  return reporter.Refuse("--dpi takes a whole number from 1 to " +
                         std::to_string(BatchRequest::MaximumDpi) + ", not \"" + *text + "\"");
}

int ReportPictureProblems(const std::vector<PictureProblem>& problems, Reporter& reporter) {
  for (const PictureProblem& problem : problems) {
    reporter.Say("cannot draw the picture " + problem.Path + ": " + problem.Error);
  }
  return problems.empty() ? ExitDone : ExitPicturesMissing;
}
