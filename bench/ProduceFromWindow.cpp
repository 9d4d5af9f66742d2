// Produces a school's composites the way the window does, for produce_vs_batch.sh to time
// against the batch command: the Produce Composites dialog shown on the offscreen platform,
// filled as a user fills it and started with its Start button, its batch drawn on the worker
// threads with the progress told to the dialog through queued signals, until the dialog shows
// the end. The preview settings are the batch command's defaults (the installed background and
// logo, the caption lines {Volume} and {Group}), so that both sides draw the same composites.
//
//   produce-from-window LAYOUT LIST FOLDER [jpg|png|pdf [DPI]]
//
// Prints the dialog's summary and the seconds from Start to the end on standard output; exits 1
// when the layout cannot be read or the dialog tells of a failure, 2 for wrong arguments.
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

#include "layout/LayoutFile.h"
#include "layout/LayoutReadResult.h"
#include "layout/Montage.h"
#include "platform/ModalQuestions.h"
#include "platform/Profile.h"
#include "platform/RepeatableText.h"
#include "settings/PreviewSettings.h"
#include "shell/BatchWorker.h"
#include "shell/ProduceDlg.h"

namespace {

constexpr const char* kUsage =
    "usage: produce-from-window LAYOUT LIST FOLDER [jpg|png|pdf [DPI]]\n";

// The control of the dialog that a screen reader knows by this name, as a user finds it.
template <typename Control>
Control* Named(const ProduceDlg& dialog, const QString& name) {
  for (Control* control : dialog.findChildren<Control*>()) {
    if (control->accessibleName() == name) return control;
  }
  return nullptr;
}

// The Format list's row for the batch command's --format word, or -1.
int FormatRow(const QComboBox& list, const std::string& word) {
  if (word == "jpg") return list.findText("JPEG");
  if (word == "png") return list.findText("PNG");
  if (word == "pdf") return list.findText("PDF");
  return -1;
}

void UseBatchDefaults() {
  PreviewSettings settings;
  settings.SetInstallFolder(MONTAGE_SAMPLE_FOLDER);
  settings.SampleCaptionText = {"{Volume}", "{Group}", "", ""};
  PreviewSettings::ReplaceInstance(settings);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 6) {
    std::cerr << kUsage;
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  MakeTextRepeatable();  // as the program draws
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  // A message the dialog shows is a failure here: nobody is there to read it.
  ScopedScriptedQuestions questions;
  UseBatchDefaults();
  Montage layout;
  if (const LayoutReadResult read = ReadLayoutFromFile(argv[1], layout); !read) {
    std::cerr << "produce-from-window: cannot read the layout " << argv[1] << ": " << read.Message
              << '\n';
    return 1;
  }
  QTemporaryDir profileFolder;
  Profile profile(profileFolder.filePath("profile.ini").toStdString());

  ProduceDlg dialog(layout, argv[2], profile);
  dialog.show();
  auto* format = Named<QComboBox>(dialog, "Format");
  auto* dpi = Named<QSpinBox>(dialog, "Resolution (dpi)");
  auto* folder = Named<QLineEdit>(dialog, "Output folder");
  auto* start = Named<QPushButton>(dialog, "Start");
  auto* worker = dialog.findChild<BatchWorker*>();
  if (format == nullptr || dpi == nullptr || folder == nullptr || start == nullptr ||
      worker == nullptr) {
    std::cerr << "produce-from-window: the dialog lacks a control it should have\n";
    return 1;
  }
  const int row = FormatRow(*format, argc > 4 ? argv[4] : "jpg");
  const int resolution = argc > 5 ? std::atoi(argv[5]) : 300;
  if (row < 0 || resolution < dpi->minimum() || resolution > dpi->maximum()) {
    std::cerr << kUsage;
    return 2;
  }
  format->setCurrentIndex(row);
  dpi->setValue(resolution);
  folder->setText(QString::fromLocal8Bit(argv[3]));

  // Connected after the dialog's own handler, so the loop ends once the dialog has shown the end.
  QEventLoop loop;
  QObject::connect(worker, &BatchWorker::Finished, &loop, &QEventLoop::quit);
  const auto started = std::chrono::steady_clock::now();
  start->click();
  if (dialog.IsRunning()) loop.exec();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  std::cout << dialog.Summary().toStdString() << "\nseconds from Start to the end: " << seconds
            << '\n';
  for (const std::string& message : questions.Messages()) {
    std::cerr << "produce-from-window: " << message << '\n';
  }
  return questions.Messages().empty() ? 0 : 1;
}
