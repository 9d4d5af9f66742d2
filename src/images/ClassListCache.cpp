#include "images/ClassListCache.h"

#include <sys/stat.h>

#include "images/ClassList.h"

ClassListCache& ClassListCache::Instance() {
  static ClassListCache cache;
  return cache;
}

std::shared_ptr<const ClassList> ClassListCache::Get(const std::string& path) {
  std::lock_guard<std::mutex> lock(lock_);
  struct stat info {};
  const bool examined = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  Stamp stamp;
  if (examined) {
    stamp = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
             static_cast<std::int64_t>(info.st_size),
             static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
    if (list_ && path == path_ && stamp == stamp_) return list_;
  }
  ++reads_;
  auto list = std::make_shared<const ClassList>(ClassList::Read(path));
  if (examined) {
    path_ = path;
    stamp_ = stamp;
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
