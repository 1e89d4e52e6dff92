// The program's start: one running copy per user, then the ten windows and
// the event loop.
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>
#include <vector>

#include "core/files/CommandLinePath.h"
#include "forms/common/ByteText.h"
#include "forms/main/Program.h"
#include "platform/instance/SingleInstance.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/TossboxApplication.h"

namespace {

// Why the program does not start: another copy runs, or the lock itself cannot be used.
QString refusalText(const tossbox::SingleInstance& instance) {
  if (instance.state() == tossbox::SingleInstance::State::HeldByAnother)
    return QStringLiteral("すでに起動しています。");
  return QStringLiteral("起動の確認に使うファイル %1 を使えません（%2）。")
      .arg(tossbox::byteText(instance.lockPath()), tossbox::byteText(instance.failure()));
}

}  // namespace

int main(int argc, char** argv) {
  const tossbox::SingleInstance instance;
  tossbox::TossboxApplication app(argc, argv);
  if (!instance.acquired()) {
    app.messageBoxes().show({refusalText(instance), QString(), tossbox::BoxIcon::Error,
                             tossbox::BoxButtons::Ok, nullptr});
    return 1;
  }
  QApplication::setApplicationName(QStringLiteral("Tossbox"));
  // Qt's own buttons and dialogs (Yes/No, the file dialog) in Japanese.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  tossbox::installFontSubstitutions();
  // Paths are taken as the bytes they are; Qt has removed its own options. The menu entry
  // passes file:// URLs.
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) paths.push_back(tossbox::pathOfArgument(argv[i]));
  tossbox::Program program(app.messageBoxes(), std::move(paths));
  program.showMainWindow();
  return QApplication::exec();
}
