#pragma once

#include <cstdint>
#include <map>
#include <memory>

struct Subject;

// A photo session of the companion product (a school, a team) that image records belong to.
// This program needs only an empty event for the preview's sample records: its flags, read when
// an image is asked whether it is marked, and the lookup of a subject by id.
class PhotoEvent {
 public:
  // Bit 2 of the flags: images of this event count as marked when they have a subject.
  static constexpr std::uint32_t MarkBySubject = 1u << 2;

  PhotoEvent();
  ~PhotoEvent();

  void AddSubject(std::shared_ptr<Subject> subject);
  // The subject with that id, or an empty pointer.
  std::shared_ptr<Subject> FindSubject(std::int32_t id) const;

  std::uint32_t Flags = 0;

 private:
  std::map<std::int32_t, std::shared_ptr<Subject>> subjects_;
};
