// Draws the program's pictures into the folder given on the command line. Run by the build; the
// pictures depend on nothing but this program and the fonts, so the same build gives the same files.
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "Pictures.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: candora-pictures <image folder>\n");
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);

  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "candora-pictures: cannot create the folder %s\n", argv[1]);
    return 1;
  }
  using namespace pictures;
  const std::pair<const char*, std::function<QImage()>> files[] = {
      {"numbering.png", makeDigitSheet},
      {"plane_parts.png", makeLabelSheet},
      {"plane_qu.png", makeChartBackground},
      {"plane_bgmask.png", makeChartMask},
      {"plane_prompt.png", makePrompt},
      {"plane_correct.png", [] { return makeResultCard(Outcome::correct); }},
      {"plane_wrong.png", [] { return makeResultCard(Outcome::wrong); }},
      {"plane_even.png", [] { return makeResultCard(Outcome::even); }},
      {"plane_today.png", makeTodaySheet},
      {"plane_total.png", makeTotalSheet},
      {"plane_table.png", makeRatingTableSheet},
      {"plane_maxprofit.png", makeMaxProfitSheet},
      {"plane_pair.png", makePairBarsSheet},
      {"plane_timestep.png", makeTimeScaleBarsSheet},
      {"plane_barafter.png", makeBarsAfterSheet},
  };
  for (const auto& [name, make] : files) {
    const QString path = folder.filePath(QString::fromUtf8(name));
    QImage image = make();
    // Straight alpha in the file; fully opaque pictures are written without an alpha channel.
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (!image.save(path, "PNG")) {
      std::fprintf(stderr, "candora-pictures: cannot write %s\n", path.toLocal8Bit().constData());
      return 1;
    }
  }
  return 0;
}
