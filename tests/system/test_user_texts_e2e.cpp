// The user's own texts in the real program's countdown: an application command full of quotes,
// blanks and shell metacharacters reaches the program as text, word for word, with no shell to
// run any of it; and a message as long as one command-line argument may be is shown whole without
// the program stalling.
#include "tests/support/accessibility.h"
#include "tests/support/zarvo_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

using namespace zarvo::test;

namespace {

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An executable that writes its arguments, each ended by a NUL byte, to `out`.
bool WriteRecorder(const QString& path, const QString& out) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly))
    return false;
  f.write(QStringLiteral(
              "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > '%1.tmp'\nmv '%1.tmp' '%1'\n")
              .arg(out)
              .toUtf8());
  f.close();
  return f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

} // namespace

class TestUserTexts : public QObject {
  Q_OBJECT
private slots:
  void commandWithQuotesBlanksAndMetacharacters() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    // A program in a folder with a blank, named without quotes as the file dialog gives it.
    const QString tools = zarvo.Home() + QStringLiteral("/my tools");
    QVERIFY(QDir().mkpath(tools));
    const QString record = tools + QStringLiteral("/record args");
    const QString out = zarvo.Home() + QStringLiteral("/args");
    QVERIFY(WriteRecorder(record, out));
    const QString command =
        record + QStringLiteral(" 'single; $(touch PWNED)' \"double \\\"quoted\\\" $HOME\" back\\ slash"
                                " * ; | && > redirected `touch PWNED2` ~ \"\" 'it''s'");
    QVERIFY(zarvo.Start({QStringLiteral("--after"), QStringLiteral("2s"), QStringLiteral("--run"), command}));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 60000);

    const QList<QByteArray> args = Read(out).split('\0');
    const QList<QByteArray> expected{"single; $(touch PWNED)",
                                     "double \"quoted\" $HOME",
                                     "back slash",
                                     "*",
                                     ";",
                                     "|",
                                     "&&",
                                     ">",
                                     "redirected",
                                     "`touch",
                                     "PWNED2`",
                                     "~",
                                     "",
                                     "its",
                                     ""}; // the last NUL ends the last argument
    QCOMPARE(args, expected);
    // Nothing was run, redirected or expanded: no file appeared anywhere it could have.
    for (const QString& folder : {zarvo.Folder(), zarvo.Home(), tools})
      for (const QString& name : QDir(folder).entryList(QDir::Files))
        QVERIFY2(!name.contains(QStringLiteral("PWNED")) && name != QLatin1String("redirected"),
                 qPrintable(folder + QLatin1Char('/') + name));
    QVERIFY(zarvo.IsRunning());
    QVERIFY(zarvo.Terminate());
  }

  // One argument may be at most 128 KB on Linux, so no longer message reaches the program from its
  // command line (and the input box takes 255 characters): this is the longest there can be.
  void longestMessage() {
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    zarvo.Environment().insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    QString text;
    for (int i = 0; text.size() < 128 * 1024 - 64; ++i)
      text += QStringLiteral("line %1 of a very long message, ").arg(i) +
              (i % 7 ? QString() : QStringLiteral("\n"));
    text.truncate(128 * 1024 - 64);
    QVERIFY(
        zarvo.Start({QStringLiteral("--after"), QStringLiteral("2s"), QStringLiteral("--message=") + text}));
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 30000));
    QElapsedTimer t;
    t.start();
    QTRY_VERIFY_WITH_TIMEOUT(FindWindow(QStringLiteral("Zarvo - Message"), QSize(200, 140)), 60000);
    qInfo("message window after %lld ms", t.elapsed());
    // Still answering, and the message window holds the whole text, as a screen reader reads it.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
          for (const QString& shown : AccessibleNames(QStringLiteral("Zarvo"), true))
            if (shown.contains(text))
              return true;
          return false;
        }(),
        60000);
    QVERIFY(zarvo.IsRunning());
    QVERIFY(zarvo.Terminate());
  }
};

QTEST_GUILESS_MAIN(TestUserTexts)
#include "test_user_texts_e2e.moc"
