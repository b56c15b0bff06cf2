// TFormAbout: the program's name, version, build date, author and links, shown modally from the main menu.
#pragma once

#include "components/link_label.h"
#include "framework/image_list.h"
#include "framework/skinned_window.h"

class QLabel;
class QPushButton;

namespace zarvo {

class ImageButton;
class Platform;

// Where the About window goes beside the main window: half the main window's width to its left,
// centred on it vertically (integer halves truncated toward zero, no clamping to the screen).
QPoint AboutPlacement(const QRect& mainWindow, QSize aboutSize);

// The web link for an address: an http or https link type by its scheme, and the rest of the
// address as the link text. An address without either scheme is taken as plain http.
struct WebLink {
  TLinkType type;
  QString hyperLink;
};
WebLink WebLinkFor(const QString& address);

class TFormAbout final : public SkinnedWindow {
  Q_OBJECT
public:
  // `anchor` is the main window it stands beside.
  TFormAbout(const QWidget& anchor, const SkinPictures& skin, Platform& platform);

  // Places the window beside the main window and shows it application-modal: the other windows
  // take no input until it closes, while the event loop and so every timer keep running.
  void ShowModal();

  ImageControl* BackGround = nullptr;
  ImageControl* TitleBar = nullptr;
  ImageControl* Title = nullptr;
  ImageButton* CloseButton = nullptr;
  QLabel* Label1 = nullptr;           // build date
  TLinkLabel* LinkLabel1 = nullptr;   // web page
  TLinkLabel* LinkLabel2 = nullptr;   // contact address
  QLabel* Label2 = nullptr;           // "by"
  QLabel* Label3 = nullptr;           // author
  ImageControl* Image1 = nullptr;     // emblem
  QLabel* Label4 = nullptr;           // version
  QLabel* StaticText1 = nullptr;      // name
  QPushButton* StaticText2 = nullptr; // OK

protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void FormShow();

  const QWidget& anchor_;
};

} // namespace zarvo
