#include "framework/window_outline.h"

#include <QEvent>
#include <QWidget>

namespace zarvo {

QRegion OutlineRegion(int bottom, const QList<QRect>& ellipseBoxes) {
  QRegion region(OutlinePolygon(bottom), Qt::OddEvenFill);
  for (const QRect& box : ellipseBoxes)
    region = region.united(QRegion(box, QRegion::Ellipse));
  return region;
}

namespace {

// Re-applies the outline after the native window is re-created.
class OutlineKeeper : public QObject {
public:
  OutlineKeeper(QWidget* window, const QRegion& outline) : QObject(window), outline_(outline) {}
  void Set(const QRegion& outline) { outline_ = outline; }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WinIdChange || event->type() == QEvent::Show) {
      auto* w = static_cast<QWidget*>(watched);
      if (w->mask() != outline_)
        w->setMask(outline_);
    }
    return false;
  }

private:
  QRegion outline_;
};

} // namespace

void ApplyOutline(QWidget* window, const QRegion& outline) {
  OutlineKeeper* keeper = nullptr;
  for (QObject* child : window->children())
    if ((keeper = dynamic_cast<OutlineKeeper*>(child)))
      break;
  if (!keeper) {
    keeper = new OutlineKeeper(window, outline);
    window->installEventFilter(keeper);
  } else {
    keeper->Set(outline);
  }
  window->setMask(outline);
}

} // namespace zarvo
