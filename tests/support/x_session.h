// Looking at and driving the real program on the test's X server: xwininfo to find windows, xdotool
// to click and type as a user would.
#pragma once

#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <functional>
#include <optional>

namespace zarvo::test {

struct XWindow {
  QString id;
  QString name;
  QRect geometry;
};

// xwininfo in a UTF-8 locale, so window titles come through whatever the caller's locale is.
inline void StartXwininfo(QProcess& p, const QStringList& arguments) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  p.setProcessEnvironment(env);
  p.start(QStringLiteral("xwininfo"), arguments);
}

// The windows the X server knows, created and not yet destroyed, with their places on the screen
// (also where a window manager has put a window into a frame of its own): xwininfo gives the size
// and the place in the parent, then the place on the screen.
inline QList<XWindow> XWindows() {
  QProcess p;
  StartXwininfo(p, {QStringLiteral("-root"), QStringLiteral("-tree")});
  p.waitForFinished(5000);
  QList<XWindow> windows;
  static const QRegularExpression line(QStringLiteral(
      "(0x[0-9a-f]+) \"([^\"]*)\".*\\s(\\d+)x(\\d+)\\+-?\\d+\\+-?\\d+\\s+\\+(-?\\d+)\\+(-?\\d+)"));
  for (const QString& l : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
    const QRegularExpressionMatch m = line.match(l);
    if (m.hasMatch())
      windows.append({m.captured(1), m.captured(2),
                      QRect(m.captured(5).toInt(), m.captured(6).toInt(), m.captured(3).toInt(),
                            m.captured(4).toInt())});
  }
  return windows;
}

// What the server has of one window now: its name, its place on the screen and whether it is mapped
// and on screen.
struct XWindowState {
  QString name;
  QRect geometry;
  bool viewable = false;
};

inline std::optional<XWindowState> XWindowNow(const QString& id) {
  QProcess p;
  StartXwininfo(p, {QStringLiteral("-id"), id});
  if (!p.waitForFinished(5000) || p.exitCode() != 0)
    return std::nullopt;
  const QString out = QString::fromUtf8(p.readAllStandardOutput());
  static const QRegularExpression name(QStringLiteral("Window id: 0x[0-9a-f]+ \"([^\"]*)\""));
  const auto number = [&out](const QString& label) {
    const QRegularExpression value(QRegularExpression::escape(label) + QStringLiteral(":\\s+(-?\\d+)"));
    return value.match(out).captured(1).toInt();
  };
  XWindowState state;
  state.name = name.match(out).captured(1);
  state.geometry =
      QRect(number(QStringLiteral("Absolute upper-left X")), number(QStringLiteral("Absolute upper-left Y")),
            number(QStringLiteral("Width")), number(QStringLiteral("Height")));
  state.viewable = out.contains(QStringLiteral("IsViewable"));
  return state;
}

// Whether the window is mapped and on screen.
inline bool IsViewable(const QString& id) {
  const std::optional<XWindowState> state = XWindowNow(id);
  return state && state->viewable;
}

// Whether a window of a listing is on screen as listed. Qt names a top-level window only after it
// has created it, and until then the server has it under the program's name: a listing taken in that
// instant shows a satellite as "Zarvo". The name is read again once the window is seen mapped, which
// comes after its naming, so it is then the window's own.
inline bool IsViewable(const XWindow& w) {
  if (!IsViewable(w.id))
    return false;
  const std::optional<XWindowState> now = XWindowNow(w.id);
  return now && now->name == w.name && now->geometry == w.geometry;
}

// The first window of one listing that `match` accepts and that is on screen as listed.
inline std::optional<XWindow> FindXWindow(const std::function<bool(const XWindow&)>& match) {
  for (const XWindow& w : XWindows())
    if (match(w) && IsViewable(w))
      return w;
  return std::nullopt;
}

// Whether the window is titled `title` (the desktop may append the program's name).
inline bool Titled(const XWindow& w, const QString& title) {
  return w.name == title || w.name.startsWith(title + QStringLiteral(" "));
}

// The place of a viewable window titled `title` of the given size.
inline std::optional<QRect> FindWindow(const QString& title, QSize size) {
  const std::optional<XWindow> w =
      FindXWindow([&](const XWindow& x) { return Titled(x, title) && x.geometry.size() == size; });
  return w ? std::optional<QRect>(w->geometry) : std::nullopt;
}

inline bool Xdotool(const QStringList& arguments) {
  QProcess p;
  p.start(QStringLiteral("xdotool"), arguments);
  return p.waitForFinished(10000) && p.exitCode() == 0;
}

inline bool ClickAt(QPoint screen) {
  return Xdotool({QStringLiteral("mousemove"), QString::number(screen.x()), QString::number(screen.y()),
                  QStringLiteral("click"), QStringLiteral("1")});
}

inline bool Keys(const QStringList& keys) { return Xdotool(QStringList{QStringLiteral("key")} + keys); }

inline bool Type(const QString& text) {
  return Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("20"), text});
}

} // namespace zarvo::test
