#include "shell/BatchWorker.h"

#include <QMetaObject>

BatchWorker::BatchWorker(QObject* parent) : QObject(parent) {}

BatchWorker::~BatchWorker() {
  cancel_ = true;
  Join();
}

void BatchWorker::Join() {
  if (thread_.joinable()) thread_.join();
}

bool BatchWorker::Start(const Montage& layout, const PreviewSettings& settings,
                        const BatchRequest& request) {
  if (running_) return false;
  Join();
  cancel_ = false;
  running_ = true;
  // The destructor waits for the thread, so this object outlives every post; news still queued
  // when it goes is dropped with it.
  thread_ = std::thread([this, layout, settings, request] {
    const BatchProgressCallback progress = [this](const BatchProgress& news) {
      const QString group = QString::fromStdString(news.Group);
      const int done = static_cast<int>(news.Done);
      const int total = static_cast<int>(news.Total);
      QMetaObject::invokeMethod(
          this, [this, done, total, group] { emit Progress(done, total, group); },
          Qt::QueuedConnection);
    };
    BatchResult result = RunBatch(layout, settings, request, progress, cancel_);
    QMetaObject::invokeMethod(
        this,
        [this, result = std::move(result)] {
          running_ = false;
          emit Finished(result);
        },
        Qt::QueuedConnection);
  });
  return true;
}
