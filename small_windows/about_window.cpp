#include "small_windows/about_window.h"

#include "assets/skin.h"
#include "framework/image_button.h"
#include "framework/skin_font.h"
#include "framework/window_outline.h"
#include "project_info.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace zarvo {

namespace {

const QColor kLime(0, 255, 0);

void SetTextColour(QWidget* w, const QColor& colour) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, colour);
  w->setPalette(pal);
}

// A label that is not a dragging surface: presses on it stay with it.
void KeepMouse(QWidget* w) { w->setAttribute(Qt::WA_NoMousePropagation); }

TLinkLabel* Link(QWidget* window, Platform& platform, const QString& name, QRect geometry,
                 const QString& caption, const WebLink& link) {
  auto* label = new TLinkLabel(window, platform);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setText(caption);
  label->SetLinkType(link.type);
  label->SetHyperLink(link.hyperLink);
  label->setAlignment(Qt::AlignCenter);
  QFont font = FitFont(SkinFont(13, true), caption, geometry.width());
  font.setUnderline(true);
  label->setFont(font);
  SetTextColour(label, kLime);
  label->setAccessibleName(caption);
  label->setToolTip(LinkTarget(link.type, link.hyperLink));
  return label;
}

} // namespace

QPoint AboutPlacement(const QRect& mainWindow, QSize aboutSize) {
  return QPoint(mainWindow.left() - mainWindow.width() / 2,
                mainWindow.top() - (mainWindow.height() - aboutSize.height()) / 2);
}

WebLink WebLinkFor(const QString& address) {
  if (address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
    return {TLinkType::lthttps, address.mid(8)};
  if (address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
    return {TLinkType::lthttp, address.mid(7)};
  return {TLinkType::lthttp, address};
}

TFormAbout::TFormAbout(const QWidget& anchor, const SkinPictures& skin, Platform& platform)
    : SkinnedWindow(QStringLiteral("FormAbout"), QStringLiteral("FormAbout"), QSize(200, 200),
                    Qt::WindowStaysOnTopHint, WindowRole::Companion),
      anchor_(anchor) {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);

  BackGround = new ImageControl(this, QStringLiteral("BackGround"), QRect(0, 0, 200, 200), false);
  BackGround->SetStretch(true);
  BackGround->SetPicture(skin.background);
  const TitleFrame frame = AddTitleFrame(this, skin, skin::Path(skin::kAboutTitle), QStringLiteral("Close"));
  TitleBar = frame.TitleBar;
  Title = frame.Title;
  CloseButton = frame.CloseButton;
  connect(CloseButton, &QAbstractButton::clicked, this, &QWidget::close);

  // The labels that are dragging surfaces let the press through to the window; the others keep it.
  Label1 = SkinLabel(this, QStringLiteral("Label1"), QStringLiteral(ZARVO_BUILD_DATE), QRect(128, 72, 65, 13),
                     SkinFont(11, true));
  Label1->setAccessibleDescription(QStringLiteral("Build date"));

  const WebLink web = WebLinkFor(QStringLiteral(ZARVO_HOMEPAGE));
  LinkLabel1 = Link(this, platform, QStringLiteral("LinkLabel1"), QRect(12, 124, 176, 16),
                    QStringLiteral(ZARVO_HOMEPAGE), web);
  LinkLabel2 = Link(this, platform, QStringLiteral("LinkLabel2"), QRect(32, 148, 137, 16),
                    QStringLiteral(ZARVO_CONTACT), {TLinkType::ltmailto, QStringLiteral(ZARVO_CONTACT)});

  Label2 = SkinLabel(this, QStringLiteral("Label2"), QStringLiteral("by"), QRect(16, 84, 18, 16),
                     SkinFont(13, true));
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  KeepMouse(Label2);
  const QString author = QStringLiteral(ZARVO_AUTHOR);
  Label3 = SkinLabel(this, QStringLiteral("Label3"), author, QRect(31, 96, 133, 24),
                     FitFont(SkinFont(19, true), author, 133));

  Image1 = new ImageControl(this, QStringLiteral("Image1"), QRect(4, 34, 48, 48));
  Image1->SetPicture(LoadPicture(skin::Path(skin::kIcon48), QSize(48, 48)));

  const QString version = QStringLiteral("v ") + QStringLiteral(ZARVO_FILE_VERSION);
  Label4 = SkinLabel(this, QStringLiteral("Label4"), version, QRect(56, 72, 52, 13),
                     FitFont(SkinFont(11, true), version, 52));
  Label4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Label4->setAccessibleDescription(QStringLiteral("Version"));

  StaticText1 = SkinLabel(this, QStringLiteral("StaticText1"), QStringLiteral("   Zarvo  "),
                          QRect(74, 34, 106, 33), SkinFont(24, true));
  StaticText1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  StaticText1->setFrameShape(QFrame::Box);
  StaticText1->setLineWidth(1);
  StaticText1->setAutoFillBackground(true);
  QPalette name = StaticText1->palette();
  name.setColor(QPalette::Window, QColor(0, 64, 0));
  StaticText1->setPalette(name);
  StaticText1->setAccessibleName(QStringLiteral(ZARVO_NAME));

  // A real button, so Enter and Space press it and a screen reader finds it.
  StaticText2 = new QPushButton(QStringLiteral("    OK    "), this);
  StaticText2->setObjectName(QStringLiteral("StaticText2"));
  StaticText2->setGeometry(66, 168, 68, 24);
  StaticText2->setFont(SkinFont(16, true));
  StaticText2->setCursor(Qt::PointingHandCursor);
  StaticText2->setAccessibleName(QStringLiteral("OK"));
  StaticText2->setDefault(true);
  StaticText2->setStyleSheet(QStringLiteral("QPushButton { color: black; background: rgb(0, 255, 0);"
                                            " border: 1px solid rgb(0, 64, 0); padding: 0; }"
                                            "QPushButton:pressed { background: rgb(0, 200, 0); }"
                                            "QPushButton:focus { border: 1px solid black; }"));
  connect(StaticText2, &QPushButton::clicked, this, &QWidget::close);

  ApplyOutline(this, OutlineRegion(200));
}

void TFormAbout::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  StaticText2->setFocus();
}

void TFormAbout::showEvent(QShowEvent* event) {
  SkinnedWindow::showEvent(event);
  if (!event->spontaneous())
    FormShow();
}

// Every showing is placed afresh: a position the user dragged the window to is not kept.
void TFormAbout::FormShow() {
  const QPoint at = AboutPlacement(anchor_.geometry(), size());
  MoveTo(at.x(), at.y());
}

void TFormAbout::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  SkinnedWindow::keyPressEvent(event);
}

} // namespace zarvo
