#pragma once

#include <QIODevice>

class FileReplacement;

// A write-only device over a file replacement, so that Qt's image and PDF writers hand a
// composite to the disk as they encode it instead of gathering a second copy of it in memory.
// A failed write is kept by the replacement with the system's reason, which its Finish gives.
class ReplacementDevice : public QIODevice {
 public:
  explicit ReplacementDevice(FileReplacement& file);

  // The bytes pass straight through, so there is no going back to rewrite earlier ones.
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char* data, qint64 size) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  FileReplacement& file_;
};
