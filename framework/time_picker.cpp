#include "framework/time_picker.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>

namespace zarvo {

TimePicker::TimePicker(QTime time, QWidget* parent) : QTimeEdit(time, parent) {
  lineEdit()->installEventFilter(this);
  // The text field fills itself with the field's colour: its blinking cursor repaints it alone,
  // not the frame and arrows drawn around it (twice a second while the field has the focus).
  lineEdit()->setAttribute(Qt::WA_OpaquePaintEvent);
}

bool TimePicker::eventFilter(QObject* watched, QEvent* event) {
  // A plain click only puts the text cursor into a section, where typed digits would be refused as
  // too many; the section is selected instead. A click with Shift (extending a selection) and a
  // double click keep their usual meaning.
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress && !pressing_) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier) {
      // The field places the cursor first, which makes the section under it the current one.
      pressing_ = true;
      QCoreApplication::sendEvent(watched, event);
      pressing_ = false;
      setSelectedSection(currentSection());
      return true;
    }
  }
  return QTimeEdit::eventFilter(watched, event);
}

} // namespace zarvo
