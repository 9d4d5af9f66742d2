#include "shell/FileErrors.h"

#include <cstring>

#include "platform/ModalQuestions.h"

namespace {

constexpr char kReasonNotKnown[] = "Reason not known";

}  // namespace

std::string SystemErrorText(int error) {
  const char* text = error != 0 ? std::strerror(error) : nullptr;
  return text != nullptr && *text != '\0' ? std::string(text) : std::string(kReasonNotKnown);
}

void ShowFileError(const std::string& prefix, const std::string& reason,
                   const std::string& suffix) {
  std::string message;
  if (!prefix.empty()) message = prefix + '\n';
  message += reason.empty() ? std::string(kReasonNotKnown) : reason;
  if (!suffix.empty()) message += '\n' + suffix;
  ModalQuestions::Current().ShowMessage(message);
}
