// Sorting 1,000 small files one after another through a folder button of the offscreen main
// window, as clicks do it: the press event, the copy, the history line and the step to the
// next file. Once with the visible 100 ms press, once without it, to show what the press costs
// and what the rest costs; and the same by the 1 key.
#include <benchmark/benchmark.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "TempHome.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "platform/ui/TossboxApplication.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 1000;

tossbox::TossboxApplication* application = nullptr;

void pressButton(QToolButton& button) {
  const QPointF at(button.width() / 2.0, button.height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, at, button.mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&button, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, button.mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&button, &release);
}

void pressKeyOne(QWidget& window) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
  QCoreApplication::sendEvent(&window, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
  QCoreApplication::sendEvent(&window, &release);
}

void SortThroughTheButton(benchmark::State& state) {
  const bool withPress = state.range(0) == 1;
  const bool byKey = state.range(1) == 1;
  std::int64_t sorted = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TempHome home;
    const fs::path source = home.makeDir("to sort");
    const fs::path target = home.root() / "sorted";
    for (int n = 0; n < kFiles; ++n)
      std::ofstream(source / ("file" + std::to_string(n) + ".txt")) << "a small file " << n;
    auto program = std::make_unique<tossbox::Program>(application->messageBoxes(),
                                                      std::vector<std::string>{source.string()});
    if (!withPress) program->setPause([](int) {});
    program->showMainWindow();
    QCoreApplication::processEvents();
    program->state().settings.target(1).FolderPath = target.string();
    program->state().settings.target(1).SameNamePolicy = 1;
    QToolButton& button = program->form1().folderButton(1);
    state.ResumeTiming();

    for (int n = 0; n < kFiles; ++n) {
      if (byKey)
        pressKeyOne(program->form1());
      else
        pressButton(button);
    }

    state.PauseTiming();
    const auto copied = std::distance(fs::directory_iterator(target), fs::directory_iterator());
    if (copied != kFiles || program->history().size() != static_cast<std::size_t>(kFiles)) {
      state.SkipWithError("not every file was sorted");
    }
    sorted += copied;
    program.reset();
    state.ResumeTiming();
  }
  state.counters["files_per_second"] =
      benchmark::Counter(static_cast<double>(sorted), benchmark::Counter::kIsRate);
}

BENCHMARK(SortThroughTheButton)
    ->ArgNames({"press", "key"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tossbox::TossboxApplication app(argc, argv);
  application = &app;
  app.messageBoxes().setResponder(
      [](const tossbox::BoxRequest&) { return tossbox::BoxAnswer::Ok; });
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
