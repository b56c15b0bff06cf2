#include "tests/support/test_support.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QtEndian>
#include <cmath>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zarvo::test {

QString SourceDir() { return qEnvironmentVariable("ZARVO_SOURCE_DIR", QStringLiteral(".")); }
QString BinaryDir() { return qEnvironmentVariable("ZARVO_BINARY_DIR", QStringLiteral(".")); }
QString SystemPython() { return QStringLiteral("/usr/bin/python3"); }

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, int pollMs) {
  if (pollMs <= 0)
    return QTest::qWaitFor(condition, timeoutMs);
  QElapsedTimer sinceAsked;
  const auto paced = [&] {
    if (sinceAsked.isValid() && sinceAsked.elapsed() < pollMs)
      return false;
    sinceAsked.restart();
    return condition();
  };
  return QTest::qWaitFor(paced, timeoutMs) || condition();
}

bool ExpectNothingFor(int ms, const std::function<bool()>& happened) {
  return !QTest::qWaitFor(happened, ms);
}

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
  out << quint32(16) << quint16(1) << quint16(1) << quint32(sampleRate) << quint32(sampleRate * 2)
      << quint16(2) << quint16(16);
  out.writeRawData("data", 4);
  out << dataBytes;
  for (quint32 i = 0; i < samples; ++i)
    out << qint16(2000 * std::sin(2 * M_PI * 440.0 * i / sampleRate));
  return out.status() == QDataStream::Ok;
}

bool WriteMp3(const QString& wavPath, const QString& mp3Path, QString* error, const QStringList& encoder) {
  QProcess gst;
  gst.setProcessChannelMode(QProcess::MergedChannels);
  gst.start(QStringLiteral("gst-launch-1.0"),
            QStringList{QStringLiteral("-q"), QStringLiteral("filesrc"),
                        QStringLiteral("location=") + wavPath, QStringLiteral("!"),
                        QStringLiteral("wavparse"), QStringLiteral("!"), QStringLiteral("audioconvert"),
                        QStringLiteral("!")} +
                encoder +
                QStringList{QStringLiteral("!"), QStringLiteral("filesink"),
                            QStringLiteral("location=") + mp3Path});
  const bool ok = gst.waitForFinished(30000) && gst.exitStatus() == QProcess::NormalExit &&
                  gst.exitCode() == 0 && QFileInfo(mp3Path).size() > 0;
  if (!ok && error)
    *error = gst.errorString() + QLatin1Char('\n') + QString::fromLocal8Bit(gst.readAll());
  if (gst.state() != QProcess::NotRunning) {
    gst.kill();
    gst.waitForFinished();
  }
  return ok;
}

namespace {

struct Capabilities {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  bool Get() { return syscall(SYS_capget, &header, data) == 0; }
  bool Set() { return syscall(SYS_capset, &header, data) == 0; }
};

} // namespace

ObeyFilePermissions::ObeyFilePermissions() {
  Capabilities caps;
  if (!caps.Get())
    return;
  effective_[0] = caps.data[0].effective;
  effective_[1] = caps.data[1].effective;
  for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
    caps.data[cap / 32].effective &= ~(1u << (cap % 32));
  dropped_ = caps.Set();
}

ObeyFilePermissions::~ObeyFilePermissions() {
  Capabilities caps;
  if (!dropped_ || !caps.Get())
    return;
  caps.data[0].effective = effective_[0];
  caps.data[1].effective = effective_[1];
  caps.Set();
}

} // namespace zarvo::test
