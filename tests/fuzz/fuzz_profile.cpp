// Feeds random settings files to the profile reader and writer and checks every answer against a
// plain model of the rules: lines split at "\n" (a "\r" before it dropped), blanks around names and
// values ignored, ";" and "#" lines are comments, "[name]" opens a section, names match without
// regard to case, the first of two equal keys counts, one pair of enclosing quotes is removed.
// A write must read back as written and leave every other key's value as it was.
#include "framework/profile_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Text = std::string;
// The model reads through views, so that a document is parsed without a copy of every line: the
// campaign spends its time in the reader and the writer, not in the allocator.
using View = std::string_view;

// The model's own branches mirror the reader's, so tracing them as coverage would only double the
// work per input without guiding the search anywhere new; the sanitizers still check them.
#define MODEL __attribute__((no_sanitize("coverage")))

MODEL bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

MODEL View Trim(View t) {
  size_t b = 0, e = t.size();
  while (b < e && Blank(t[b]))
    ++b;
  while (e > b && Blank(t[e - 1]))
    --e;
  return t.substr(b, e - b);
}

MODEL char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

MODEL bool SameName(View a, View b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i]))
      return false;
  return true;
}

MODEL View Unquote(View t) {
  if (t.size() >= 2 && (t[0] == '"' || t[0] == '\'') && t.back() == t[0])
    return t.substr(1, t.size() - 2);
  return t;
}

MODEL std::optional<Text> ModelFind(View doc, View section, View key) {
  bool inSection = false;
  size_t at = 0;
  while (at < doc.size()) {
    size_t newline = doc.find('\n', at);
    View line = doc.substr(at, newline == View::npos ? View::npos : newline - at);
    at = newline == View::npos ? doc.size() : newline + 1;
    if (newline != View::npos && !line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    const View trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
      continue;
    if (trimmed[0] == '[') {
      const size_t close = trimmed.find(']');
      if (close != View::npos)
        inSection = SameName(Trim(trimmed.substr(1, close - 1)), section);
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == View::npos || Trim(line.substr(0, eq)).empty())
      continue;
    if (inSection && SameName(Trim(line.substr(0, eq)), key))
      return Text(Unquote(Trim(line.substr(eq + 1))));
  }
  return std::nullopt;
}

bool Storable(const Text& name) {
  return !name.empty() && Trim(name) == name && name.find_first_of(Text("\r\n\0", 3)) == Text::npos;
}

bool ModelAccepts(const Text& section, const Text& key, const Text& value) {
  return Storable(section) && section.find_first_of("[]") == Text::npos && Storable(key) &&
         key.find('=') == Text::npos && key[0] != '[' && key[0] != ';' && key[0] != '#' &&
         value.find_first_of(Text("\r\n\0", 3)) == Text::npos;
}

std::optional<qint64> ModelInteger(const Text& t) {
  auto digits = [](Text d, int base, size_t maxDigits) -> std::optional<qint64> {
    if (d.empty())
      return std::nullopt;
    for (char c : d)
      if (!(c >= '0' && c <= '9') && !(base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))))
        return std::nullopt;
    d.erase(0, std::min(d.find_first_not_of('0'), d.size()));
    if (d.size() > maxDigits)
      return std::nullopt;
    return d.empty() ? 0 : std::stoll(d, nullptr, base);
  };
  if (t.empty())
    return std::nullopt;
  if (t[0] == '$' || (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))) {
    const auto v = digits(t.substr(t[0] == '$' ? 1 : 2), 16, 8);
    return v ? std::optional<qint64>(static_cast<qint32>(static_cast<quint32>(*v))) : std::nullopt;
  }
  const bool negative = t[0] == '-';
  const auto v = digits(t[0] == '-' || t[0] == '+' ? t.substr(1) : t, 10, 10);
  if (!v)
    return std::nullopt;
  const qint64 signedValue = negative ? -*v : *v;
  if (signedValue < -2147483648LL || signedValue > 2147483647LL)
    return std::nullopt;
  return signedValue;
}

[[noreturn]] void Fail(const char* what, const Text& a, const Text& b) {
  std::fprintf(stderr, "fuzz_profile: %s\n  section/key: [%s]\n  detail: %s\n", what, a.c_str(), b.c_str());
  std::abort();
}

Text Str(const QByteArray& b) { return Text(b.constData(), static_cast<size_t>(b.size())); }
QByteArrayView Bytes(const Text& t) { return QByteArrayView(t.data(), static_cast<qsizetype>(t.size())); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  // Names from a small pool, so that reads and writes meet the keys a file holds; or raw bytes.
  constexpr const char* kNames[] = {"Form1", "form1", "FORMCOUNTER", "FormCounter", "FormOptions", "Left",
                                    "LEFT",  "Top",   "Visible",     "IsLocked",    "a b",         "x",
                                    " Left", "Left ", "[x]",         ";c",          "k=v",         "",
                                    "#h"};
  auto name = [&] {
    return in.ConsumeBool() ? Text(kNames[in.ConsumeIntegralInRange<size_t>(0, std::size(kNames) - 1)])
                            : in.ConsumeRandomLengthString(12);
  };
  std::vector<std::pair<Text, Text>> probes;
  const int writes = in.ConsumeIntegralInRange(0, 4);
  std::vector<std::pair<std::pair<Text, Text>, Text>> plan;
  for (int i = 0; i < writes; ++i) {
    Text s = name(), k = name();
    plan.push_back({{s, k}, in.ConsumeRandomLengthString(16)});
  }
  for (int i = 0; i < 4; ++i)
    probes.push_back({name(), name()});
  const Text integer = in.ConsumeRandomLengthString(14);
  Text doc = in.ConsumeRemainingBytesAsString();

  const auto model = ModelInteger(integer);
  const auto decoded = zarvo::profile::DecodeInteger(Bytes(integer));
  if (model.has_value() != decoded.has_value() || (model && *model != *decoded))
    Fail("integer decoded against the rules", integer, decoded ? std::to_string(*decoded) : "nothing");
  if (decoded && zarvo::profile::DecodeInteger(zarvo::profile::EncodeInteger(*decoded)) != decoded)
    Fail("integer does not survive encoding", integer, Str(zarvo::profile::EncodeInteger(*decoded)));

  auto checkReads = [&](const Text& d) {
    for (const auto& [s, k] : probes) {
      const auto got = zarvo::profile::FindValue(Bytes(d), Bytes(s), Bytes(k));
      const auto want = ModelFind(d, s, k);
      if (got.has_value() != want.has_value() || (got && Str(*got) != *want))
        Fail("read against the rules", s + "] " + k, got ? Str(*got) : "nothing");
    }
  };
  checkReads(doc);
  for (const auto& [names, value] : plan) {
    const auto& [s, k] = names;
    probes.push_back({s, k});
    const auto written = zarvo::profile::SetValue(Bytes(doc), Bytes(s), Bytes(k), Bytes(value));
    if (written.has_value() != ModelAccepts(s, k, value))
      Fail(written ? "stored what cannot be stored" : "refused what can be stored", s + "] " + k, value);
    if (!written)
      continue;
    const Text after = Str(*written);
    const auto back = ModelFind(after, s, k);
    if (!back || *back != Unquote(Trim(value)))
      Fail("a write does not read back", s + "] " + k, value);
    for (const auto& [ps, pk] : probes)
      if (!SameName(ps, s) || !SameName(pk, k))
        if (ModelFind(after, ps, pk) != ModelFind(doc, ps, pk))
          Fail("a write changed another key", ps + "] " + pk, s + "] " + k + " = " + value);
    doc = after;
    checkReads(doc);
  }
  return 0;
}
