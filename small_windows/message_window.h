// TFormMessage: the stay-on-top window that shows the expiry's message, stamped with the time.
#pragma once

#include "framework/image_list.h"
#include "framework/skinned_window.h"

class QPlainTextEdit;

namespace zarvo {

class Clock;
class ImageButton;
class Platform;

class TFormMessage final : public SkinnedWindow {
  Q_OBJECT
public:
  TFormMessage(const SkinPictures& skin, const Clock& clock, Platform& platform, const QString& messageText);

  // Shows the window, or only brings it to the front when it is already shown.
  void ShowMessage();
  void CloseButtonClick() { hide(); }
  void ApplyRegion();

  // The text to show; the Options window's message action keeps it current.
  const QString& MessageText;

  ImageControl* TitleBar = nullptr;
  ImageControl* Title = nullptr;
  ImageButton* CloseButton = nullptr;
  QPlainTextEdit* Memo1 = nullptr;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void FormShow();

  const Clock& clock_;
  Platform& platform_;
  bool placed_ = false;
};

// "Message at HH:mm:ss:" + CR LF + the message.
QString StampMessage(int timeOfDayMs, const QString& message);

} // namespace zarvo
