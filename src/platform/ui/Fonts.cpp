#include "platform/ui/Fonts.h"

#include <QStringList>

namespace tossbox {

void installFontSubstitutions() {
  QFont::insertSubstitutions(kGothic,
                             QStringList{QStringLiteral("IPAGothic"), QStringLiteral("Monospace")});
  QFont::insertSubstitutions(kPGothic,
                             QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("Sans")});
}

QFont pixelFont(const QString& family, int pixels, bool bold) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  if (family == kGothic) font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace tossbox
