#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/PLObject.h"

class ProgressNotification;

// The bytes of one input, all reachable in memory at once, with a read position. Kinds differ
// only in where the bytes come from and how they are given back.
class PLDataSource : public PLObject {
 public:
  ~PLDataSource() override = default;
  PLDataSource(const PLDataSource&) = delete;
  PLDataSource& operator=(const PLDataSource&) = delete;

  // Gives the bytes back and tells the progress target that reading is complete.
  virtual void Close();

  // The bytes at the read position.
  const std::uint8_t* CurrentPointer() const { return data_ + position_; }
  const std::uint8_t* PeekPointer() const { return CurrentPointer(); }
  // Returns the bytes at the read position and moves past n of them; raises code 11 when fewer
  // than n remain.
  const std::uint8_t* Advance(std::size_t n);

  bool IsOpen() const { return data_ != nullptr; }
  const std::string& Name() const { return name_; }
  std::size_t Size() const { return size_; }
  std::size_t Position() const { return position_; }
  ProgressNotification* Progress() const { return progress_; }

 protected:
  explicit PLDataSource(ProgressNotification* progress) : progress_(progress) {}
  // Called by a kind once its bytes are reachable.
  void Begin(const std::string& name, const std::uint8_t* data, std::size_t size);

 private:
  std::string name_;
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t position_ = 0;
  ProgressNotification* progress_;
};
