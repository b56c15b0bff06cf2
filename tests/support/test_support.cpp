#include "tests/support/test_support.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>
#include <cmath>

namespace zarvo::test {

QString SourceDir() { return qEnvironmentVariable("ZARVO_SOURCE_DIR", QStringLiteral(".")); }
QString BinaryDir() { return qEnvironmentVariable("ZARVO_BINARY_DIR", QStringLiteral(".")); }
QString SystemPython() { return QStringLiteral("/usr/bin/python3"); }

bool WriteWav(const QString& path, int ms, int sampleRate) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly))
    return false;
  const quint32 samples = static_cast<quint32>(static_cast<qint64>(sampleRate) * ms / 1000);
  const quint32 dataBytes = samples * 2;
  QDataStream out(&f);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("RIFF", 4);
  out << quint32(36 + dataBytes);
  out.writeRawData("WAVEfmt ", 8);
  out << quint32(16) << quint16(1) << quint16(1) << quint32(sampleRate) << quint32(sampleRate * 2) << quint16(2)
      << quint16(16);
  out.writeRawData("data", 4);
  out << dataBytes;
  for (quint32 i = 0; i < samples; ++i)
    out << qint16(2000 * std::sin(2 * M_PI * 440.0 * i / sampleRate));
  return out.status() == QDataStream::Ok;
}

bool WriteMp3(const QString& wavPath, const QString& mp3Path, QString* error) {
  QProcess gst;
  gst.setProcessChannelMode(QProcess::MergedChannels);
  gst.start(QStringLiteral("gst-launch-1.0"),
            {QStringLiteral("-q"), QStringLiteral("filesrc"), QStringLiteral("location=") + wavPath, QStringLiteral("!"),
             QStringLiteral("wavparse"), QStringLiteral("!"), QStringLiteral("audioconvert"), QStringLiteral("!"),
             QStringLiteral("lamemp3enc"), QStringLiteral("!"), QStringLiteral("filesink"),
             QStringLiteral("location=") + mp3Path});
  const bool ok = gst.waitForFinished(30000) && gst.exitStatus() == QProcess::NormalExit && gst.exitCode() == 0 &&
                  QFileInfo(mp3Path).size() > 0;
  if (!ok && error)
    *error = gst.errorString() + QLatin1Char('\n') + QString::fromLocal8Bit(gst.readAll());
  if (gst.state() != QProcess::NotRunning) {
    gst.kill();
    gst.waitForFinished();
  }
  return ok;
}

} // namespace zarvo::test
