#include "tests/support/gui_verbs.h"

#include <QAccessible>
#include <QAction>
#include <QDateTimeEdit>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

namespace zarvo::test {

namespace {

QString Describe(const QWidget* window, const QString& name) {
  return QStringLiteral("%1 in %2").arg(name, window ? window->objectName() : QStringLiteral("(no window)"));
}

// A control a user could reach now: on screen and enabled. Acting on any other fails the test, as a
// user's click would go nowhere.
QWidget* Reachable(const QWidget* window, const QString& name) {
  QWidget* w = Control(window, name);
  if (!w->isVisible() || !w->isEnabled()) {
    const QString why = QStringLiteral("%1 is %2: a user could not reach it")
                            .arg(Describe(window, name), w->isVisible() ? QStringLiteral("disabled")
                                                                        : QStringLiteral("not on screen"));
    QTest::qFail(qPrintable(why), __FILE__, __LINE__);
    return nullptr;
  }
  return w;
}

QAccessibleInterface* Accessible(const QWidget* window, const QString& name) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(Control(window, name));
  if (!a)
    qFatal("%s has no accessible interface", qPrintable(Describe(window, name)));
  return a;
}

} // namespace

QObject* FindNamed(const QWidget* window, const QString& name, const QMetaObject& type) {
  if (!window)
    qFatal("looking for %s in no window", qPrintable(name));
  if (window->objectName() == name && type.cast(const_cast<QWidget*>(window)))
    return const_cast<QWidget*>(window);
  QObject* found = nullptr;
  for (QObject* o : window->findChildren<QObject*>(name)) {
    if (!type.cast(o))
      continue;
    if (found)
      qFatal("two controls of type %s are called %s", type.className(), qPrintable(Describe(window, name)));
    found = o;
  }
  if (!found)
    qFatal("no control of type %s is called %s", type.className(), qPrintable(Describe(window, name)));
  return found;
}

void Press(const QWidget* window, const QString& name, Qt::MouseButton button) {
  if (QWidget* w = Reachable(window, name))
    QTest::mouseClick(w, button, {}, w->rect().center());
}

void DoubleClick(const QWidget* window, const QString& name) {
  if (QWidget* w = Reachable(window, name))
    QTest::mouseDClick(w, Qt::LeftButton, {}, w->rect().center());
}

void Hover(const QWidget* window, const QString& name, QPoint at) {
  if (QWidget* w = Reachable(window, name))
    QTest::mouseMove(w, at == QPoint(-1, -1) ? w->rect().center() : at);
}

bool TypeTime(const QWidget* window, const QString& name, QTime time) {
  auto* edit = Control<QDateTimeEdit>(window, name);
  if (!Reachable(window, name))
    return false;
  // Tabbing into the picker selects its first section; typing fills one section after the other.
  edit->setFocus(Qt::TabFocusReason);
  edit->setSelectedSection(edit->sectionAt(0));
  QString digits = time.toString(edit->displayFormat());
  digits.remove(QRegularExpression(QStringLiteral("[^0-9]")));
  QTest::keyClicks(edit, digits);
  return edit->time() == time;
}

QString Text(const QWidget* window, const QString& name) {
  QObject* o = Control<QObject>(window, name);
  if (auto* label = qobject_cast<QLabel*>(o))
    return label->text();
  return o->property("text").toString();
}

QString AccessibleName(const QWidget* window, const QString& name) {
  return Accessible(window, name)->text(QAccessible::Name);
}

QString AccessibleValue(const QWidget* window, const QString& name) {
  return Accessible(window, name)->text(QAccessible::Value);
}

QString MenuCaption(const QWidget* window, const QString& item) {
  return Control<QAction>(window, item)->text();
}

bool MenuChecked(const QWidget* window, const QString& item) {
  auto* a = Control<QAction>(window, item);
  if (!a->isCheckable())
    qWarning("%s has no check mark", qPrintable(Describe(window, item)));
  return a->isChecked();
}

bool Trigger(const QWidget* window, const QString& item) {
  auto* a = Control<QAction>(window, item);
  if (!a->isEnabled() || !a->isVisible())
    return false;
  a->trigger();
  return true;
}

} // namespace zarvo::test
