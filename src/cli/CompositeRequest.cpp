#include "cli/CompositeRequest.h"

#include "cli/LayoutArgument.h"
#include "cli/PreviewOptions.h"
#include "cli/Reporter.h"
#include "cli/Subcommand.h"
#include "platform/InstallFolder.h"
#include "settings/PreviewPage.h"

std::optional<int> CompositeRequest::Parse(const SubcommandArgs& args, const Subcommand& command,
                                           const std::vector<std::string_view>& extraOptions,
                                           std::ostream& out, Reporter& reporter) {
  PreviewOptions options(FindInstallFolder());
  arguments_ = options.Parse(args, extraOptions);
  if (const auto status = command.Settle(*arguments_, out, reporter)) return status;
  if (arguments_->Words().size() != 1) {
    return command.Refuse(reporter, arguments_->Words().empty()
                                        ? "no layout file given"
                                        : "more than one layout file given");
  }
  settings_ = options.Settings();
  return ReadLayoutArgument(arguments_->Words().front(), layout_, reporter);
}

const std::string* CompositeRequest::Extra(const std::string& option) const {
  return arguments_ ? arguments_->Value(option) : nullptr;
}

Rect CompositeRequest::Page() const { return PreviewPage(settings_, layout_); }

int ReportPictureProblems(const std::vector<PictureProblem>& problems, Reporter& reporter) {
  for (const PictureProblem& problem : problems) {
    reporter.Say("cannot draw the picture " + problem.Path + ": " + problem.Error);
  }
  return problems.empty() ? ExitDone : ExitPicturesMissing;
}
