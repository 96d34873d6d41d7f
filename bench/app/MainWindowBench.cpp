// In-process cost of building the main window (offscreen): construction and the first paint.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

#include "config/AppPaths.h"
#include "shell/QR7714_Conf.h"

namespace {

void BM_MainWindowBuildAndPaint(benchmark::State& state) {
  QTemporaryDir dir;
  const AppPaths paths = PathsBeside(dir.path().toStdString());
  EnsureConfigDir(paths);
  for (auto _ : state) {
    Tfrm_CfgMux window(paths);
    benchmark::DoNotOptimize(window.grab());
  }
}
BENCHMARK(BM_MainWindowBuildAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
