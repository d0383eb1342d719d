// A host application that embeds the Quarvel view: a main window whose
// central widget is a KView showing the drawings named on the command line.
// With --snapshot OUT.png it paints once, saves what the view shows and
// exits: 0 when the drawing put something on screen, 1 when not, 2 when a
// file could not be opened.
#include <QApplication>
#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <string>

#include <quarvel/qt/platform/qt_platform.h>
#include <quarvel/qt/view/kview.h>

namespace {

// Pixels that differ from the most frequent colour, the background.
long CountDrawn(const QImage& image) {
  QHash<QRgb, long> counts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  long background = 0;
  for (long n : counts) background = std::max(background, n);
  return static_cast<long>(image.width()) * image.height() - background;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallQtPlatform();

  QString snapshot;
  QMainWindow main;
  auto* view = new KView;
  main.setCentralWidget(view);
  main.resize(800, 600);
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--snapshot" && i + 1 < argc) {
      snapshot = QString::fromLocal8Bit(argv[++i]);
    } else if (const KResult opened = view->Window().Open(arg); !opened) {
      std::fprintf(stderr, "embed_host: %s\n", opened.message().c_str());  // names the file and why
      return 2;
    }
  }
  main.show();
  if (snapshot.isEmpty()) return app.exec();

  const QImage picture = view->grab().toImage();
  if (!picture.save(snapshot)) {
    std::fprintf(stderr, "embed_host: cannot write '%s'\n", snapshot.toLocal8Bit().constData());
    return 1;
  }
  const long drawn = CountDrawn(picture);
  std::printf("embed_host: %dx%d view, %ld pixels drawn\n", picture.width(), picture.height(), drawn);
  return drawn > 0 ? 0 : 1;
}
