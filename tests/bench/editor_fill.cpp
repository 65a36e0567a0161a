// Filling the Parameter Set editor's list with every parameter of drive type 2, as the user
// sees it: the model's rows, the list's items and the window repainted (offscreen platform).
//
//   modelFill     the rows and their document slots only
//   windowRefill  the whole refill of a shown editor, up to the repaint (goal: under 30 ms)

#include <benchmark/benchmark.h>

#include <QApplication>

#include "link/DriveOperations.h"
#include "link/LinkFlags.h"
#include "params/catalogue/DriveContext.h"
#include "editors/ParameterSetModel.h"
#include "params/document/ZavoServoDoc.h"
#include "params/ui/ParameterSetDialog.h"
#include "resources/TextTable.h"

namespace {

zavo::DisplaySelection everyGroup() {
  zavo::DisplaySelection s;
  s.groups.fill(true);
  return s;
}

void modelFill(benchmark::State& state) {
  zavo::driveContext().reset(2);
  zavo::CZavoServoDoc doc;
  doc.OnNewDocument();
  zavo::ParameterSetModel model(doc);
  const zavo::DisplaySelection selection = everyGroup();
  for (auto _ : state) {
    model.fill(selection);
    benchmark::DoNotOptimize(model.size());
  }
  state.counters["rows"] = model.size();
}

void windowRefill(benchmark::State& state) {
  zavo::driveContext().reset(2);
  zavo::CZavoServoDoc doc;
  doc.OnNewDocument();
  CSerial port;
  zavo::LinkFlags flags;
  zavo::DriveOperations ops(port, flags);
  zavo::DisplaySelection selection = everyGroup();
  zavo::ParameterSetDialog editor(doc, ops, selection);
  editor.timer().stop();
  editor.show();
  QApplication::processEvents();
  for (auto _ : state) {
    editor.refill();
    editor.repaint();
    QApplication::processEvents();
  }
  state.counters["rows"] = editor.model().size();
}

BENCHMARK(modelFill)->Unit(benchmark::kMillisecond);
BENCHMARK(windowRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zavo::TextTable::active().loadLibrary("libTolkar.so");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
