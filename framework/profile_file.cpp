#include "framework/profile_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <limits>

namespace zarvo::profile {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

QByteArrayView Trim(QByteArrayView v) {
  qsizetype b = 0;
  qsizetype e = v.size();
  while (b < e && IsBlank(v[b]))
    ++b;
  while (e > b && IsBlank(v[e - 1]))
    --e;
  return v.sliced(b, e - b);
}

// Names are plain ASCII in practice; folding only A to Z keeps every other byte exact.
char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(QByteArrayView a, QByteArrayView b) {
  if (a.size() != b.size())
    return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i]))
      return false;
  return true;
}

bool HasLineBreakOrNul(QByteArrayView v) { return v.contains('\n') || v.contains('\r') || v.contains('\0'); }

// One line of a document, located by offsets into it.
struct Line {
  enum Kind { Other, Section, Key };
  qsizetype end = 0;  // past the content, before "\n" or "\r\n"
  qsizetype next = 0; // start of the following line (the document's size for the last one)
  Kind kind = Other;
  QByteArrayView name;      // section or key name, trimmed
  qsizetype valueBegin = 0; // keys: the value's first byte after "=" and blanks
};

Line ParseLine(QByteArrayView doc, qsizetype begin) {
  Line line;
  const qsizetype newline = doc.indexOf('\n', begin);
  line.next = newline < 0 ? doc.size() : newline + 1;
  line.end = newline < 0 ? doc.size() : (newline > begin && doc[newline - 1] == '\r' ? newline - 1 : newline);
  const QByteArrayView content = doc.sliced(begin, line.end - begin);
  const QByteArrayView trimmed = Trim(content);
  if (trimmed.isEmpty() || trimmed[0] == ';' || trimmed[0] == '#')
    return line;
  if (trimmed[0] == '[') {
    const qsizetype close = trimmed.indexOf(']');
    if (close > 0) {
      line.kind = Line::Section;
      line.name = Trim(trimmed.sliced(1, close - 1));
    }
    return line;
  }
  const qsizetype eq = content.indexOf('=');
  if (eq < 0)
    return line;
  line.name = Trim(content.first(eq));
  if (line.name.isEmpty())
    return line;
  line.kind = Line::Key;
  qsizetype v = begin + eq + 1;
  while (v < line.end && IsBlank(doc[v]))
    ++v;
  line.valueBegin = v;
  return line;
}

QByteArrayView Unquote(QByteArrayView v) {
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
    return v.sliced(1, v.size() - 2);
  return v;
}

QByteArray LineEnd(QByteArrayView doc) {
  const qsizetype newline = doc.indexOf('\n');
  return newline > 0 && doc[newline - 1] == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

bool StorableName(QByteArrayView name) {
  return !name.isEmpty() && Trim(name).size() == name.size() && !HasLineBreakOrNul(name);
}

std::optional<qint32> DecodeHex(QByteArrayView digits) {
  if (digits.isEmpty())
    return std::nullopt;
  quint64 value = 0;
  for (const char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    if (d < 0)
      return std::nullopt;
    value = value * 16 + static_cast<quint64>(d);
    if (value > 0xFFFFFFFFu)
      return std::nullopt;
  }
  return static_cast<qint32>(static_cast<quint32>(value));
}

std::optional<qint32> DecodeDecimal(QByteArrayView text) {
  bool negative = false;
  if (!text.isEmpty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text = text.sliced(1);
  }
  if (text.isEmpty())
    return std::nullopt;
  qint64 value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9')
      return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > qint64(1) << 31)
      return std::nullopt;
  }
  if (negative)
    value = -value;
  if (value > std::numeric_limits<qint32>::max())
    return std::nullopt;
  return static_cast<qint32>(value);
}

} // namespace

// ---- Values ----

std::optional<qint32> DecodeInteger(QByteArrayView text) {
  if (text.isEmpty())
    return std::nullopt;
  if (text[0] == '$')
    return DecodeHex(text.sliced(1));
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return DecodeHex(text.sliced(2));
  return DecodeDecimal(text);
}

qint32 DecodeInteger(QByteArrayView text, qint32 defaultValue) {
  return DecodeInteger(text).value_or(defaultValue);
}

bool DecodeBool(QByteArrayView text, bool defaultValue) {
  return DecodeInteger(text, defaultValue ? 1 : 0) != 0;
}

QByteArray EncodeInteger(qint32 value) { return QByteArray::number(value); }

QByteArray EncodeBool(bool value) { return value ? QByteArrayLiteral("1") : QByteArrayLiteral("0"); }

// ---- Documents ----

std::optional<QByteArray> FindValue(QByteArrayView doc, QByteArrayView section, QByteArrayView key) {
  bool inSection = false;
  for (qsizetype at = 0; at < doc.size();) {
    const Line line = ParseLine(doc, at);
    if (line.kind == Line::Section)
      inSection = SameName(line.name, section);
    else if (line.kind == Line::Key && inSection && SameName(line.name, key))
      return Unquote(Trim(doc.sliced(line.valueBegin, line.end - line.valueBegin))).toByteArray();
    at = line.next;
  }
  return std::nullopt;
}

std::optional<QByteArray> SetValue(QByteArrayView doc, QByteArrayView section, QByteArrayView key,
                                   QByteArrayView value) {
  if (!StorableName(section) || section.contains('[') || section.contains(']'))
    return std::nullopt;
  if (!StorableName(key) || key.contains('=') || key[0] == '[' || key[0] == ';' || key[0] == '#')
    return std::nullopt;
  if (HasLineBreakOrNul(value))
    return std::nullopt;

  // Where a new key goes: after the last key of the first section of that name (or its header).
  qsizetype insertAt = -1;
  bool insertAfterUnterminated = false;
  enum { Before, Inside, After } first = Before;
  bool inSection = false;
  for (qsizetype at = 0; at < doc.size();) {
    const Line line = ParseLine(doc, at);
    if (line.kind == Line::Section) {
      inSection = SameName(line.name, section);
      if (first == Inside)
        first = After;
      if (inSection && first == Before) {
        first = Inside;
        insertAt = line.next;
        insertAfterUnterminated = line.next == line.end;
      }
    } else if (line.kind == Line::Key && inSection) {
      if (SameName(line.name, key)) {
        QByteArray out = doc.first(line.valueBegin).toByteArray();
        out += value;
        out += doc.sliced(line.end);
        return out;
      }
      if (first == Inside) {
        insertAt = line.next;
        insertAfterUnterminated = line.next == line.end;
      }
    }
    at = line.next;
  }

  const QByteArray eol = LineEnd(doc);
  const QByteArray keyLine = key.toByteArray() + '=' + value.toByteArray() + eol;
  if (insertAt >= 0) {
    QByteArray out = doc.first(insertAt).toByteArray();
    if (insertAfterUnterminated)
      out += eol;
    out += keyLine;
    out += doc.sliced(insertAt);
    return out;
  }
  QByteArray out = doc.toByteArray();
  if (!out.isEmpty() && !out.endsWith('\n'))
    out += eol;
  out += '[' + section.toByteArray() + ']' + eol + keyLine;
  return out;
}

// ---- Files ----

std::optional<QByteArray> ReadDocument(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists())
    return QByteArray();
  // A directory, a pipe or a device is no settings file (and reading a pipe would block).
  if (!info.isFile() || info.size() > kMaxFileSize)
    return std::nullopt;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return std::nullopt;
  // Read for the size the file has (asking for the most it may hold would reserve that much memory
  // at every read); one byte more tells a file that grew meanwhile, whose rest is then read too.
  const qint64 expected = info.size();
  QByteArray data = file.read(expected + 1);
  if (data.size() > expected && file.error() == QFileDevice::NoError)
    data += file.read(kMaxFileSize + 1 - data.size());
  if (file.error() != QFileDevice::NoError || data.size() > kMaxFileSize)
    return std::nullopt;
  return data;
}

std::optional<QString> ReadString(const QString& path, const QString& section, const QString& key) {
  const std::optional<QByteArray> doc = ReadDocument(path);
  if (!doc)
    return std::nullopt;
  const std::optional<QByteArray> value = FindValue(*doc, section.toUtf8(), key.toUtf8());
  if (!value)
    return std::nullopt;
  return QString::fromUtf8(*value);
}

QString ReadString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue) {
  return ReadString(path, section, key).value_or(defaultValue);
}

qint32 ReadInteger(const QString& path, const QString& section, const QString& key, qint32 defaultValue) {
  const std::optional<QByteArray> doc = ReadDocument(path);
  if (!doc)
    return defaultValue;
  const std::optional<QByteArray> value = FindValue(*doc, section.toUtf8(), key.toUtf8());
  return value ? DecodeInteger(*value, defaultValue) : defaultValue;
}

bool ReadBool(const QString& path, const QString& section, const QString& key, bool defaultValue) {
  return ReadInteger(path, section, key, defaultValue ? 1 : 0) != 0;
}

bool WriteString(const QString& path, const QString& section, const QString& key, const QString& value) {
  return WriteStrings(path, {{section, key, value}}) == 1;
}

namespace {

// A save killed half-way leaves its temporary file beside the profile: the name, a dot and six
// random letters and digits. The next save takes it away. A suffix of lowercase letters alone is
// left alone: it is more likely a name the user gave (".backup") than a temporary file.
void RemoveStaleTemporaries(const QString& path) {
  const QFileInfo info(path);
  const QString name = info.fileName();
  const QFileInfoList candidates =
      info.absoluteDir().entryInfoList({name + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
  for (const QFileInfo& candidate : candidates) {
    const QString suffix = candidate.fileName().mid(name.size() + 1);
    const bool random =
        std::all_of(suffix.cbegin(), suffix.cend(),
                    [](QChar c) { return c.isDigit() || (c.isLetter() && c.unicode() < 128); }) &&
        std::any_of(suffix.cbegin(), suffix.cend(), [](QChar c) { return !c.isLower(); });
    if (random && candidate.isFile() && !candidate.isSymLink())
      QFile::remove(candidate.absoluteFilePath());
  }
}

} // namespace

qsizetype WriteStrings(const QString& path, const QList<Entry>& entries) {
  const std::optional<QByteArray> doc = ReadDocument(path);
  if (!doc)
    return 0; // never replace what could not be read
  QByteArray updated = *doc;
  qsizetype stored = 0;
  for (const Entry& e : entries) {
    const std::optional<QByteArray> next =
        SetValue(updated, e.section.toUtf8(), e.key.toUtf8(), e.value.toUtf8());
    if (!next || next->size() > kMaxFileSize)
      break;
    updated = *next;
    ++stored;
  }
  if (stored == 0)
    return 0;
  if (QFileInfo::exists(path)) {
    // A write-protected file stays as it is, although its folder would let it be replaced.
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly))
      return 0;
  }
  if (updated == *doc)
    return stored; // the file already says so
  RemoveStaleTemporaries(path);
  QSaveFile out(path);
  // A folder that takes no new file (read-only, or its permissions) still lets a writable file be
  // written in place, as the profile functions always do; the replacement stays atomic elsewhere.
  out.setDirectWriteFallback(true);
  // Unbuffered, so that a short write (a full disk, a size limit) shows in the count written here:
  // a buffered one reports success and lets the commit put a truncated file in place.
  if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return 0;
  if (out.write(updated) != updated.size()) {
    out.cancelWriting();
    return 0;
  }
  return out.commit() ? stored : 0;
}

bool WriteInteger(const QString& path, const QString& section, const QString& key, qint32 value) {
  return WriteString(path, section, key, QString::fromLatin1(EncodeInteger(value)));
}

bool WriteBool(const QString& path, const QString& section, const QString& key, bool value) {
  return WriteString(path, section, key, QString::fromLatin1(EncodeBool(value)));
}

} // namespace zarvo::profile
