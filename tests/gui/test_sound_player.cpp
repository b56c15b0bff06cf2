// TMediaPlayer on real WAV and MP3 files, played into a private sound server's null output: the
// asynchronous Open and its answers, lengths, playing to the end, stopping, the faulty files, and
// a thousand quick Open, Play, Stop cycles that must neither hang nor leak.
#include "components/sound_player.h"
#include "tests/support/test_support.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include <sys/stat.h>

using zarvo::EMCIDeviceError;
using zarvo::TMediaPlayer;

namespace {

const QString kNoDevice = QStringLiteral("No MCI device open");

// Runs `call` and returns the text of the EMCIDeviceError it raised, or a null string if it raised none.
QString ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const EMCIDeviceError& e) {
    return e.Text().isNull() ? QStringLiteral("") : e.Text();
  }
  return {};
}

// A deliberate wait in which nothing is meant to happen, with the event loop running.
void WaitWhileNothingHappens(int ms) { QTest::qWait(ms); }

// Opens `file` and returns the text Opened brings (empty when the file is ready to play). Checks
// the contract on the way: Open returns before its answer, and the answer comes exactly once.
QString OpenAndWait(TMediaPlayer& player, const QString& file) {
  QSignalSpy opened(&player, &TMediaPlayer::Opened);
  player.FileName = file;
  player.Open();
  if (!opened.isEmpty() || !player.IsOpening() || player.IsOpen())
    return QStringLiteral("Open answered from inside itself");
  if (!opened.wait(20000) && opened.isEmpty())
    return QStringLiteral("no answer");
  if (player.IsOpening() || opened.size() != 1)
    return QStringLiteral("answered, but still opening or answered twice");
  return opened.first().first().toString();
}

// 2 s of silence and then 18 s of noise, 22.05 kHz mono: an encoder at a variable bit rate spends
// a few bits a frame on the silence and many on the noise, so that the length guessed from the bit
// rate of the first frames is several times the real one.
bool WriteSilenceThenNoise(const QString& path) {
  constexpr int kRate = 22050;
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly))
    return false;
  const quint32 samples = 20 * kRate;
  QDataStream out(&f);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("RIFF", 4);
  out << quint32(36 + samples * 2);
  out.writeRawData("WAVEfmt ", 8);
  out << quint32(16) << quint16(1) << quint16(1) << quint32(kRate) << quint32(kRate * 2) << quint16(2)
      << quint16(16);
  out.writeRawData("data", 4);
  out << quint32(samples * 2);
  QRandomGenerator noise(19);
  for (quint32 i = 0; i < samples; ++i)
    out << qint16(i < 2 * kRate ? 0 : noise.bounded(-12000, 12000));
  return out.status() == QDataStream::Ok;
}

} // namespace

class TestSoundPlayer : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString wav1s_, wav3s_, mp3_, taggedMp3_, shortWav_, shortMp3_;
  QString vbr_, vbrXing_, cbr_, cbrInfo_; // 20 s each

  QString Path(const QString& name) const { return dir_.filePath(name); }

private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    wav1s_ = Path(QStringLiteral("one second.wav"));
    wav3s_ = Path(QStringLiteral("three seconds.wav"));
    mp3_ = Path(QStringLiteral("one second.mp3"));
    shortWav_ = Path(QStringLiteral("short.wav"));
    shortMp3_ = Path(QStringLiteral("short.mp3"));
    QVERIFY(zarvo::test::WriteWav(wav1s_, 1000));
    QVERIFY(zarvo::test::WriteWav(wav3s_, 3000, 44100));
    QVERIFY(zarvo::test::WriteWav(shortWav_, 150));
    QString error;
    QVERIFY2(zarvo::test::WriteMp3(wav1s_, mp3_, &error), qPrintable(error));
    QVERIFY2(zarvo::test::WriteMp3(shortWav_, shortMp3_, &error), qPrintable(error));
    // The same sound with an ID3v2 tag in front and an ID3v1 tag behind, as most MP3 files have.
    taggedMp3_ = Path(QStringLiteral("tagged.mp3"));
    QFile in(mp3_), out(taggedMp3_);
    QVERIFY(in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
    const QByteArray title("TIT2\0\0\0\x06\0\0\0Alarm", 15);
    out.write(QByteArray("ID3\x03\0\0\0\0\0", 9) + char(title.size()) + title);
    out.write(in.readAll());
    out.write(QByteArray("TAG") + QByteArray(125, ' '));
    out.close();

    // Twenty seconds at a variable and at a constant bit rate, each with and without the encoder's
    // header that holds the number of frames.
    const QString noise = Path(QStringLiteral("noise.wav"));
    QVERIFY(WriteSilenceThenNoise(noise));
    const QStringList cbr{QStringLiteral("lamemp3enc"), QStringLiteral("target=bitrate"),
                          QStringLiteral("cbr=true"), QStringLiteral("bitrate=64")};
    const QStringList header{QStringLiteral("!"), QStringLiteral("xingmux")};
    vbr_ = Path(QStringLiteral("vbr.mp3"));
    vbrXing_ = Path(QStringLiteral("vbr xing.mp3"));
    cbr_ = Path(QStringLiteral("cbr.mp3"));
    cbrInfo_ = Path(QStringLiteral("cbr info.mp3"));
    QVERIFY2(zarvo::test::WriteMp3(noise, vbr_, &error), qPrintable(error));
    QVERIFY2(
        zarvo::test::WriteMp3(noise, vbrXing_, &error, QStringList{QStringLiteral("lamemp3enc")} + header),
        qPrintable(error));
    QVERIFY2(zarvo::test::WriteMp3(noise, cbr_, &error, cbr), qPrintable(error));
    QVERIFY2(zarvo::test::WriteMp3(noise, cbrInfo_, &error, cbr + header), qPrintable(error));
  }

  void openKnowsTheLength_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");
    QTest::newRow("wav") << wav1s_ << 1000 << 1000;
    // The encoder adds up to a few frames of padding.
    QTest::newRow("mp3") << mp3_ << 1000 << 1150;
    QTest::newRow("mp3 with tags") << taggedMp3_ << 1000 << 1150;
    // Within a second of the real length, however the bits are spread over the file.
    QTest::newRow("variable bit rate") << vbr_ << 19000 << 21000;
    QTest::newRow("variable bit rate, Xing header") << vbrXing_ << 19000 << 21000;
    QTest::newRow("constant bit rate") << cbr_ << 19000 << 21000;
    QTest::newRow("constant bit rate, Info header") << cbrInfo_ << 19000 << 21000;
  }
  void openKnowsTheLength() {
    QFETCH(QString, file);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
    TMediaPlayer player;
    QCOMPARE(OpenAndWait(player, file), QString());
    QVERIFY(player.IsOpen());
    QVERIFY2(player.Length() >= minMs && player.Length() <= maxMs,
             qPrintable(QString::number(player.Length())));
    QCOMPARE(player.Position(), 0);
  }

  // The main window hides its stop button on the first tick at which Position() == Length().
  void playsToTheEndInRealTime_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("wav") << wav1s_;
    QTest::newRow("mp3") << mp3_;
  }
  void playsToTheEndInRealTime() {
    QFETCH(QString, file);
    TMediaPlayer player;
    QCOMPARE(OpenAndWait(player, file), QString());
    const int length = player.Length();
    for (int round = 0; round < 2; ++round) { // a further Play starts over from the beginning
      QElapsedTimer clock;
      clock.start();
      player.Play();
      QVERIFY(player.Position() < length);
      // Seen on its way, unless a loaded machine kept this thread from looking for longer than the sound.
      QTRY_VERIFY_WITH_TIMEOUT(
          (player.Position() > 0 && player.Position() < length) || clock.elapsed() > length, 10000);
      QTRY_COMPARE_WITH_TIMEOUT(player.Position(), length, 15000);
      QVERIFY2(clock.elapsed() >= length * 8 / 10, qPrintable(QString::number(clock.elapsed())));
      QCOMPARE(player.Length(), length);
      QVERIFY(player.IsOpen());
    }
    // The end stays the end.
    WaitWhileNothingHappens(300);
    QCOMPARE(player.Position(), player.Length());
  }

  void stopHaltsWhereItIsAndKeepsTheDeviceOpen() {
    TMediaPlayer player;
    QCOMPARE(OpenAndWait(player, wav3s_), QString());
    player.Play();
    QTRY_VERIFY_WITH_TIMEOUT(player.Position() >= 400, 10000);
    player.Stop();
    const int stoppedAt = player.Position();
    QVERIFY(stoppedAt >= 400 && stoppedAt < player.Length());
    WaitWhileNothingHappens(600);
    QVERIFY2(qAbs(player.Position() - stoppedAt) <= 50, qPrintable(QString::number(player.Position())));
    QVERIFY(player.IsOpen());
    QCOMPARE(player.Length(), 3000);
    player.Stop(); // stopping a stopped device is harmless

    // Play carries on from there rather than from the start.
    player.Play();
    QTRY_VERIFY_WITH_TIMEOUT(player.Position() > stoppedAt + 100, 10000);
    QVERIFY(player.Position() < player.Length());
  }

  void openFailureIsAnsweredAndLeavesThePlayerClosed_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected"); // the end of the error text
    QTest::addColumn<bool>("openBefore");  // a device was open and playing before the failing Open

    const QString text = Path(QStringLiteral("notes.wav"));
    QFile f(text);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("These are notes, not a sound.\n");
    f.close();
    const QString empty = Path(QStringLiteral("empty.mp3"));
    QVERIFY(QFile(empty).open(QIODevice::WriteOnly));
    // A picture decodes fine, but has nothing to hear.
    const QString picture = Path(QStringLiteral("picture.mp3"));
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture, "PNG"));
    // A pipe with no writer: opening it for reading would wait for ever.
    const QString fifo = Path(QStringLiteral("pipe.wav"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString missing = Path(QStringLiteral("missing.wav"));
    const auto told = [](const QString& file, const char* reason) {
      return QStringLiteral("Cannot open the sound file \"%1\": %2").arg(file, QLatin1String(reason));
    };

    QTest::newRow("missing") << missing << told(missing, "the file does not exist.") << false;
    QTest::newRow("missing, after a good one")
        << missing << told(missing, "the file does not exist.") << true;
    QTest::newRow("empty") << empty << told(empty, "the file is empty.") << false;
    QTest::newRow("folder") << dir_.path() << told(dir_.path(), "it is a folder, not a file.") << true;
    QTest::newRow("pipe") << fifo << told(fifo, "it is not a regular file, but a pipe or a device.") << false;
    QTest::newRow("picture") << picture << told(picture, "it contains no sound.") << true;
    QTest::newRow("text") << text << QString() << false; // in the sound system's words
    QTest::newRow("no name") << QString() << QStringLiteral("No sound file was given.") << false;
  }
  void openFailureIsAnsweredAndLeavesThePlayerClosed() {
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QFETCH(bool, openBefore);
    TMediaPlayer player;
    if (openBefore) {
      QCOMPARE(OpenAndWait(player, wav1s_), QString());
      player.Play();
    }
    QElapsedTimer clock;
    clock.start();
    const QString error = OpenAndWait(player, file);
    if (expected.isEmpty())
      QVERIFY2(error.startsWith(QStringLiteral("Cannot open the sound file \"%1\": ").arg(file)) &&
                   error.size() > file.size() + 35,
               qPrintable(error));
    else
      QCOMPARE(error, expected);
    QVERIFY(clock.elapsed() < 9000); // told by the sound system, not found by Open giving up after 10 s
    QVERIFY(!player.IsOpen());
    QCOMPARE(player.Position(), 0);
    QCOMPARE(ErrorOf([&] { player.Length(); }), kNoDevice);

    // The player is still good for the next file.
    QCOMPARE(OpenAndWait(player, wav1s_), QString());
    QCOMPARE(player.Length(), 1000);
  }

  void closedOrOpeningPlayerRaisesNoDeviceOpen() {
    TMediaPlayer player;
    player.FileName = wav1s_; // a name alone opens nothing
    const auto raisesEverywhere = [&] {
      QCOMPARE(ErrorOf([&] { player.Play(); }), kNoDevice);
      QCOMPARE(ErrorOf([&] { player.Stop(); }), kNoDevice);
      QCOMPARE(ErrorOf([&] { player.Length(); }), kNoDevice);
      QCOMPARE(player.Position(), 0);
    };
    raisesEverywhere();
    QVERIFY(ErrorOf([&] { player.Close(); }).isNull());

    player.Open(); // not open before its answer
    QVERIFY(player.IsOpening());
    raisesEverywhere();
    QSignalSpy opened(&player, &TMediaPlayer::Opened);
    QVERIFY(opened.wait(20000));
    player.Play();
    QTRY_VERIFY_WITH_TIMEOUT(player.Position() > 0, 10000);

    // And so does a player that was closed while playing.
    player.Close();
    QVERIFY(!player.IsOpen());
    raisesEverywhere();
  }

  // A new Open or a Close before the answer abandons the request: its answer never comes, the
  // later request stands, whatever the order in which the sound system gets through them.
  void abandonedOpenNeverAnswers() {
    TMediaPlayer player;
    QSignalSpy opened(&player, &TMediaPlayer::Opened);
    player.FileName = wav3s_;
    player.Open();
    player.Close();
    QVERIFY(!player.IsOpening());
    player.FileName = Path(QStringLiteral("missing.wav")); // answered from the event loop at once
    player.Open();
    player.FileName = wav1s_;
    player.Open();
    QVERIFY(opened.wait(20000));
    WaitWhileNothingHappens(500);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().first().toString(), QString());
    QCOMPARE(player.Length(), 1000);
  }

  // Open, Play, Stop and Open again on alternating files, a third of the time while the previous
  // file is still being prepared and a quarter of the time while it plays. The ctest timeout fails
  // a hang, LeakSanitizer a pipeline left behind.
  void thousandCyclesNeitherHangNorLeak() {
    TMediaPlayer player;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 1000; ++i) {
      const QString& file = i % 2 ? shortMp3_ : shortWav_;
      if (i % 3 == 0) {
        player.FileName = i % 2 ? shortWav_ : shortMp3_;
        player.Open();
      }
      const QString error = OpenAndWait(player, file);
      QVERIFY2(error.isEmpty(), qPrintable(QStringLiteral("cycle %1: %2").arg(i).arg(error)));
      QVERIFY2(player.Length() >= 140 && player.Length() <= 300,
               qPrintable(QString::number(player.Length())));
      player.Play();
      if (i % 4 != 1)
        player.Stop();
    }
    qInfo("1000 cycles in %lld ms", static_cast<long long>(clock.elapsed()));
    player.Play();
    QTRY_COMPARE_WITH_TIMEOUT(player.Position(), player.Length(), 10000);
  }

  void destroyingAPlayerLeavesNothingBehind_data() {
    QTest::addColumn<bool>("playing"); // else it is still being opened
    QTest::newRow("playing") << true;
    QTest::newRow("opening") << false;
  }
  void destroyingAPlayerLeavesNothingBehind() {
    QFETCH(bool, playing);
    auto player = std::make_unique<TMediaPlayer>();
    if (playing) {
      QCOMPARE(OpenAndWait(*player, mp3_), QString());
      player->Play();
      QTRY_VERIFY_WITH_TIMEOUT(player->Position() > 0, 10000);
    } else {
      player->FileName = mp3_;
      player->Open();
    }
    player.reset();
    // Nothing of it may outlive it: events still queued for it must not reach freed memory.
    WaitWhileNothingHappens(300);
  }
};

QTEST_MAIN(TestSoundPlayer)
#include "test_sound_player.moc"
