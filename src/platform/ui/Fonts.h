#pragma once
// The windows name the Japanese system fonts; IPA Gothic and IPA PGothic
// are their metric twins on Linux.
#include <QFont>
#include <QString>

namespace tossbox {

inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");

// Maps the names above to the installed fonts; call once at start-up.
void installFontSubstitutions();

[[nodiscard]] QFont pixelFont(const QString& family, int pixels, bool bold = false);

}  // namespace tossbox
