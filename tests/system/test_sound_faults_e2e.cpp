// The real program's sound step with files that cannot be played as they are: missing by the time
// the countdown ends, empty, cut off, a picture renamed .mp3, and 500 MB long; and a good file
// where no sound server can be reached at all. Nothing crashes or hangs, the user is told in an
// error box what is wrong where the sound cannot be played, and the other actions of the countdown
// still run.
#include "tests/support/accessibility.h"
#include "tests/support/test_support.h"
#include "tests/support/zarvo_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

using namespace zarvo::test;

namespace {

enum class Sound { Missing, Empty, Truncated, Picture, Huge, NoServer };

constexpr qint64 kHugeBytes = 500LL * 1024 * 1024;

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& content) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

// The error box the program shows: titled with its name, and none of its 200 x 140 windows.
std::optional<XWindow> ErrorBox() {
  return FindXWindow([](const XWindow& w) {
    return w.name == QLatin1String("Zarvo") && w.geometry.size() != QSize(200, 140) &&
           w.geometry.width() > 100;
  });
}

// The error box's text as a screen reader reads it, then the box closed with Return.
QString ReadAndCloseErrorBox(const XWindow& box) {
  QString text;
  QElapsedTimer t;
  t.start();
  while (text.isEmpty() && !t.hasExpired(20000)) {
    for (const QString& name : AccessibleNames(QStringLiteral("Zarvo")))
      if (name.startsWith(QStringLiteral("Cannot open the sound file")))
        text = name;
    if (text.isEmpty())
      QTest::qWait(300);
  }
  // On a server without a window manager the keyboard follows the pointer.
  Xdotool({QStringLiteral("mousemove"), QString::number(box.geometry.center().x()),
           QString::number(box.geometry.top() + 10)});
  Keys({QStringLiteral("Return")});
  return text;
}

// The peak resident memory of a process, in kB, from /proc.
qint64 PeakMemoryKb(qint64 pid) {
  const QByteArray status = Read(QStringLiteral("/proc/%1/status").arg(pid));
  for (const QByteArray& line : status.split('\n'))
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').first().toLongLong();
  return -1;
}

} // namespace

Q_DECLARE_METATYPE(Sound)

class TestSoundFaults : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    // A client that stays connected, so that the private sound server does not leave between cases.
    soundClient_.start(QStringLiteral("pactl"), {QStringLiteral("subscribe")});
    soundClient_.setStandardOutputFile(QProcess::nullDevice());
    QVERIFY(soundClient_.waitForStarted(10000));
    QString error;
    QVERIFY(WriteWav(dir_.filePath(QStringLiteral("tone.wav")), 3000));
    QVERIFY2(WriteMp3(dir_.filePath(QStringLiteral("tone.wav")), dir_.filePath(QStringLiteral("tone.mp3")),
                      &error),
             qPrintable(error));
  }

  void cleanupTestCase() {
    soundClient_.kill();
    soundClient_.waitForFinished(5000);
  }

  void badSoundFiles_data() {
    QTest::addColumn<Sound>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("told"); // whether an error box says what is wrong with the file
    QTest::newRow("missing") << Sound::Missing << QStringLiteral("gone.wav") << true;
    QTest::newRow("empty") << Sound::Empty << QStringLiteral("empty.mp3") << true;
    QTest::newRow("truncated") << Sound::Truncated << QStringLiteral("cut off.mp3") << false;
    QTest::newRow("picture") << Sound::Picture << QStringLiteral("picture.mp3") << true;
    QTest::newRow("500 MB") << Sound::Huge << QStringLiteral("huge.mp3") << false;
    QTest::newRow("no sound server") << Sound::NoServer << QStringLiteral("bell.wav") << true;
  }

  void badSoundFiles() {
    QFETCH(Sound, kind);
    QFETCH(QString, name);
    QFETCH(bool, told);
    ZarvoProcess zarvo;
    QVERIFY(zarvo.IsValid());
    zarvo.Environment().insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    // Under AddressSanitizer freed memory waits in a quarantine of up to 256 MB before it is reused:
    // the buffers a pipeline reads and frees would count as growth. A small quarantine measures the
    // program, not the sanitizer.
    if (const QString asan = zarvo.Environment().value(QStringLiteral("ASAN_OPTIONS")); !asan.isEmpty())
      zarvo.Environment().insert(QStringLiteral("ASAN_OPTIONS"),
                                 asan + QStringLiteral(":quarantine_size_mb=8"));
    const QString file = zarvo.Home() + QLatin1Char('/') + name;
    const QByteArray mp3 = Read(dir_.filePath(QStringLiteral("tone.mp3")));
    switch (kind) {
    case Sound::Missing: QVERIFY(QFile::copy(dir_.filePath(QStringLiteral("tone.wav")), file)); break;
    case Sound::NoServer:
      QVERIFY(QFile::copy(dir_.filePath(QStringLiteral("tone.wav")), file));
      zarvo.Environment().insert(QStringLiteral("PULSE_SERVER"),
                                 QStringLiteral("unix:") + zarvo.Home() + QStringLiteral("/no-server"));
      break;
    case Sound::Empty: QVERIFY(Write(file, {})); break;
    case Sound::Truncated: QVERIFY(Write(file, mp3.left(mp3.size() / 2 + 101))); break;
    case Sound::Picture:
      QVERIFY(Write(file, Read(SourceDir() + QStringLiteral("/assets/skin/message/title.jpg"))));
      break;
    case Sound::Huge: {
      // The sound at its start, then a hole up to 500 MB that takes no room on the disk.
      QFile f(file);
      QVERIFY(f.open(QIODevice::WriteOnly) && f.write(mp3) == mp3.size() && f.resize(kHugeBytes));
      break;
    }
    }

    QVERIFY(zarvo.Start({QStringLiteral("--after"), QStringLiteral("3s"), QStringLiteral("--sound"), file,
                         QStringLiteral("--message=Sound check")}));
    QVERIFY(zarvo.WaitForWindows(ZarvoProcess::Group, 30000));
    const qint64 memoryBefore = PeakMemoryKb(zarvo.Process().processId());
    if (kind == Sound::Missing)
      QVERIFY(QFile::remove(file));

    // The message comes up whatever becomes of the sound, which is answered later.
    QTRY_VERIFY_WITH_TIMEOUT(FindWindow(QStringLiteral("Zarvo - Message"), QSize(200, 140)), 60000);

    if (told) {
      std::optional<XWindow> box;
      QTRY_VERIFY_WITH_TIMEOUT((box = ErrorBox()), 30000);
      const QString text = ReadAndCloseErrorBox(*box);
      qInfo("%s", qPrintable(text));
      const QString start = QStringLiteral("Cannot open the sound file \"%1\": ").arg(file);
      QVERIFY2(text.startsWith(start) && text.size() > start.size() + 5, qPrintable(text));
      if (kind == Sound::Missing)
        QCOMPARE(text, start + QStringLiteral("the file does not exist."));
      if (kind == Sound::Empty)
        QCOMPARE(text, start + QStringLiteral("the file is empty."));
      if (kind == Sound::NoServer)
        QVERIFY2(text.startsWith(start + QStringLiteral("no sound server can be reached (")),
                 qPrintable(text));
      QTRY_VERIFY_WITH_TIMEOUT(!ErrorBox(), 20000);
    } else {
      // What can be played is played: no box, now or when the sound ends.
      QVERIFY(ExpectNothingFor(4000, [] { return ErrorBox().has_value(); }));
    }
    // Opening read no more than the beginning of the file, whatever its size (a count of the whole
    // file would have touched all 500 MB of it).
    const qint64 memoryGrowth = PeakMemoryKb(zarvo.Process().processId()) - memoryBefore;
    QVERIFY2(memoryGrowth < 100 * 1024, qPrintable(QStringLiteral("%1 kB more").arg(memoryGrowth)));
    QVERIFY(zarvo.IsRunning());
    QVERIFY(zarvo.Terminate());
  }

private:
  QTemporaryDir dir_;
  QProcess soundClient_;
};

QTEST_MAIN(TestSoundFaults)
#include "test_sound_faults_e2e.moc"
