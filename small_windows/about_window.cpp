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

  Label1 = new QLabel(QStringLiteral(ZARVO_BUILD_DATE), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(128, 72, 65, 13);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setFont(SkinFont(11, true));
  Label1->setStyleSheet(QStringLiteral("color: rgb(0, 255, 0); background: transparent;"));
  Label1->setAttribute(Qt::WA_TransparentForMouseEvents);

  ApplyOutline(this, OutlineRegion(200));
}

} // namespace zarvo
