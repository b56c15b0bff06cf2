// The hint line at the bottom of the main window and the hover state of the image buttons: one
// object that every window is given, so that a button lit in one window goes dark when another is
// pointed at, and every window explains its controls in the same line.
#pragma once

#include "framework/image_list.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QLabel;

namespace zarvo {

class ImageButton;

class HintLine final : public QObject {
  Q_OBJECT
public:
  // `label` is the hint line (LabelToolTip), `empty` the hidden placeholder button that stands for
  // "nothing lit" (ImageEmpty), `showHelp` the menu item whose check mark says whether hints show.
  void Attach(QLabel* label, ImageButton* empty, const QAction* showHelp);

  // Which buttons are toggles that are on (they rest on Pressed), and which frame a button shows
  // when the pointer is over it (Hot, unless the owner says otherwise).
  void SetLatchRule(std::function<bool(const ImageButton*)> latched) { latched_ = std::move(latched); }
  void SetHotRule(std::function<Frame(const ImageButton*)> hot) { hot_ = std::move(hot); }

  // The pointer is over `image`: the button lit before goes back to its resting frame, this one
  // lights, and the hint line shows `text` if "Show help" is on.
  void ImageButtonHover(const ImageList& list, ImageButton* image, const QString& text);
  void ImageButtonDown(const ImageList& list, ImageButton* image);
  void ImageButtonUp(const ImageList& list, ImageButton* image);
  // Puts the lit button back to its normal frame (even a toggle that is on) and clears the hover.
  void ReleaseHover();
  // Clears the hover the way the main window's background does (a toggle that is on stays pressed).
  void ClearHover();

  // The hint line: `always` writes it whatever "Show help" says.
  void SetHint(const QString& text, bool always);
  void HideHint();
  // A notice of the program's own, shown whatever "Show help" says, that stays until the user
  // points at a control.
  void SetNotice(const QString& text);

  ImageButton* HoverImage() const { return hoverImage_; }
  const ImageList* HoverImageList() const { return hoverImageList_; }
  QLabel* LabelToolTip() const { return label_; }
  bool NoticeShown() const { return notice_; }
  // Whether anything is lit or a hint is up (nothing to take back otherwise).
  bool Idle() const;

signals:
  // A button lit or a hint went up: there may be something to take back when the pointer leaves.
  void Lit();

private:
  QLabel* label_ = nullptr;
  ImageButton* empty_ = nullptr;
  const QAction* showHelp_ = nullptr;
  ImageButton* hoverImage_ = nullptr;
  const ImageList* hoverImageList_ = nullptr;
  std::function<bool(const ImageButton*)> latched_;
  std::function<Frame(const ImageButton*)> hot_;
  bool notice_ = false;
};

} // namespace zarvo
