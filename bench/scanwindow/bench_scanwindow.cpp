// Loads a generated tree of 100,000 files through the offscreen main window
// and compares it with `find TREE -type f` on the same tree; prints the peak
// memory of the entries and the rebuild after a filter change.
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ScanTree.h"
#include "TempHome.h"
#include "forms/list/UList.h"
#include "forms/main/MainUnit.h"
#include "forms/main/Program.h"
#include "forms/kindfilter/USyurui.h"
#include "platform/ui/TossboxApplication.h"

namespace {

long statusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field + ":", 0) == 0)
      return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
  return -1;
}

double findSeconds(const std::string& root) {
  QElapsedTimer clock;
  clock.start();
  const std::string command = "find '" + root + "' -type f > /dev/null";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "find failed\n");
  return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tossbox::TossboxApplication app(argc, argv);
  const std::size_t files = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
  const ScanTree tree(files, 1000);
  TempHome home;
  tossbox::Program program(app.messageBoxes(), {});
  program.showMainWindow();
  QCoreApplication::processEvents();
  const long emptyKb = statusKilobytes("VmHWM");

  findSeconds(tree.root());  // warm the cache for both
  const double find = findSeconds(tree.root());

  int ticks = 0;
  QTimer repaintProbe;
  QObject::connect(&repaintProbe, &QTimer::timeout, [&ticks] { ++ticks; });
  repaintProbe.start(20);
  QElapsedTimer clock;
  clock.start();
  program.form1().LoadPaths({tree.root()});
  const double load = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  repaintProbe.stop();
  const long loadedKb = statusKilobytes("VmHWM");

  program.fSyurui().setKindChecked(2, false);
  clock.restart();
  program.form2().RebuildList();
  const double rebuild = static_cast<double>(clock.nsecsElapsed()) / 1e9;

  std::printf("entries loaded            %d\n",
              program.form2().listBox1().count() > 0
                  ? static_cast<int>(program.state().files.sortList().size())
                  : 0);
  std::printf("find TREE -type f         %8.3f s\n", find);
  std::printf("LoadPaths (window)        %8.3f s   ratio %.2f (aim <= 3)\n", load, load / find);
  std::printf("timer ticks during load   %d (20 ms timer)\n", ticks);
  std::printf("peak memory for entries   %8.1f MiB above the empty program (aim < 100)\n",
              static_cast<double>(loadedKb - emptyKb) / 1024.0);
  std::printf("RebuildList after filter  %8.3f s (%d shown)\n", rebuild,
              program.form2().listBox1().count());
  return 0;
}
