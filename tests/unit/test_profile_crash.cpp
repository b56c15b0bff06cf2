// Crash safety of the profile writer: a writer killed at random moments during many saves leaves a
// settings file that is exactly the one before or the one after the write it was doing.
#include "framework/profile_file.h"
#include "tests/unit/profile_writer_keys.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace zarvo;
using namespace zarvo::test;

class TestProfileCrash : public QObject {
  Q_OBJECT
private slots:
  void killedWriterLeavesTheOldOrTheNewFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Settings.ini"));
    const QByteArray initial = "; kept through every save\n[Form1]\nLeft=1\nUnknown=keep me\n[Other]\nx=y\n";
    constexpr int kRounds = 4;

    // Every state the file passes through, in order: state n is the file after n writes.
    QHash<QByteArray, int> states;
    QByteArray doc = initial;
    states.insert(doc, 0);
    int total = 0;
    for (int round = 1; round <= kRounds; ++round)
      for (int i = 0; i < kWriterKeyCount; ++i) {
        doc = *profile::SetValue(doc, kWriterKeys[i].section, kWriterKeys[i].key,
                                 profile::EncodeInteger(WriterValue(round, i)));
        states.insert(doc, ++total);
      }

    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator rng(seed);
    int killedMidway = 0;
    for (int trial = 0; trial < 12; ++trial) {
      for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
        QFile::remove(dir.filePath(f));
      {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(initial) == initial.size());
      }
      const int target = static_cast<int>(rng.bounded(quint32(total)));
      QProcess writer;
      writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
      writer.start(QStringLiteral(ZARVO_PROFILE_WRITER), {path, QString::number(kRounds)});
      QVERIFY(writer.waitForStarted(10000));
      QByteArray out;
      while (out.count('\n') < target && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(1000);
        out += writer.readAllStandardOutput();
      }
      // A few microseconds to milliseconds more, so the kill lands anywhere inside a write.
      QElapsedTimer spin;
      spin.start();
      const qint64 jitter = rng.bounded(3'000'000);
      while (spin.nsecsElapsed() < jitter) {
      }
      writer.kill();
      QVERIFY(writer.waitForFinished(30000));
      out += writer.readAllStandardOutput();
      const int reported = static_cast<int>(out.count('\n'));

      QFile f(path);
      QVERIFY2(f.open(QIODevice::ReadOnly), "the settings file is gone");
      const QByteArray left = f.readAll();
      QVERIFY2(states.contains(left), qPrintable(QStringLiteral("trial %1: a file that no save wrote:\n%2")
                                                     .arg(trial)
                                                     .arg(QString::fromUtf8(left))));
      const int state = states.value(left);
      // Every write the writer finished is in the file; beyond that at most the one it was doing.
      QVERIFY2(
          state >= reported && state <= reported + 1,
          qPrintable(QStringLiteral("trial %1: state %2, reported %3").arg(trial).arg(state).arg(reported)));
      if (state < total)
        ++killedMidway;
    }
    QVERIFY2(killedMidway > 0, "the writer was never killed before it had finished");
  }
};

QTEST_GUILESS_MAIN(TestProfileCrash)
#include "test_profile_crash.moc"
