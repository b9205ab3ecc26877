#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel window(QObject::tr("Candora — chart practice. The test windows are on their way."));
  window.setWindowTitle("Candora");
  window.setMargin(24);
  window.show();
  return app.exec();
}
