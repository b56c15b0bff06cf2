#include "framework/image_button.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace zarvo {

ImageButton::ImageButton(QWidget* parent, const QString& name, QPoint position, const QString& hint)
    : QAbstractButton(parent) {
  setObjectName(name);
  move(position);
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  // The window's menu opens when a right button is released over the button, not on the press.
  setContextMenuPolicy(Qt::PreventContextMenu);
  SetHint(hint);
}

void ImageButton::SetHint(const QString& hint) {
  setAccessibleName(hint);
  setText(hint); // keeps the accessible name meaningful even where a reader asks for text
}

void ImageButton::SetPicture(const QPixmap& picture, int frame) {
  frame_ = frame;
  picture_ = picture;
  const QSize size = picture.size() / picture.devicePixelRatio();
  if (!size.isEmpty() && size != this->size())
    resize(size);
  update();
}

QSize ImageButton::sizeHint() const { return picture_.size() / picture_.devicePixelRatio(); }

void ImageButton::paintEvent(QPaintEvent*) {
  if (picture_.isNull())
    return;
  QPainter p(this);
  p.drawPixmap(0, 0, picture_);
}

bool ImageButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void ImageButton::mousePressEvent(QMouseEvent* event) {
  leftDown_ = event->button() == Qt::LeftButton;
  emit MouseDown(event);
  event->accept();
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(event);
  event->accept();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = event->button() == Qt::LeftButton && leftDown_ && hitButton(event->position().toPoint());
  if (event->button() == Qt::LeftButton)
    leftDown_ = false;
  // The command runs while the pressed frame still shows; the normal frame follows it.
  QPointer<ImageButton> alive(this);
  if (click)
    emit clicked();
  if (alive)
    emit MouseUp(event);
  if (alive && event->button() == Qt::RightButton) {
    QContextMenuEvent menu(QContextMenuEvent::Mouse, mapTo(window(), event->position().toPoint()),
                           event->globalPosition().toPoint(), event->modifiers());
    QCoreApplication::sendEvent(window(), &menu);
  }
  event->accept();
}

} // namespace zarvo
