#include "app/LayoutArgument.h"

#include <ostream>

#include "layout/LayoutFile.h"
#include "layout/Montage.h"
#include "platform/ModalQuestions.h"

namespace {

// Passes messages on and remembers whether the reader showed one, so that a refusal that has
// already been explained is not explained twice.
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

bool ReadLayoutArgument(const std::string& path, Montage& layout, std::ostream& err) {
  LayoutFile file(path);
  if (!file.IsOpen()) {
    err << "montage-designer: cannot open " << path << ": " << file.Error() << '\n';
    return false;
  }
  NoticingQuestions questions;
  const bool read = layout.ReadText(file.Stream());
  if (!file.Error().empty()) {
    err << "montage-designer: cannot read " << path << ": " << file.Error() << '\n';
    return false;
  }
  if (!read && !questions.Shown()) {
    err << "montage-designer: " << path << " is not a layout file\n";
  }
  return read;
}
