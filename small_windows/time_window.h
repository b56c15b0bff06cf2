// TFormTime: the tiny window that stands in for the group and shows only the remaining time.
#pragma once

#include "framework/image_list.h"
#include "framework/skinned_window.h"

class QLabel;

namespace zarvo {

class TFormTime final : public SkinnedWindow {
  Q_OBJECT
public:
  explicit TFormTime(const SkinPictures& skin);

  // The countdown's remaining time, as the main window shows it.
  void SetRemaining(const QString& text);

  ImageControl* BackGround = nullptr;
  QLabel* Label_TimeRemaining = nullptr;

signals:
  // A double click on the time asks for the full view back.
  void ShowTimeRequested();
  // A right click on the time asks for its one-item menu, elsewhere for the main popup menu.
  void ShowTimeMenuRequested(const QPoint& globalPos);
  void MenuRequested(const QPoint& globalPos);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
};

} // namespace zarvo
