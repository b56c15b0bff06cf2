// Verbs that drive the program's widgets as a user does: find a control by its objectName, press it
// with the mouse, type into it, read what it shows or what a screen reader hears, use a menu item,
// and wait for what should (or should not) happen (WaitUntil and ExpectNothingFor, in test_support.h).
#pragma once

#include "tests/support/test_support.h"

#include <QString>
#include <QTime>
#include <QWidget>

class QAction;

namespace zarvo::test {

// The one control of type T called `name` inside `window` (the window itself when it has that name).
// A missing or ambiguous name ends the test run with a message naming it: every later step would be
// meaningless, and the message says which control lost its name.
QObject* FindNamed(const QWidget* window, const QString& name, const QMetaObject& type);
template <class T = QWidget> T* Control(const QWidget* window, const QString& name) {
  return static_cast<T*>(FindNamed(window, name, T::staticMetaObject));
}

// Presses and releases `button` of the mouse over the middle of the control, as a real click does.
// These verbs fail the running test when the control is hidden or disabled, as no user could use it.
void Press(const QWidget* window, const QString& name, Qt::MouseButton button = Qt::LeftButton);
// A double click on the control.
void DoubleClick(const QWidget* window, const QString& name);
// Moves the pointer over the control (`at` in its own coordinates; the middle by default).
void Hover(const QWidget* window, const QString& name, QPoint at = QPoint(-1, -1));

// Types `time` into the time picker `name` as the keyboard does: selects the field's text and types
// the digits and separators of its display format. False when the picker does not show it after.
bool TypeTime(const QWidget* window, const QString& name, QTime time);

// What the label (or any control with a text) shows.
QString Text(const QWidget* window, const QString& name);
// What a screen reader reads of the control: its accessible name, and its value where it has one.
QString AccessibleName(const QWidget* window, const QString& name);
QString AccessibleValue(const QWidget* window, const QString& name);

// A menu item of `window`'s menus, by its objectName: its caption, its check mark, and a click on it.
QString MenuCaption(const QWidget* window, const QString& item);
bool MenuChecked(const QWidget* window, const QString& item);
// Clicks the item as its menu does: nothing happens (and false is returned) when it is disabled.
bool Trigger(const QWidget* window, const QString& item);

} // namespace zarvo::test
