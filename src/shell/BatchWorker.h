#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>

#include "batch/BatchRequest.h"
#include "batch/BatchRun.h"
#include "layout/Montage.h"
#include "settings/PreviewSettings.h"

// Runs a batch (see RunBatch) on a thread of its own, so that the window stays responsive, and
// tells its progress and its end as signals on the thread the worker lives in. The layout and
// settings are copies taken at the start: the user may go on editing meanwhile.
class BatchWorker : public QObject {
  Q_OBJECT

 public:
  explicit BatchWorker(QObject* parent = nullptr);
  // Cancels a batch still running and waits for the files being written.
  ~BatchWorker() override;

  // Starts the batch; false when one is already running.
  bool Start(const Montage& layout, const PreviewSettings& settings, const BatchRequest& request);
  // Asks the batch to stop after the files being written; Finished still comes.
  void Cancel() { cancel_ = true; }
  bool IsRunning() const { return running_; }

 signals:
  // Composites finished out of the total, and the group a worker has just begun.
  void Progress(int done, int total, const QString& group);
  void Finished(const BatchResult& result);

 private:
  void Join();

  std::atomic<bool> cancel_{false};
  bool running_ = false;
  std::thread thread_;
};
