// Profile (INI) files read and written one key at a time: no cache, names matched without regard to
// case, unknown lines kept, and every write replacing the whole file atomically.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

namespace zarvo::profile {

// A file larger than this is not read (its keys read as missing) and never rewritten, so a runaway
// file can neither stall the program nor be cut down by it.
inline constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// ---- Values ----

// An integer as stored in a profile: signed decimal, or hexadecimal after "$", or after "0x"/"0X"
// when the text is longer than those two characters. Nothing when the text is no 32-bit integer
// (hexadecimal takes any 32-bit pattern, so "$FFFFFFFF" is -1).
std::optional<qint32> DecodeInteger(QByteArrayView text);
qint32 DecodeInteger(QByteArrayView text, qint32 defaultValue);
// A Boolean is an integer, any non-zero value true; text that is no integer gives the default.
bool DecodeBool(QByteArrayView text, bool defaultValue);
QByteArray EncodeInteger(qint32 value);
QByteArray EncodeBool(bool value);

// ---- Documents (the bytes of a file) ----

// The value of [section] key: blanks around names and values ignored, one pair of enclosing double
// or single quotes removed; of two equal keys the first counts. Nothing when the key is missing.
std::optional<QByteArray> FindValue(QByteArrayView document, QByteArrayView section, QByteArrayView key);

// The document with [section] key set to value. An existing key keeps its spelling and place; a
// new key goes after the last key of its section, a new section at the end. Every other line stays
// byte for byte. Nothing when the names or the value cannot be stored (empty or padded names, line
// breaks or NUL, "=" in a key, brackets in a section).
std::optional<QByteArray> SetValue(QByteArrayView document, QByteArrayView section, QByteArrayView key,
                                   QByteArrayView value);

// ---- Files ----

// The file's bytes; an empty document when it does not exist; nothing when it exists but cannot be
// read (not a regular file, no permission, larger than kMaxFileSize).
std::optional<QByteArray> ReadDocument(const QString& path);

std::optional<QString> ReadString(const QString& path, const QString& section, const QString& key);
QString ReadString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue);
qint32 ReadInteger(const QString& path, const QString& section, const QString& key, qint32 defaultValue);
bool ReadBool(const QString& path, const QString& section, const QString& key, bool defaultValue);

// Sets one key and replaces the file through a temporary file in the same folder, so that a crash
// at any moment leaves the old or the new file. Returns false, leaving the file as it was, when the
// value cannot be stored, the file cannot be read or is write-protected, or the folder cannot take
// the new file. The folder is not created.
bool WriteString(const QString& path, const QString& section, const QString& key, const QString& value);

// One key to set with WriteStrings.
struct Entry {
  QString section, key, value;
};
// Sets the keys in their order, as that many WriteString calls would, but replaces the file once:
// a crash leaves the old file or the one with every key set, never one with only some of them.
// A key that cannot be stored ends the list there and those before it are written. Returns how
// many were written (all of them or fewer); 0, leaving the file as it was, when the file cannot be
// read or replaced, or is write-protected.
qsizetype WriteStrings(const QString& path, const QList<Entry>& entries);
bool WriteInteger(const QString& path, const QString& section, const QString& key, qint32 value);
bool WriteBool(const QString& path, const QString& section, const QString& key, bool value);

} // namespace zarvo::profile
