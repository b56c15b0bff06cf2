// The floor Zarvo is measured against: a Qt window with one label and nothing else.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("00:00:00"));
  label.setWindowTitle(QStringLiteral("Bare"));
  label.resize(200, 140);
  label.show();
  return app.exec();
}
