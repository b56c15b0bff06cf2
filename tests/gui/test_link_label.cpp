// The link label: what each link type opens, the caption's fallback, and a press that opens without dragging.
#include "components/link_label.h"
#include "framework/skinned_window.h"
#include "platform/fake/fake_platform.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace zarvo;

Q_DECLARE_METATYPE(TLinkType)

class TestLinkLabel : public QObject {
  Q_OBJECT
private slots:
  void pressOpensPrefixPlusLink_data() {
    QTest::addColumn<TLinkType>("type");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("opened");
    QTest::newRow("file") << TLinkType::ltfile << "/tmp/a b.txt"
                          << "file:///tmp/a b.txt";
    QTest::newRow("ftp") << TLinkType::ltftp << "ftp.example.org"
                         << "ftp://ftp.example.org";
    QTest::newRow("gopher") << TLinkType::ltgopher << "g.example.org"
                            << "gopher://g.example.org";
    QTest::newRow("http") << TLinkType::lthttp << "zarvo.org/help"
                          << "http://zarvo.org/help";
    QTest::newRow("https") << TLinkType::lthttps << "zarvo.org"
                           << "https://zarvo.org";
    QTest::newRow("mailto") << TLinkType::ltmailto << "team@zarvo.org"
                            << "mailto:team@zarvo.org";
    QTest::newRow("news") << TLinkType::ltnews << "comp.lang"
                          << "news:comp.lang";
    QTest::newRow("telnet") << TLinkType::lttelnet << "host"
                            << "telnet:host";
    QTest::newRow("wais") << TLinkType::ltwais << "w"
                          << "wais:w";
    QTest::newRow("a second scheme is kept") << TLinkType::lthttp << "https://x.org"
                                             << "http://https://x.org";
    QTest::newRow("empty link opens the bare prefix") << TLinkType::ltmailto << ""
                                                      << "mailto:";
    QTest::newRow("no escaping") << TLinkType::lthttp << "x.org/a b?c=%"
                                 << "http://x.org/a b?c=%";
  }

  void pressOpensPrefixPlusLink() {
    QFETCH(TLinkType, type);
    QFETCH(QString, link);
    QFETCH(QString, opened);
    FakePlatform platform;
    QWidget window;
    TLinkLabel label(&window, platform);
    label.setGeometry(0, 0, 100, 16);
    label.SetLinkType(type);
    label.SetHyperLink(link);
    QTest::mousePress(&label, Qt::LeftButton);
    QCOMPARE(platform.calls, QStringList{QStringLiteral("open ") + opened});
    QTest::mouseRelease(&label, Qt::LeftButton);
    QCOMPARE(platform.calls.size(), 1); // the press opened it; the release adds nothing
  }

  void onlyTheLeftButtonOpens() {
    FakePlatform platform;
    QWidget window;
    TLinkLabel label(&window, platform);
    label.resize(100, 16);
    label.SetHyperLink(QStringLiteral("zarvo.org"));
    QTest::mouseClick(&label, Qt::RightButton);
    QTest::mouseClick(&label, Qt::MiddleButton);
    QVERIFY(platform.calls.isEmpty());
  }

  void defaultsAndCaptionFallback() {
    FakePlatform platform;
    QWidget window;
    TLinkLabel label(&window, platform);
    QCOMPARE(label.parentWidget(), &window);
    QCOMPARE(label.LinkType(), TLinkType::lthttp);
    QVERIFY(label.text().isEmpty());
    QVERIFY(label.font().underline());
    QCOMPARE(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);

    // An empty caption takes the link; a caption that is set stays, whatever the link becomes.
    label.SetHyperLink(QStringLiteral("first.org"));
    QCOMPARE(label.text(), QStringLiteral("first.org"));
    label.SetHyperLink(QStringLiteral("second.org"));
    QCOMPARE(label.text(), QStringLiteral("first.org"));
    QCOMPARE(label.HyperLink(), QStringLiteral("second.org"));
    label.setText(QString());
    label.SetHyperLink(QStringLiteral("third.org"));
    QCOMPARE(label.text(), QStringLiteral("third.org"));
  }

  // A press and a drag on the label open the link and leave a draggable window where it is.
  void pressAndDragStartNoWindowDrag() {
    FakePlatform platform;
    SkinnedWindow window(QStringLiteral("W"), QStringLiteral("W"), QSize(200, 100));
    window.move(300, 300);
    auto* label = new TLinkLabel(&window, platform);
    label->setGeometry(10, 10, 100, 16);
    label->SetHyperLink(QStringLiteral("zarvo.org"));
    auto* plain = new QLabel(QStringLiteral("plain"), &window);
    plain->setGeometry(10, 50, 100, 16);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto drag = [](QWidget* w) {
      QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5));
      QMouseEvent move(QEvent::MouseMove, QPointF(60, 8), w->mapToGlobal(QPointF(60, 8)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(w, &move);
      QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(60, 8));
    };
    const QPoint before = window.pos();
    drag(label);
    QCOMPARE(window.pos(), before);
    QCOMPARE(platform.calls, QStringList{QStringLiteral("open http://zarvo.org")});
    // The same gesture on a plain label drags the window.
    drag(plain);
    QTRY_COMPARE(window.pos(), before + QPoint(55, 3));
  }
};

QTEST_MAIN(TestLinkLabel)
#include "test_link_label.moc"
