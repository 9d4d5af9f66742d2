#include "cli/CompositeRequest.h"

#include <ostream>

#include "cli/LayoutArgument.h"
#include "cli/PreviewOptions.h"
#include "output/PreviewSubjects.h"
#include "platform/InstallFolder.h"

int CompositeRequest::Parse(const SubcommandArgs& args,
                            const std::vector<std::string_view>& extraOptions,
                            const std::string& usage, std::ostream& err) {
  PreviewOptions options(FindInstallFolder());
  std::vector<std::string> words;
  if (!options.Parse(args, extraOptions, words, extras_)) {
    err << "montage-designer: " << options.Error() << '\n' << usage << PreviewOptions::Usage();
    return 2;
  }
  if (words.size() != 1) {
    err << "montage-designer: "
        << (words.empty() ? "no layout file given" : "more than one layout file given") << '\n'
        << usage << PreviewOptions::Usage();
    return 2;
  }
  settings_ = options.Settings();
  return ReadLayoutArgument(words.front(), layout_, err) ? 0 : 1;
}

const std::string* CompositeRequest::Extra(const std::string& option) const {
  const auto found = extras_.find(option);
  return found == extras_.end() ? nullptr : &found->second;
}

Rect CompositeRequest::Page() const { return PreviewPage(settings_, layout_); }
