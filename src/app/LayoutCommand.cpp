#include <ostream>

#include "app/CommandLine.h"
#include "layout/LayoutFile.h"
#include "layout/Montage.h"
#include "platform/ModalQuestions.h"

namespace {

// Passes messages on to the questions installed before it and remembers whether the reader
// showed one, so that a refusal that has already been explained is not explained twice.
class NoticingQuestions : public ModalQuestions {
 public:
  NoticingQuestions() : previous_(&ModalQuestions::Current()) { Install(this); }
  ~NoticingQuestions() override { Install(previous_); }
  NoticingQuestions(const NoticingQuestions&) = delete;
  NoticingQuestions& operator=(const NoticingQuestions&) = delete;

  void ShowMessage(const std::string& text) override {
    shown_ = true;
    previous_->ShowMessage(text);
  }
  bool Shown() const { return shown_; }

 private:
  ModalQuestions* previous_;
  bool shown_ = false;
};

}  // namespace

int RunLayoutCommand(const SubcommandArgs& args, std::ostream& out, std::ostream& err) {
  if (args.size() > 1) {
    err << "usage: montage-designer layout [FILE]\n";
    return 2;
  }
  Montage layout;
  if (args.size() == 1) {
    const std::string& path = args[0];
    LayoutFile file(path);
    if (!file.IsOpen()) {
      err << "montage-designer: cannot open " << path << ": " << file.Error() << '\n';
      return 1;
    }
    NoticingQuestions questions;
    const bool read = layout.ReadText(file.Stream());
    if (!file.Error().empty()) {
      err << "montage-designer: cannot read " << path << ": " << file.Error() << '\n';
      return 1;
    }
    if (!read) {
      if (!questions.Shown()) err << "montage-designer: " << path << " is not a layout file\n";
      return 1;
    }
  }
  layout.WriteText(out);
  out.flush();
  if (!out) {
    err << "montage-designer: cannot write the layout to standard output\n";
    return 1;
  }
  return 0;
}
