// The MP3 length counter on hand-built frame sequences, where the exact answer is known.
#include "components/sound_mp3.h"

#include <QtTest>

using zarvo::Mp3DurationMs;

namespace {

// An MPEG-1 layer 3 frame, 128 kbit/s, 44.1 kHz, no padding: 417 bytes, 1152 samples.
QByteArray Mpeg1Frame(const QByteArray& payload = {}) {
  QByteArray f(417, '\0');
  f[0] = char(0xFF), f[1] = char(0xFB), f[2] = char(0x90), f[3] = char(0x00);
  f.replace(4 + 32, payload.size(), payload);
  return f;
}

// An MPEG-2 layer 3 frame, 64 kbit/s, 22.05 kHz, padded: 72 * 64000 / 22050 + 1 = 209 bytes, 576 samples.
QByteArray Mpeg2Frame() {
  QByteArray f(209, '\0');
  f[0] = char(0xFF), f[1] = char(0xF3), f[2] = char(0x82), f[3] = char(0x00);
  return f;
}

QByteArray Id3v2Tag(int bodySize) {
  QByteArray t("ID3\x04\x00\x00", 6);
  for (int shift : {21, 14, 7, 0})
    t += char((bodySize >> shift) & 0x7F);
  return t + QByteArray(bodySize, 'x');
}

} // namespace

class TestSoundPlayerMp3 : public QObject {
  Q_OBJECT
private slots:
  void countsFrames_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<qint64>("ms");

    QByteArray plain;
    for (int i = 0; i < 100; ++i)
      plain += Mpeg1Frame();
    const qint64 plainMs = 100 * 1152 * 1000 / 44100; // 2612
    QTest::newRow("MPEG-1") << plain << plainMs;

    QByteArray mpeg2;
    for (int i = 0; i < 50; ++i)
      mpeg2 += Mpeg2Frame();
    QTest::newRow("MPEG-2 with padding") << mpeg2 << qint64(50 * 576 * 1000 / 22050);

    QByteArray id3v1("TAG");
    id3v1 += QByteArray(125, char(0xFF)); // an ID3v1 tag full of bytes that look like frame syncs
    QTest::newRow("ID3v2 in front, ID3v1 behind") << Id3v2Tag(3000) + plain + id3v1 << plainMs;
    QTest::newRow("two ID3v2 tags") << Id3v2Tag(10) + Id3v2Tag(20) + plain << plainMs;
    QTest::newRow("padding before the first frame")
        << Id3v2Tag(10) + QByteArray(700, '\0') + plain << plainMs;
    QTest::newRow("encoder info frame is silent") << Mpeg1Frame("Info") + plain << plainMs;
    QTest::newRow("cut-off last frame") << plain + Mpeg1Frame().left(200) << plainMs;
    QTest::newRow("damage in the middle")
        << plain.left(50 * 417) + QByteArray(333, 'z') + plain.mid(50 * 417) << plainMs;
  }
  void countsFrames() {
    QFETCH(QByteArray, data);
    QFETCH(qint64, ms);
    QCOMPARE(Mp3DurationMs(data), std::optional<qint64>(ms));
  }

  void rejectsWhatIsNotMpegAudio_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("These are notes, not a sound.\n");
    QTest::newRow("tag only") << Id3v2Tag(100);
    QByteArray wav("RIFF\x24\x08\x00\x00WAVEfmt ", 16);
    for (int i = 0; i < 10; ++i)
      wav += Mpeg1Frame();
    QTest::newRow("WAV whose samples look like frames") << wav;
    QTest::newRow("lone header") << Mpeg1Frame().left(4) + QByteArray(1000, 'a');
    QByteArray freeFormat = Mpeg1Frame();
    freeFormat[2] = char(0x00);
    QTest::newRow("free format") << freeFormat + freeFormat;
  }
  void rejectsWhatIsNotMpegAudio() {
    QFETCH(QByteArray, data);
    QCOMPARE(Mp3DurationMs(data), std::nullopt);
  }

  // A file longer than what is read: its length follows from the frames read, at their rate.
  void estimatesFromTheBeginningOfAHugeFile() {
    QByteArray frames;
    for (int i = 0; i < 100; ++i)
      frames += Mpeg1Frame();
    const QByteArray prefix = Id3v2Tag(90) + frames; // a 100-byte tag, then 2612 ms in 41700 bytes
    // Ten times the frames after the tag: ten times the time (to the millisecond of rounding).
    const qint64 tenfold = 100 + 10 * 41700;
    QCOMPARE(Mp3DurationMs(prefix, tenfold), std::optional<qint64>(26120));
    // Read whole, it is exact; a prefix that is no sound tells nothing of the rest.
    QCOMPARE(Mp3DurationMs(prefix, prefix.size()), std::optional<qint64>(2612));
    QCOMPARE(Mp3DurationMs(QByteArray(4096, '\0'), 500'000'000), std::nullopt);
    // Sound that stops in the middle of the prefix is spread over the prefix, as a player would
    // guess from the bit rate; never more than the bytes could hold.
    const std::optional<qint64> diluted = Mp3DurationMs(frames + QByteArray(41700, '\0'), 500'000'000);
    QVERIFY(diluted);
    QCOMPARE(*diluted, qint64(2612) * 500'000'000 / (2 * 41700));
    QVERIFY(*diluted <= 500'000'000);
    // A prefix longer than the file it claims to begin is none of it.
    QCOMPARE(Mp3DurationMs(prefix, prefix.size() - 1), std::nullopt);
  }
};

QTEST_GUILESS_MAIN(TestSoundPlayerMp3)
#include "test_sound_player_mp3.moc"
