#pragma once

#include <QDialog>
#include <cstdint>

class Profile;
class QLabel;
class QLineEdit;

// "Test Parameters": asks for the first and last number of images and the interval of the
// automatic test. It opens with the values of the last accepted run from the profile; OK checks
// them and stores them there, Cancel leaves the profile alone.
class RunTestDlg : public QDialog {
  Q_OBJECT

 public:
  // The profile must outlive the dialog.
  explicit RunTestDlg(Profile& profile, QWidget* parent = nullptr);

  // The values shown on opening, and after OK the values accepted.
  std::uint32_t First() const { return first_; }
  std::uint32_t Last() const { return last_; }
  // In seconds.
  std::uint32_t Interval() const { return interval_; }

  // Adds the line that tells the user the run shows the sample images, for when a class list is
  // set: the test steps the number of images, which a class decides for itself.
  void NoteSamplesUsed();

  // OK: closes with Accepted only when every field is valid and last is greater than first.
  void accept() override;

 private:
  Profile& profile_;
  std::uint32_t first_;
  std::uint32_t last_;
  std::uint32_t interval_;
  QLineEdit* firstEdit_ = nullptr;
  QLineEdit* lastEdit_ = nullptr;
  QLineEdit* intervalEdit_ = nullptr;
  QLabel* samplesNote_ = nullptr;
};
