// TFormAbout: the program's identity, shown modally from the main menu.
#pragma once

#include "framework/image_list.h"
#include "framework/skinned_window.h"

class QLabel;

namespace zarvo {

class ImageButton;
class MainWindowHooks;

class TFormAbout final : public SkinnedWindow {
  Q_OBJECT
public:
  explicit TFormAbout(MainWindowHooks& main);

  ImageControl* BackGround = nullptr;
  ImageControl* TitleBar = nullptr;
  ImageControl* Title = nullptr;
  ImageButton* CloseButton = nullptr;
  QLabel* Label1 = nullptr;
};

} // namespace zarvo
