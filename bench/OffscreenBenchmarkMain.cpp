// The main function of the benchmarks that show widgets: the views need a widget application,
// and a benchmark never needs a display, so it runs on the offscreen platform unless the caller
// names another.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "platform/RepeatableText.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  MakeTextRepeatable();  // as the program draws
  // Qt is given the program's name only: the remaining arguments are the benchmark library's.
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
