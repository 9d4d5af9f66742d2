// Draws the program's icon files for a freedesktop icon theme: PNG pictures at 48 and 256 pixels
// and a scalable SVG, all from the same drawing that the window uses. The build runs it so that
// the installed icons are our own and change only when the drawing does.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QtGlobal>
#include <iostream>
#include <string>

#include "shell/ApplicationIcon.h"

namespace {

// The theme's place for an icon of one size: "48x48/apps/NAME.png", "scalable/apps/NAME.svg".
// The folders are made here, so the build needs no step of its own for them.
QString IconPath(const QString& folder, const QString& size, const QString& fileName) {
  const QString path = folder + '/' + size + QStringLiteral("/apps/") + fileName;
  QDir().mkpath(QFileInfo(path).path());
  return path;
}

// Each file is written beside its place and renamed into it, so an interrupted build never
// leaves a half-written icon that a later build would take as done.
bool WritePng(int pixels, const QString& path) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && DrawApplicationIcon(pixels).save(&file, "PNG") &&
         file.commit();
}

bool WriteSvg(const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(QSize(kApplicationIconGrid, kApplicationIconGrid));
  svg.setViewBox(QRect(0, 0, kApplicationIconGrid, kApplicationIconGrid));
  svg.setTitle(QStringLiteral("Montage"));
  svg.setDescription(QStringLiteral("The Montage application icon"));
  {
    QPainter painter(&svg);
    PaintApplicationIcon(painter);
  }
  return file.commit();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make-application-icons THEME_FOLDER ICON_NAME\n";
    return 2;
  }
  // The SVG writer puts the painter's font into every group it writes; without an application
  // object that font has no family and a size of -1, which is not valid SVG. The offscreen
  // platform lets the build run without a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);

  for (const int pixels : {48, 256}) {
    const QString size = QString::number(pixels);
    const QString path = IconPath(folder, size + 'x' + size, name + QStringLiteral(".png"));
    if (!WritePng(pixels, path)) {
      std::cerr << "make-application-icons: Cannot write " << path.toStdString() << '\n';
      return 1;
    }
  }
  const QString svgPath =
      IconPath(folder, QStringLiteral("scalable"), name + QStringLiteral(".svg"));
  if (!WriteSvg(svgPath)) {
    std::cerr << "make-application-icons: Cannot write " << svgPath.toStdString() << '\n';
    return 1;
  }
  return 0;
}
