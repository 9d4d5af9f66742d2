#include "roster/PhotoEvent.h"

#include <utility>

#include "roster/Subject.h"

PhotoEvent::PhotoEvent() = default;
PhotoEvent::~PhotoEvent() = default;

void PhotoEvent::AddSubject(std::shared_ptr<Subject> subject) {
  if (subject) {
    const std::int32_t id = subject->Id;
    subjects_[id] = std::move(subject);
  }
}

std::shared_ptr<Subject> PhotoEvent::FindSubject(std::int32_t id) const {
  const auto found = subjects_.find(id);
  return found != subjects_.end() ? found->second : nullptr;
}
