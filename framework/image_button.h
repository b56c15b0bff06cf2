// A skinned button: paints the current frame of its image list and reports mouse down, move, up and click.
#pragma once

#include <QAbstractButton>
#include <QMouseEvent>

namespace zarvo {

class ImageButton : public QAbstractButton {
  Q_OBJECT
public:
  ImageButton(QWidget* parent, const QString& name, QPoint position, const QString& hint);

  void SetPicture(const QPixmap& picture, int frame = -1);
  const QPixmap& Picture() const { return picture_; }
  // Index of the frame last drawn from a list, -1 for a picture of its own.
  int FrameIndex() const { return frame_; }

  // The hint text also names the button for screen readers and UI automation.
  void SetHint(const QString& hint);
  QString Hint() const { return accessibleName(); }

  QSize sizeHint() const override;

signals:
  // For any mouse button; a left click's `clicked` comes between MouseDown and MouseUp.
  void MouseDown(QMouseEvent* event);
  void MouseMove(QMouseEvent* event);
  void MouseUp(QMouseEvent* event);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool hitButton(const QPoint& pos) const override;

private:
  QPixmap picture_;
  int frame_ = -1;
  bool leftDown_ = false;
};

} // namespace zarvo
