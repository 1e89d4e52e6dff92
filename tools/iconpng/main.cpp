// iconpng SVG PNG SIZE: draws an SVG picture into a SIZE x SIZE PNG, for the installed icons.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: iconpng SVG PNG SIZE\n");
    return 2;
  }
  // No screen is needed to draw into an image.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int size = std::stoi(argv[3]);
  QSvgRenderer svg{QString::fromLocal8Bit(argv[1])};
  if (!svg.isValid() || size < 1 || size > 1024) {
    std::fprintf(stderr, "iconpng: cannot draw %s at %s\n", argv[1], argv[3]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  svg.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "iconpng: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
