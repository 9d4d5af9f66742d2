#include "output/ReplacementDevice.h"

#include <string_view>

#include "platform/FileReplacement.h"

ReplacementDevice::ReplacementDevice(FileReplacement& file) : file_(file) {
  QIODevice::open(QIODevice::WriteOnly);
}

qint64 ReplacementDevice::readData(char*, qint64) { return -1; }

qint64 ReplacementDevice::writeData(const char* data, qint64 size) {
  if (file_.Write(std::string_view(data, static_cast<std::size_t>(size)))) return -1;
  return size;
}
