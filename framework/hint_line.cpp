#include "framework/hint_line.h"

#include "framework/image_button.h"
#include "framework/image_list.h"

#include <QAction>
#include <QLabel>

namespace zarvo {

namespace {

const ImageList& EmptyList() {
  static const ImageList empty;
  return empty;
}

} // namespace

void HintLine::Attach(QLabel* label, ImageButton* empty, const QAction* showHelp) {
  label_ = label;
  empty_ = empty;
  showHelp_ = showHelp;
  hoverImage_ = empty;
  hoverImageList_ = &EmptyList();
}

void HintLine::ImageButtonHover(const ImageList& list, ImageButton* image, const QString& text) {
  if (image != hoverImage_) {
    if (hoverImage_)
      hoverImageList_->Draw(latched_ && latched_(hoverImage_) ? Frame::Pressed : Frame::Normal, hoverImage_);
    list.Draw(hot_ ? hot_(image) : Frame::Hot, image);
    hoverImage_ = image;
    hoverImageList_ = &list;
    if (image != empty_)
      emit Lit();
  }
  SetHint(text, false);
}

void HintLine::ImageButtonDown(const ImageList& list, ImageButton* image) {
  list.Draw(Frame::Pressed, image);
}

void HintLine::ImageButtonUp(const ImageList& list, ImageButton* image) {
  list.Draw(Frame::Normal, image);
  hoverImage_ = empty_;
  hoverImageList_ = &EmptyList();
}

void HintLine::ReleaseHover() {
  if (hoverImage_ != empty_) {
    hoverImageList_->Draw(Frame::Normal, hoverImage_);
    hoverImage_ = empty_;
    hoverImageList_ = &EmptyList();
  }
}

void HintLine::ClearHover() { ImageButtonHover(EmptyList(), empty_, QString()); }

void HintLine::SetHint(const QString& text, bool always) {
  if (!label_ || (!always && showHelp_ && !showHelp_->isChecked()))
    return;
  notice_ = false;
  label_->setText(text);
  label_->show();
  emit Lit();
}

void HintLine::HideHint() {
  notice_ = false;
  if (label_)
    label_->hide();
}

void HintLine::SetNotice(const QString& text) {
  SetHint(text, true);
  notice_ = true;
}

bool HintLine::Idle() const { return hoverImage_ == empty_ && (notice_ || !label_ || label_->isHidden()); }

} // namespace zarvo
