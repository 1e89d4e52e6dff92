#include "platform/sorting/DesktopOpener.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QDir>
#include <QFile>

namespace tossbox {

DesktopOpener::DesktopOpener()
    : opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

QUrl DesktopOpener::fileUrl(const std::string& path) {
  QByteArray bytes = QByteArray::fromStdString(path);
  if (!bytes.startsWith('/')) bytes = QFile::encodeName(QDir::currentPath()) + '/' + bytes;
  return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

}  // namespace tossbox
