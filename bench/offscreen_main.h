#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

// The main of a benchmark program that draws with Qt: windows stay off the
// screen unless QT_QPA_PLATFORM says otherwise.
inline int RunBenchmarksOffscreen(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
