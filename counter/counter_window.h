// TFormCounter: the stopwatch window, a satellite of the main window.
#pragma once

#include "options/satellite_frame.h"

class QLabel;

namespace zarvo {

class TFormCounter final : public SatelliteWindow {
  Q_OBJECT
public:
  explicit TFormCounter(MainWindowHooks& main);

  void CloseButtonClick() override;

  QLabel* LabelInfo = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label_Time = nullptr;
  ImageButton* Stop = nullptr;
  ImageButton* Pause = nullptr;
  ImageButton* Start = nullptr;
  ImageList Start_List;
  ImageList Pause_List;
  ImageList Stop_List;

protected:
  void BackgroundHover() override;
};

} // namespace zarvo
