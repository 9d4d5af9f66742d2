#include "roster/ClassListCache.h"

#include "roster/ClassList.h"

ClassListCache& ClassListCache::Instance() {
  static ClassListCache cache;
  return cache;
}

std::shared_ptr<const ClassList> ClassListCache::Get(const std::string& path) {
  std::lock_guard<std::mutex> lock(lock_);
  const std::optional<FileStamp> stamp = StampOf(path);
  const bool examined = stamp && stamp->Regular;
  if (examined && list_ && path == path_ && *stamp == stamp_) return list_;
  ++reads_;
  auto list = std::make_shared<const ClassList>(ClassList::Read(path));
  if (examined) {
    path_ = path;
    stamp_ = *stamp;
    list_ = list;
  } else {
    path_.clear();
    list_.reset();
  }
  return list;
}

std::uint64_t ClassListCache::Reads() const {
  std::lock_guard<std::mutex> lock(lock_);
  return reads_;
}
