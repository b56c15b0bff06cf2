// The message window's memo wears the skin: its scroll bar is drawn in the skin's greens, not grey.
#include "zarvo_fixture.h"

#include <QPlainTextEdit>
#include <QScrollBar>

using namespace zarvo;
using namespace zarvo::test;

class TestMessageSkin : public QObject {
  Q_OBJECT
private slots:
  void scrollBarInTheSkinsGreens() {
    Zarvo z;
    z.dialogs.nextInputs << QStringLiteral("Time is up! ").repeated(60);
    z.ClickOption(TFormOptions::MessageRow);
    TFormMessage* message = z.windows.FormMessage();
    message->ShowMessage();
    QScrollBar* bar = message->Memo1->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0); // enough text to scroll
    const QImage image = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(image.width() >= 10 && image.height() > 60);
    int grey = 0, green = 0, lime = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (qAbs(c.red() - c.green()) < 16 && qAbs(c.green() - c.blue()) < 16 && c.green() > 60)
          ++grey;
        if (c.green() > c.red() + 12 && c.green() > c.blue() + 12)
          ++green;
        if (c.green() > 200 && c.red() < 120)
          ++lime; // the arrows and the rims
      }
    const int all = image.width() * image.height();
    QVERIFY2(grey < all / 50, qPrintable(QStringLiteral("%1 of %2 pixels grey").arg(grey).arg(all)));
    QVERIFY2(green > all * 9 / 10, qPrintable(QStringLiteral("%1 of %2 pixels green").arg(green).arg(all)));
    QVERIFY(lime > 20);
  }
};

QTEST_MAIN(TestMessageSkin)
#include "test_message_skin.moc"
