#include "small_windows/about_window.h"

#include "assets/skin.h"
#include "framework/image_button.h"
#include "framework/main_window_hooks.h"
#include "framework/skin_font.h"
#include "framework/window_outline.h"

#include <QLabel>

namespace zarvo {

TFormAbout::TFormAbout(MainWindowHooks& main)
    : SkinnedWindow(QStringLiteral("FormAbout"), QStringLiteral("FormAbout"), QSize(200, 200),
                    Qt::Tool | Qt::WindowStaysOnTopHint) {
  BackGround = new ImageControl(this, QStringLiteral("BackGround"), QRect(0, 0, 200, 200), false);
  BackGround->SetStretch(true);
  BackGround->SetPicture(main.BackgroundPicture());
  const TitleFrame frame = AddTitleFrame(this, main, skin::Path(skin::kAboutTitle), QStringLiteral("Close"));
  TitleBar = frame.TitleBar;
  Title = frame.Title;
  CloseButton = frame.CloseButton;
  connect(CloseButton, &QAbstractButton::clicked, this, &QWidget::hide);

  Label1 = SkinLabel(this, QStringLiteral("Label1"), QStringLiteral(ZARVO_BUILD_DATE), QRect(128, 72, 65, 13),
                     SkinFont(11, true));
  Label1->setAttribute(Qt::WA_TransparentForMouseEvents);

  ApplyOutline(this, OutlineRegion(200));
}

} // namespace zarvo
