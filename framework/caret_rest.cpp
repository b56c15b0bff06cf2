#include "framework/caret_rest.h"

#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QStyleHints>

namespace zarvo {

CaretRest::CaretRest(int restAfterMs) {
  quiet_.setSingleShot(true);
  quiet_.setInterval(restAfterMs);
  connect(&quiet_, &QTimer::timeout, this, &CaretRest::Rest);
  QCoreApplication::instance()->installEventFilter(this);
  Rest();
}

CaretRest::~CaretRest() {
  if (resting_)
    QGuiApplication::styleHints()->setCursorFlashTime(flashTime_);
}

bool CaretRest::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
  case QEvent::KeyPress:
  case QEvent::InputMethod: Wake(); break;
  case QEvent::FocusIn:
    // The user moving the focus; not a window coming to the front with its focus where it was.
    switch (static_cast<QFocusEvent*>(event)->reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason: Wake(); break;
    default: break;
    }
    break;
  case QEvent::MouseButtonPress:
  case QEvent::Wheel:
    // A click on a button elsewhere leaves the field's cursor as it is.
    if (qobject_cast<QLineEdit*>(watched) || qobject_cast<QAbstractSpinBox*>(watched))
      Wake();
    break;
  default: break;
  }
  return false;
}

void CaretRest::Rest() {
  // A desktop that does not blink at all has nothing to rest.
  QStyleHints* hints = QGuiApplication::styleHints();
  if (resting_ || hints->cursorFlashTime() <= 0)
    return;
  flashTime_ = hints->cursorFlashTime();
  resting_ = true;
  hints->setCursorFlashTime(0); // the fields draw a steady cursor from now on
}

void CaretRest::Wake() {
  quiet_.start();
  if (!resting_)
    return;
  resting_ = false;
  QGuiApplication::styleHints()->setCursorFlashTime(flashTime_);
}

} // namespace zarvo
