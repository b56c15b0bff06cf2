// TFormTime: the tiny window that stands in for the group and shows only the remaining time.
#pragma once

#include "framework/image_list.h"
#include "framework/skinned_window.h"

class QLabel;

namespace zarvo {

class MainWindowHooks;

class TFormTime final : public SkinnedWindow {
  Q_OBJECT
public:
  explicit TFormTime(MainWindowHooks& main);

  ImageControl* BackGround = nullptr;
  QLabel* Label_TimeRemaining = nullptr;

signals:
  // A double click on the time asks for the full view back.
  void ShowTimeRequested();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  MainWindowHooks& main_;
};

} // namespace zarvo
