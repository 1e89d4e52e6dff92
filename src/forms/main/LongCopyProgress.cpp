#include "forms/main/LongCopyProgress.h"

#include "forms/main/MainUnit.h"
#include "platform/sorting/BackgroundCopy.h"

namespace tossbox {

HiddenCopy copyShowingProgress(TForm1& window, const LongCopy& copy) {
  const QString before = window.statusText();
  const bool autoAdvancing = window.timer2().isActive();
  window.timer2().stop();
  const auto restore = [&] {
    window.setStatusText(before);
    if (autoAdvancing) window.timer2().start();
  };
  try {
    HiddenCopy result = copyInBackground(copy, [&](int percent) {
      window.setStatusText(QStringLiteral("しばらくお待ち下さい．．．") +
                           QString::asprintf("%d%%", percent));
    });
    restore();
    return result;
  } catch (...) {
    restore();
    throw;
  }
}

}  // namespace tossbox
