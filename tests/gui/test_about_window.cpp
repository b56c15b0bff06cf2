// The About window in the whole window set: its contents, placement, dragging surfaces, links and modal
// showing.
#include "project_info.h"
#include "small_windows/about_window.h"
#include "zarvo_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QPushButton>
#include <QRegularExpression>

using namespace zarvo;
using namespace zarvo::test;

namespace {

// Presses the left button on `w`, moves 40 right and 20 down with it held, releases.
void Drag(QWidget* w) {
  const QPoint from(4, 4);
  const QPoint to = from + QPoint(40, 20);
  QTest::mousePress(w, Qt::LeftButton, {}, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), w->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(w, &move);
  QTest::mouseRelease(w, Qt::LeftButton, {}, to);
}

QColor TextColour(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

} // namespace

class TestAboutWindow : public QObject {
  Q_OBJECT
private slots:
  void everyControlInItsPlaceWithItsText() {
    Zarvo z;
    TFormAbout* about = z.windows.FormAbout();
    QVERIFY(!about->isVisible());
    QCOMPARE(about->size(), QSize(200, 200));
    QVERIFY(about->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(about->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!about->mask().isEmpty());

    QCOMPARE(about->BackGround->geometry(), QRect(0, 0, 200, 200));
    QCOMPARE(about->TitleBar->geometry(), QRect(0, 0, 200, 30));
    QCOMPARE(about->Title->geometry(), QRect(15, 0, 110, 25));
    QCOMPARE(about->CloseButton->pos(), QPoint(173, -1));
    QCOMPARE(about->Image1->geometry(), QRect(4, 34, 48, 48));
    QVERIFY(!about->Image1->Picture().isNull());

    struct Expected {
      QWidget* control;
      QRect geometry;
      int pixelSize;
    };
    const QList<Expected> controls = {
        {about->Label1, {128, 72, 65, 13}, 11},      {about->Label2, {16, 84, 18, 16}, 13},
        {about->Label3, {31, 96, 133, 24}, 19},      {about->Label4, {56, 72, 52, 13}, 11},
        {about->StaticText1, {74, 34, 106, 33}, 24}, {about->StaticText2, {66, 168, 68, 24}, 16},
        {about->LinkLabel1, {12, 124, 176, 16}, 13}, {about->LinkLabel2, {32, 148, 137, 16}, 13},
    };
    for (const Expected& e : controls) {
      QCOMPARE(e.control->geometry(), e.geometry);
      QVERIFY(e.control->font().bold());
      // Texts set in CMake may be longer than the laid-out ones: those fonts shrink, never grow.
      QVERIFY2(e.control->font().pixelSize() <= e.pixelSize && e.control->font().pixelSize() >= 6,
               qPrintable(e.control->objectName()));
    }
    // The fixed texts keep their sizes.
    QCOMPARE(about->Label1->font().pixelSize(), 11);
    QCOMPARE(about->Label2->font().pixelSize(), 13);
    QCOMPARE(about->StaticText1->font().pixelSize(), 24);
    QCOMPARE(about->StaticText2->font().pixelSize(), 16);

    // The build date as day.month.year, a real date and not in the future.
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4}$"))
                .match(about->Label1->text())
                .hasMatch());
    const QDate built = QDate::fromString(about->Label1->text(), QStringLiteral("dd.MM.yyyy"));
    QVERIFY(built.isValid());
    QVERIFY(built <= QDate::currentDate().addDays(1));
    QCOMPARE(about->Label4->text(), QStringLiteral("v " ZARVO_FILE_VERSION));
    QCOMPARE(QString::fromLatin1(ZARVO_FILE_VERSION).split(QLatin1Char('.')).size(), 4);
    QCOMPARE(about->Label2->text(), QStringLiteral("by"));
    QCOMPARE(about->Label3->text(), QStringLiteral(ZARVO_AUTHOR));
    QCOMPARE(about->StaticText1->text(), QStringLiteral("   Zarvo  "));
    QCOMPARE(about->StaticText2->text(), QStringLiteral("    OK    "));
    QCOMPARE(about->LinkLabel1->text(), QStringLiteral(ZARVO_HOMEPAGE));
    QCOMPARE(about->LinkLabel2->text(), QStringLiteral(ZARVO_CONTACT));

    for (QWidget* w : {static_cast<QWidget*>(about->Label1), static_cast<QWidget*>(about->Label2),
                       static_cast<QWidget*>(about->Label3), static_cast<QWidget*>(about->Label4),
                       static_cast<QWidget*>(about->StaticText1), static_cast<QWidget*>(about->LinkLabel1),
                       static_cast<QWidget*>(about->LinkLabel2)})
      QCOMPARE(TextColour(w), kLime);
    QCOMPARE(about->StaticText1->palette().color(QPalette::Window), QColor(0, 64, 0));
    QVERIFY(about->StaticText1->autoFillBackground());
    QCOMPARE(about->StaticText1->frameShape(), QFrame::Box);
    QVERIFY(about->LinkLabel1->font().underline());
    QVERIFY(about->LinkLabel2->font().underline());
    QCOMPARE(about->LinkLabel1->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(about->StaticText2->cursor().shape(), Qt::PointingHandCursor);
    // The OK button: black on lime.
    const QImage ok = about->StaticText2->grab().toImage();
    QCOMPARE(ok.pixelColor(3, 3), kLime);
  }

  void linksOpenTheWebPageAndTheContactAddress() {
    Zarvo z;
    TFormAbout* about = z.windows.FormAbout();
    QCOMPARE(about->LinkLabel2->LinkType(), TLinkType::ltmailto);
    QCOMPARE(about->LinkLabel2->HyperLink(), QStringLiteral(ZARVO_CONTACT));
    QVERIFY(Trigger(z.Main(), QStringLiteral("About1")));
    QTest::mousePress(about->LinkLabel1, Qt::LeftButton);
    QTest::mousePress(about->LinkLabel2, Qt::LeftButton);
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("open " ZARVO_HOMEPAGE),
                                            QStringLiteral("open mailto:" ZARVO_CONTACT)}));
    QVERIFY(about->isVisible()); // opening a link does not close the window
  }

  void webLinkTypeFollowsTheAddressScheme() {
    QCOMPARE(WebLinkFor(QStringLiteral("https://zarvo.org")).type, TLinkType::lthttps);
    QCOMPARE(WebLinkFor(QStringLiteral("https://zarvo.org")).hyperLink, QStringLiteral("zarvo.org"));
    QCOMPARE(WebLinkFor(QStringLiteral("http://zarvo.org/x")).type, TLinkType::lthttp);
    QCOMPARE(WebLinkFor(QStringLiteral("http://zarvo.org/x")).hyperLink, QStringLiteral("zarvo.org/x"));
    QCOMPARE(WebLinkFor(QStringLiteral("zarvo.org")).type, TLinkType::lthttp);
    QCOMPARE(WebLinkFor(QStringLiteral("zarvo.org")).hyperLink, QStringLiteral("zarvo.org"));
  }

  void placedBesideTheMainWindowOnEveryShowing() {
    QCOMPARE(AboutPlacement(QRect(500, 400, 200, 140), QSize(200, 200)), QPoint(400, 430));
    // Halves are truncated toward zero.
    QCOMPARE(AboutPlacement(QRect(0, 0, 201, 141), QSize(200, 200)), QPoint(-100, 29));

    Zarvo z;
    TFormAbout* about = z.windows.FormAbout();
    static_cast<SkinnedWindow*>(z.Main())->MoveTo(500, 400);
    QVERIFY(Trigger(z.Main(), QStringLiteral("About1")));
    QVERIFY(about->isVisible());
    QCOMPARE(about->pos(), QPoint(400, 430));
    // Dragged away, closed and shown again: placed afresh beside the main window.
    Drag(about->Label3);
    QVERIFY(about->pos() != QPoint(400, 430));
    QTest::mouseClick(about->StaticText2, Qt::LeftButton);
    QVERIFY(!about->isVisible());
    static_cast<SkinnedWindow*>(z.Main())->MoveTo(40, 300);
    QVERIFY(Trigger(z.Main(), QStringLiteral("About1")));
    QCOMPARE(about->pos(), QPoint(-60, 330)); // near the screen's left edge: partly off-screen, no clamping
  }

  void dragsOnlyByItsDraggingSurfaces() {
    Zarvo z;
    TFormAbout* about = z.windows.FormAbout();
    static_cast<SkinnedWindow*>(z.Main())->MoveTo(500, 400);
    QVERIFY(Trigger(z.Main(), QStringLiteral("About1")));
    QVERIFY(QTest::qWaitForWindowExposed(about));
    const QList<QWidget*> surfaces = {about,         about->TitleBar, about->Title,  about->Label1,
                                      about->Label3, about->Image1,   about->Label4, about->StaticText1};
    for (QWidget* w : surfaces) {
      const QPoint before = about->pos();
      Drag(w);
      QVERIFY2(about->pos() == before + QPoint(40, 20), qPrintable(w->objectName()));
    }
    const QList<QWidget*> others = {about->Label2, about->LinkLabel1, about->LinkLabel2};
    for (QWidget* w : others) {
      const QPoint before = about->pos();
      Drag(w);
      QVERIFY2(about->pos() == before, qPrintable(w->objectName()));
    }
    QVERIFY(about->isVisible());
  }

  void okCloseAndEscapeEndTheModalShowing() {
    Zarvo z;
    TFormAbout* about = z.windows.FormAbout();
    const QList<std::function<void()>> closers = {
        [about] { QTest::mouseClick(about->StaticText2, Qt::LeftButton); },
        [about] { QTest::mouseClick(about->CloseButton, Qt::LeftButton); },
        [about] { QTest::keyClick(about, Qt::Key_Escape); },
    };
    for (const auto& close : closers) {
      QVERIFY(Trigger(z.Main(), QStringLiteral("About1")));
      QVERIFY(about->isVisible());
      QCOMPARE(QApplication::activeModalWidget(), about);
      close();
      QVERIFY(!about->isVisible());
      QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
  }

  // While the About window is up, the countdown's timer keeps ticking and the countdown expires.
  void countdownGoesOnAndExpiresWhileItIsShown() {
    Zarvo z;
    z.ClickOption(TFormOptions::ShutDownRow);
    z.PressStart();
    QVERIFY(Trigger(z.Main(), QStringLiteral("About1")));
    QCOMPARE(QApplication::activeModalWidget(), z.windows.FormAbout());
    z.Tick();
    z.clock.Advance(60'000);
    z.StartTicking();
    QTRY_VERIFY_WITH_TIMEOUT(!z.Counting(), 20000);
    QCOMPARE(z.platform.calls, (QStringList{QStringLiteral("privilege"), QStringLiteral("exit 13")}));
    QVERIFY(z.windows.FormAbout()->isVisible());
  }
};

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
