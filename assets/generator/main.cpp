// zarvo_skin_generator <out-dir> [--preview <file.png>]
//   Draws every picture of the skin into <out-dir> (the committed set lives in assets/skin/), each
//   once at its size and once at twice its size beside it ("name@2x.png") for screens scaled by 2.
// zarvo_skin_generator --icons <out-dir> <icon-name>
//   Draws the program icon for the desktop's icon theme: <out-dir>/hicolor/<N>x<N>/apps/<icon-name>.png
//   at every size the theme's folders hold, and hicolor/scalable/apps/<icon-name>.svg.
#include "assets/generator/art.h"
#include "assets/skin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

namespace {

bool Save(const QString& file, const QImage& image) {
  QDir().mkpath(QFileInfo(file).path());
  QImageWriter writer(file);
  if (file.endsWith(QLatin1String(".jpg"))) {
    writer.setQuality(95);
    return writer.write(image.convertToFormat(QImage::Format_RGB32));
  }
  return writer.write(image.convertToFormat(QImage::Format_ARGB32));
}

// Every picture the windows load is drawn, at `scale` times its size (the SVG icon is written
// separately).
bool CoversTheSkin(const QList<zarvo::art::Picture>& skin, int scale) {
  const auto drawn = [&](const char* resource, QSize size) {
    QString path = QString::fromLatin1(resource).mid(7);
    if (path.endsWith(QLatin1String(".svg")))
      return true;
    if (scale != 1)
      path = zarvo::art::AtTwiceTheSize(path);
    for (const zarvo::art::Picture& picture : skin)
      if (picture.path == path)
        return picture.image.size() == size * scale;
    return false;
  };
  bool ok = true;
  for (const auto& single : zarvo::skin::kSingles)
    if (!drawn(single.path, single.size)) {
      std::fprintf(stderr, "zarvo_skin_generator: %s not drawn at its size\n", single.path);
      ok = false;
    }
  for (const auto* strip : zarvo::skin::kStrips)
    if (!drawn(strip->path, {strip->frame.width() * strip->frames, strip->frame.height()})) {
      std::fprintf(stderr, "zarvo_skin_generator: %s not drawn at its size\n", strip->path);
      ok = false;
    }
  return ok;
}

// The sizes of the hicolor theme's application folders that desktops look in.
constexpr int kIconThemeSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool WriteSvg(const QString& file) {
  QDir().mkpath(QFileInfo(file).path());
  QFile svg(file);
  if (svg.open(QIODevice::WriteOnly) && svg.write(zarvo::art::IconSvg()) >= 0)
    return true;
  std::fprintf(stderr, "zarvo_skin_generator: cannot write %s\n", qPrintable(file));
  return false;
}

int DrawThemeIcons(const QString& out, const QString& name) {
  for (int size : kIconThemeSizes) {
    const QString file = QStringLiteral("%1/hicolor/%2x%2/apps/%3.png").arg(out).arg(size).arg(name);
    if (!Save(file, zarvo::art::ProgramIcon(size))) {
      std::fprintf(stderr, "zarvo_skin_generator: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return WriteSvg(QStringLiteral("%1/hicolor/scalable/apps/%2.svg").arg(out, name)) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
  // The same rendering everywhere: no display needed and no desktop font settings involved.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (!args.isEmpty() && args[0] == QLatin1String("--icons")) {
    if (args.size() != 3 || args[2].isEmpty() || args[2].contains(QLatin1Char('/'))) {
      std::fprintf(stderr, "usage: zarvo_skin_generator --icons <out-dir> <icon-name>\n");
      return 2;
    }
    return DrawThemeIcons(args[1], args[2]);
  }
  if (args.isEmpty() || args.size() == 2 || args.size() > 3 || (args.size() == 3 && args[1] != "--preview")) {
    std::fprintf(stderr, "usage: zarvo_skin_generator <out-dir> [--preview <file.png>]\n");
    return 2;
  }
  for (bool bold : {false, true}) {
    const QFont font = zarvo::art::Font(12, bold);
    if (QFontInfo(font).family() != font.family()) {
      std::fprintf(stderr, "zarvo_skin_generator: font \"%s\" is missing (scripts/setup installs it)\n",
                   qPrintable(font.family()));
      return 1;
    }
  }

  const QString out = args[0];
  const QList<zarvo::art::Picture> skin = zarvo::art::DrawSkin(1), sharp = zarvo::art::DrawSkin(2);
  if (!CoversTheSkin(skin, 1) || !CoversTheSkin(sharp, 2))
    return 1;
  for (const zarvo::art::Picture& picture : skin + sharp) {
    if (!Save(out + '/' + picture.path, picture.image)) {
      std::fprintf(stderr, "zarvo_skin_generator: cannot write %s\n", qPrintable(picture.path));
      return 1;
    }
  }
  if (!WriteSvg(out + QStringLiteral("/icon/zarvo.svg")))
    return 1;
  if (args.size() == 3 && !Save(args[2], zarvo::art::DrawPreview(skin, 3))) {
    std::fprintf(stderr, "zarvo_skin_generator: cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  return 0;
}
