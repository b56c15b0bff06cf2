// The profile-file reader and writer: matching, quoting, append order, kept lines, line ends,
// the value encodings, and files that are missing, protected, huge or garbage.
#include "framework/profile_file.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace zarvo;
using namespace zarvo::profile;

namespace {

const QByteArray kHandWritten = "; written by hand\n"
                                "Before=1\n"
                                "stray text before any section\n"
                                "[ Form1 ]\n"
                                "  left  =  512  \n"
                                "TOP=\"244\"\n"
                                "Quoted='x y'\n"
                                "Half=\"abc\n"
                                "Empty=\n"
                                "Command = a=b \n"
                                "Dup=1\n"
                                "dup=2\n"
                                "garbage line without equals\n"
                                "\n"
                                "[Other]\n"
                                "Left=7\n"
                                "[FORM1]\n"
                                "Late=9\n";

std::optional<QByteArray> Value(const QByteArray& doc, const char* section, const char* key) {
  return FindValue(doc, section, key);
}

QByteArray Set(const QByteArray& doc, const char* section, const char* key, const char* value) {
  const std::optional<QByteArray> out = SetValue(doc, section, key, value);
  if (!out)
    qFatal("SetValue refused %s/%s", section, key);
  return *out;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestProfileFile : public QObject {
  Q_OBJECT
private slots:
  void readsIgnoringCaseBlanksAndQuotes() {
    const QByteArray& d = kHandWritten;
    QCOMPARE(Value(d, "form1", "LEFT"), QByteArray("512"));
    QCOMPARE(Value(d, "Form1", "top"), QByteArray("244"));
    QCOMPARE(Value(d, "Form1", "Quoted"), QByteArray("x y"));
    QCOMPARE(Value(d, "Form1", "Half"), QByteArray("\"abc")); // no matching pair: kept
    QCOMPARE(Value(d, "Form1", "Empty"), QByteArray(""));
    QCOMPARE(Value(d, "Form1", "Command"), QByteArray("a=b"));
    QCOMPARE(Value(d, "Form1", "DUP"), QByteArray("1"));  // the first of two equal keys
    QCOMPARE(Value(d, "Form1", "Late"), QByteArray("9")); // a section of the same name further down
    QCOMPARE(Value(d, "Other", "Left"), QByteArray("7"));
    QCOMPARE(Value(d, "Form1", "Missing"), std::nullopt);
    QCOMPARE(Value(d, "Nowhere", "Left"), std::nullopt);
    QCOMPARE(Value(d, "", "Before"), std::nullopt); // keys before the first section belong to none
    QCOMPARE(Value(d, "Form1", "garbage line without equals"), std::nullopt);
  }

  void crLfAndLfBothRead() {
    const QByteArray d = "[A]\r\nx=1\r\ny = 2 \r\n[B]\nz=3";
    QCOMPARE(Value(d, "a", "x"), QByteArray("1"));
    QCOMPARE(Value(d, "a", "y"), QByteArray("2"));
    QCOMPARE(Value(d, "b", "z"), QByteArray("3"));
    // New lines follow the file's own line ends.
    QCOMPARE(Set(d, "A", "w", "4"), QByteArray("[A]\r\nx=1\r\ny = 2 \r\nw=4\r\n[B]\nz=3"));
    QCOMPARE(Set(d, "A", "X", "5"), QByteArray("[A]\r\nx=5\r\ny = 2 \r\n[B]\nz=3"));
    QCOMPARE(Set(d, "C", "v", "6"), QByteArray("[A]\r\nx=1\r\ny = 2 \r\n[B]\nz=3\r\n[C]\r\nv=6\r\n"));
  }

  void writeReplacesInPlaceAndKeepsEverythingElse() {
    QByteArray d = Set(kHandWritten, "form1", "TOP", "300");
    d = Set(d, "FORM1", "LEFT", "600");
    d = Set(d, "form1", "dup", "5");
    QByteArray expected = kHandWritten;
    expected.replace("TOP=\"244\"", "TOP=300");
    expected.replace("  left  =  512  ", "  left  =  600");
    expected.replace("Dup=1", "Dup=5");
    QCOMPARE(d, expected);
    QCOMPARE(Value(d, "Form1", "dup"), QByteArray("5"));
    // A key of a later section of the same name is replaced where it stands.
    QVERIFY(Set(d, "Form1", "late", "10").endsWith("[FORM1]\nLate=10\n"));
  }

  void newKeysGoAfterTheLastKeyOfTheirSectionAndNewSectionsAtTheEnd() {
    QByteArray d = Set(kHandWritten, "Form1", "IsAlways", "0");
    QVERIFY2(d.contains("dup=2\nIsAlways=0\ngarbage line without equals\n"), d.constData());
    d = Set(d, "Other", "Top", "8");
    QVERIFY(d.contains("[Other]\nLeft=7\nTop=8\n[FORM1]"));
    d = Set(d, "FormCounter", "Left", "1");
    QVERIFY(d.endsWith("[FORM1]\nLate=9\n[FormCounter]\nLeft=1\n"));
    // A file without a final line break gets one before anything is added.
    QCOMPARE(Set("[A]\nx=1", "A", "y", "2"), QByteArray("[A]\nx=1\ny=2\n"));
    QCOMPARE(Set("[A]", "A", "y", "2"), QByteArray("[A]\ny=2\n"));
    QCOMPARE(Set("junk", "A", "y", "2"), QByteArray("junk\n[A]\ny=2\n"));
    // A new file holds the sections in the order written and the keys in the order written.
    QByteArray fresh;
    for (const char* key : {"Left", "Top", "ShowHelp"})
      fresh = Set(fresh, "Form1", key, "1");
    fresh = Set(fresh, "FormCounter", "Left", "2");
    fresh = Set(fresh, "Form1", "IsAlways", "0");
    QCOMPARE(fresh, QByteArray("[Form1]\nLeft=1\nTop=1\nShowHelp=1\nIsAlways=0\n[FormCounter]\nLeft=2\n"));
  }

  void refusesWhatCannotBeStored() {
    QCOMPARE(SetValue("", "A", "k=x", "1"), std::nullopt);
    QCOMPARE(SetValue("", "A", "k", "1\n[B]"), std::nullopt);
    QCOMPARE(SetValue("", "A", "k", QByteArrayView("1\0", 2)), std::nullopt);
    QCOMPARE(SetValue("", "A]", "k", "1"), std::nullopt);
    QCOMPARE(SetValue("", "", "k", "1"), std::nullopt);
    QCOMPARE(SetValue("", "A", "", "1"), std::nullopt);
    QCOMPARE(SetValue("", "A", " k", "1"), std::nullopt);
    QCOMPARE(SetValue("", "A", ";k", "1"), std::nullopt);
  }

  void integerEncoding_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected"); // -999 stands for "no integer"
    QTest::newRow("decimal") << QByteArray("512") << 512;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("plus") << QByteArray("+7") << 7;
    QTest::newRow("leading zeros") << QByteArray("00012") << 12;
    QTest::newRow("dollar hex") << QByteArray("$10") << 16;
    QTest::newRow("dollar hex lower") << QByteArray("$ff") << 255;
    QTest::newRow("0x hex") << QByteArray("0x1") << 1;
    QTest::newRow("0X hex") << QByteArray("0X1F") << 31;
    QTest::newRow("0x alone is no number") << QByteArray("0x") << -999;
    QTest::newRow("dollar alone") << QByteArray("$") << -999;
    QTest::newRow("hex all ones") << QByteArray("$FFFFFFFF") << -1;
    QTest::newRow("hex too wide") << QByteArray("$100000000") << -999;
    QTest::newRow("hex leading zeros") << QByteArray("0x000000000001") << 1;
    QTest::newRow("bad hex digit") << QByteArray("0x1G") << -999;
    QTest::newRow("max") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("min") << QByteArray("-2147483648") << int(-2147483648LL);
    QTest::newRow("above max") << QByteArray("2147483648") << -999;
    QTest::newRow("below min") << QByteArray("-2147483649") << -999;
    QTest::newRow("very long") << QByteArray(5000, '9') << -999;
    QTest::newRow("word") << QByteArray("TRUE") << -999;
    QTest::newRow("fraction") << QByteArray("1.5") << -999;
    QTest::newRow("trailing text") << QByteArray("12abc") << -999;
    QTest::newRow("sign alone") << QByteArray("-") << -999;
    QTest::newRow("empty") << QByteArray() << -999;
    QTest::newRow("nul inside") << QByteArray("1\0002", 3) << -999;
  }

  void integerEncoding() {
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    QCOMPARE(DecodeInteger(text, -999), expected);
  }

  void booleansAreIntegers() {
    QCOMPARE(DecodeBool("TRUE", true), true); // no integer: the default
    QCOMPARE(DecodeBool("TRUE", false), false);
    QCOMPARE(DecodeBool("0x1", false), true);
    QCOMPARE(DecodeBool("$0", true), false);
    QCOMPARE(DecodeBool("0", true), false);
    QCOMPARE(DecodeBool("-1", false), true);
    QCOMPARE(DecodeBool("", true), true);
    QCOMPARE(EncodeBool(true), QByteArray("1"));
    QCOMPARE(EncodeBool(false), QByteArray("0"));
    QCOMPARE(EncodeInteger(-44), QByteArray("-44"));
  }

  void filesRoundTripAndMissingFilesGiveDefaults() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Settings.ini"));
    QCOMPARE(ReadInteger(path, QStringLiteral("Form1"), QStringLiteral("Left"), 77), 77);
    QVERIFY(!QFile::exists(path)); // reading never creates the file
    QVERIFY(WriteInteger(path, QStringLiteral("Form1"), QStringLiteral("Left"), -5));
    QVERIFY(WriteBool(path, QStringLiteral("Form1"), QStringLiteral("IsAlways"), true));
    QVERIFY(
        WriteString(path, QStringLiteral("Notes"), QStringLiteral("Text"), QStringLiteral("\"ünïcode\"")));
    QCOMPARE(ReadFile(path), QByteArray("[Form1]\nLeft=-5\nIsAlways=1\n[Notes]\nText=\"ünïcode\"\n"));
    QCOMPARE(ReadInteger(path, QStringLiteral("FORM1"), QStringLiteral("left"), 0), -5);
    QCOMPARE(ReadBool(path, QStringLiteral("Form1"), QStringLiteral("IsAlways"), false), true);
    QCOMPARE(ReadString(path, QStringLiteral("Notes"), QStringLiteral("Text")), QStringLiteral("ünïcode"));
    // The permissions the user gave the file survive a rewrite.
    QVERIFY(QFile::setPermissions(path,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    QVERIFY(WriteInteger(path, QStringLiteral("Form1"), QStringLiteral("Left"), 6));
    QCOMPARE(QFile::permissions(path), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadUser | QFileDevice::WriteUser |
                                           QFileDevice::ReadGroup);
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Settings.ini")});
  }

  void severalKeysInOneReplacement() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Settings.ini"));
    {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly) && f.write("; mine\n[Form1]\nTop=1\n") > 0);
    }
    const QString form1 = QStringLiteral("Form1");
    // The same file as the keys written one by one would give.
    QCOMPARE(
        WriteStrings(path, {{form1, QStringLiteral("Left"), QStringLiteral("5")},
                            {form1, QStringLiteral("Top"), QStringLiteral("6")},
                            {QStringLiteral("FormCounter"), QStringLiteral("Visible"), QStringLiteral("1")}}),
        3);
    QCOMPARE(ReadFile(path), QByteArray("; mine\n[Form1]\nTop=6\nLeft=5\n[FormCounter]\nVisible=1\n"));
    // A key that cannot be stored ends the list; those before it are written.
    QCOMPARE(WriteStrings(path, {{form1, QStringLiteral("Left"), QStringLiteral("7")},
                                 {form1, QStringLiteral("Top"), QStringLiteral("two\nlines")},
                                 {form1, QStringLiteral("Other"), QStringLiteral("8")}}),
             1);
    QCOMPARE(ReadFile(path), QByteArray("; mine\n[Form1]\nTop=6\nLeft=7\n[FormCounter]\nVisible=1\n"));
    QCOMPARE(WriteStrings(path, {{form1, QStringLiteral("="), QStringLiteral("1")}}), 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Settings.ini")});
  }

  // A save killed half-way left its temporary file: the next write takes it away, and only it.
  void aStaleTemporaryFileGoesAtTheNextWrite() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Settings.ini"));
    QVERIFY(WriteFile(path + QStringLiteral(".aZ3kQ9"), "[Form1]\nLe"));
    QVERIFY(WriteFile(path + QStringLiteral(".backup"), "[Form1]\nLeft=1\n"));
    QVERIFY(WriteFile(dir.filePath(QStringLiteral("Other.ini.aZ3kQ9")), "x"));
    QVERIFY(WriteInteger(path, QStringLiteral("Form1"), QStringLiteral("Left"), 2));
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    QCOMPARE(left, (QStringList{QStringLiteral("Other.ini.aZ3kQ9"), QStringLiteral("Settings.ini"),
                                QStringLiteral("Settings.ini.backup")}));
  }

  void protectedOrUnusablePlacesFailAndChangeNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Settings.ini"));
    const QByteArray old = "[Form1]\nLeft=1\n";
    QVERIFY(WriteFile(path, old));
    const QString section = QStringLiteral("Form1"), key = QStringLiteral("Left");
    {
      test::ObeyFilePermissions obey;
      QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
      QVERIFY(!WriteInteger(path, section, key, 2)); // a write-protected file
      QCOMPARE(ReadInteger(path, section, key, 0), 1);
      QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
      QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
      QVERIFY(WriteInteger(path, section, key, 3)); // a read-only folder: the file in place
      QCOMPARE(ReadInteger(path, section, key, 0), 3);
      QVERIFY(WriteInteger(path, section, key, 1));
      QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Settings.ini")});
      QVERIFY(!WriteInteger(dir.filePath(QStringLiteral("New.ini")), section, key, 3)); // no new file there
      QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner));
      QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
      QCOMPARE(ReadInteger(path, section, key, 42), 42); // unreadable: the default ...
      QVERIFY(!WriteInteger(path, section, key, 4));     // ... and never replaced blindly
      QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
    QCOMPARE(ReadFile(path), old);
    // A folder that does not exist, a folder in place of the file, a pipe.
    QVERIFY(!WriteInteger(dir.filePath(QStringLiteral("none/Settings.ini")), section, key, 5));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.ini")));
    QCOMPARE(ReadInteger(dir.filePath(QStringLiteral("folder.ini")), section, key, 9), 9);
    QVERIFY(!WriteInteger(dir.filePath(QStringLiteral("folder.ini")), section, key, 5));
    const QString fifo = dir.filePath(QStringLiteral("fifo.ini"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(ReadInteger(fifo, section, key, 8), 8); // returns at once instead of waiting for a writer
    QVERIFY(!WriteInteger(fifo, section, key, 5));
    // A file beyond the size limit is neither read nor rewritten.
    const QString huge = dir.filePath(QStringLiteral("huge.ini"));
    {
      QFile f(huge);
      QVERIFY(f.open(QIODevice::WriteOnly) && f.write("[Form1]\nLeft=1\n") > 0 && f.resize(kMaxFileSize + 1));
    }
    QCOMPARE(ReadInteger(huge, section, key, 7), 7);
    QVERIFY(!WriteInteger(huge, section, key, 5));
    QCOMPARE(QFileInfo(huge).size(), kMaxFileSize + 1);
  }

  void aShortWriteNeverReplacesTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Settings.ini"));
    const QByteArray old = "[Form1]\nLeft=1\n";
    QVERIFY(WriteFile(path, old));
    // As on a full disk: the new file can only be written in part.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limit = saved;
    limit.rlim_cur = 20;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool written =
        WriteString(path, QStringLiteral("Form1"), QStringLiteral("Text"), QString(100, QLatin1Char('x')));
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, SIG_DFL);
    QVERIFY(!written);
    QCOMPARE(ReadFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Settings.ini")});
  }

  void garbageFilesReadQuicklyAndStayIntactAroundNewKeys_data() {
    QTest::addColumn<QByteArray>("content");
    QByteArray binary(256 * 1024, '\0');
    QRandomGenerator rng(8);
    for (char& c : binary)
      c = static_cast<char>(rng.bounded(256));
    QTest::newRow("binary") << binary;
    QByteArray lines;
    for (int i = 0; i < 100000; ++i)
      lines += "line " + QByteArray::number(i) + (i % 7 ? "=x\n" : "\n");
    QTest::newRow("100000 lines") << lines;
    QTest::newRow("10 MB line") << QByteArray(10 * 1024 * 1024, 'a');
    QTest::newRow("NUL bytes") << QByteArray("\0\0[Other\0]\nLeft=\0\n\0\0\0", 21);
  }

  void garbageFilesReadQuicklyAndStayIntactAroundNewKeys() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Settings.ini"));
    QVERIFY(WriteFile(path, content));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 16; ++i)
      QCOMPARE(ReadInteger(path, QStringLiteral("Form1"), QStringLiteral("Left"), 512), 512);
    QVERIFY(WriteInteger(path, QStringLiteral("Form1"), QStringLiteral("Left"), 300));
    QVERIFY(WriteInteger(path, QStringLiteral("Form1"), QStringLiteral("Top"), 244));
    QVERIFY2(t.elapsed() < 30000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(ReadInteger(path, QStringLiteral("Form1"), QStringLiteral("Left"), 0), 300);
    QCOMPARE(ReadInteger(path, QStringLiteral("Form1"), QStringLiteral("Top"), 0), 244);
    QVERIFY(ReadFile(path).startsWith(content));
  }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
