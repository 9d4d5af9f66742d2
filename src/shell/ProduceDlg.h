#pragma once

#include <QDialog>
#include <string>

#include "layout/Montage.h"
#include "shell/ProduceSettings.h"

class BatchWorker;
class Profile;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
struct BatchResult;

// The Produce Composites dialog: one composite for every group of a class list or portrait
// index, drawn by the batch on worker threads with the layout as it was applied when the dialog
// opened. Start becomes Cancel while it runs; at the end the dialog shows the summary and the
// missing pictures, and Open Folder opens the output folder. Failures are told through the modal
// questions. Each choice is kept in the user's profile.
class ProduceDlg : public QDialog {
  Q_OBJECT

 public:
  // The list starts as the applied class list; layout and profile must outlive the dialog.
  ProduceDlg(const Montage& layout, const std::string& list, Profile& profile,
             QWidget* parent = nullptr);
  ~ProduceDlg() override;

  bool IsRunning() const;
  // What the dialog says at the end: the summary line and the missing pictures.
  QString Summary() const;

  // Closing is refused while a batch runs: Cancel stops it first.
  void reject() override;

 private:
  void Build();
  void OnStart();
  void OnBrowseList();
  void OnBrowseFolder();
  void OnProgress(int done, int total, const QString& group);
  void OnFinished(const BatchResult& result);
  void OnOpenFolder();
  void Remember();

  const Montage& layout_;
  Profile& profile_;
  ProduceSettings choices_;
  BatchWorker* worker_;
  QLineEdit* list_ = nullptr;
  QLineEdit* folder_ = nullptr;
  QComboBox* format_ = nullptr;
  QSpinBox* dpi_ = nullptr;
  QComboBox* groupBy_ = nullptr;
  QComboBox* missing_ = nullptr;
  QCheckBox* proof_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* openFolder_ = nullptr;
  QPushButton* close_ = nullptr;
};
