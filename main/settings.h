// The settings file: the sixteen keys it keeps (section, key, type, default), where it lives, and
// reading and writing one key. The load and the save of the windows are TForm1's, in settings.cpp.
#pragma once

#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <limits>

namespace zarvo {

inline constexpr const char* kSettingsFileName = "Settings.ini";

enum class SettingType { Integer, Boolean };

// What the default positions depend on: the primary screen and the windows as placed so far. The
// main window's place is a point and a size, not a rectangle: a stored position at either end of the
// int range is applied unchanged, and the far edge of such a window lies beyond that range.
struct LayoutFacts {
  QRect screen;   // the primary screen, full size
  QPoint main;    // the main window's top left, as loaded so far
  QSize mainSize; // the main window's size
  QSize options;  // the Options window's size
};

// A default position computed in 64 bits, kept within the range a stored position can take.
constexpr int ClampPosition(qint64 position) {
  constexpr qint64 lowest = std::numeric_limits<int>::min();
  constexpr qint64 highest = std::numeric_limits<int>::max();
  return static_cast<int>(position < lowest ? lowest : position > highest ? highest : position);
}

struct SettingKey {
  const char* section;
  const char* key;
  SettingType type;
  int (*defaultValue)(const LayoutFacts&); // Booleans: 1 or 0
};

// The keys, in the order the save writes them.
enum class SettingId {
  MainLeft,
  MainTop,
  ShowHelp,
  ForceShutDown1,
  AlphaBlendValue,
  AlphaBlend,
  Showconfirmation1,
  IsAlways,
  CounterLeft,
  CounterTop,
  CounterVisible,
  CounterIsLocked,
  OptionsVisible,
  OptionsIsLocked,
  OptionsLeft,
  OptionsTop,
};
inline constexpr int kSettingCount = 16;

// The group's default place docks the Options window left of the main window and the Counter below
// it, the 400 x 280 block in the middle of the primary screen.
inline constexpr std::array<SettingKey, kSettingCount> kSettingKeys{{
    {"Form1", "Left", SettingType::Integer,
     [](const LayoutFacts& f) { return ClampPosition(qint64{f.screen.x()} + f.screen.width() / 2); }},
    {"Form1", "Top", SettingType::Integer,
     [](const LayoutFacts& f) {
       return ClampPosition(qint64{f.screen.y()} +
                            (qint64{f.screen.height()} - 2 * qint64{f.mainSize.height()}) / 2);
     }},
    {"Form1", "ShowHelp", SettingType::Boolean, [](const LayoutFacts&) { return 1; }},
    {"Form1", "ForceShutDown1", SettingType::Boolean, [](const LayoutFacts&) { return 1; }},
    {"Form1", "AlphaBlendValue", SettingType::Integer, [](const LayoutFacts&) { return 255; }},
    {"Form1", "AlphaBlend", SettingType::Boolean, [](const LayoutFacts&) { return 1; }},
    {"Form1", "Showconfirmation1", SettingType::Boolean, [](const LayoutFacts&) { return 1; }},
    {"Form1", "IsAlways", SettingType::Boolean, [](const LayoutFacts&) { return 0; }},
    {"FormCounter", "Left", SettingType::Integer, [](const LayoutFacts& f) { return f.main.x(); }},
    {"FormCounter", "Top", SettingType::Integer,
     [](const LayoutFacts& f) { return ClampPosition(qint64{f.main.y()} + f.mainSize.height()); }},
    {"FormCounter", "Visible", SettingType::Boolean, [](const LayoutFacts&) { return 1; }},
    {"FormCounter", "IsLocked", SettingType::Boolean, [](const LayoutFacts&) { return 1; }},
    {"FormOptions", "Visible", SettingType::Boolean, [](const LayoutFacts&) { return 1; }},
    {"FormOptions", "IsLocked", SettingType::Boolean, [](const LayoutFacts&) { return 1; }},
    {"FormOptions", "Left", SettingType::Integer,
     [](const LayoutFacts& f) { return ClampPosition(qint64{f.main.x()} - f.options.width()); }},
    {"FormOptions", "Top", SettingType::Integer, [](const LayoutFacts& f) { return f.main.y(); }},
}};

inline const SettingKey& Setting(SettingId id) { return kSettingKeys[static_cast<int>(id)]; }

// The settings file. Beside the executable (a portable copy keeps its settings with it) when the
// file is already there, or when that folder takes new files and is not a system folder such as
// /usr/bin; otherwise $XDG_CONFIG_HOME/zarvo (~/.config/zarvo). Built anew on every call.
QString SettingsFilePath(const QString& executableDirectory, const QString& fileName);

// Reads one key (Booleans as 1 or 0); a missing or unreadable value gives the key's default.
int ReadSetting(const QString& path, SettingId id, const LayoutFacts& facts = {});
// Writes one key (Booleans as "1" exactly when non-zero). False when the file could not take it.
bool WriteSetting(const QString& path, SettingId id, int value);
// Writes every key, in the table's order, with one replacement of the file; `value` gives each
// key's value. False when the file could not take them (it is then left as it was).
bool WriteSettings(const QString& path, const std::function<int(SettingId)>& value);

} // namespace zarvo
