#include "framework/skin_font.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QStaticText>
#include <QStyle>
#include <QtMath>

namespace zarvo {

// Liberation Sans: the free sans serif closest to the windows' original face in shape and width
// (scripts/setup installs fonts-liberation). The metrics stay the designed ones (no horizontal
// hinting), so a caption measures the same on every desktop and under Xvfb.
QFont SkinFont(int pixelHeight, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  return font;
}

QFont FitFont(QFont font, const QString& sample, int width) {
  while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(sample) > width)
    font.setPixelSize(font.pixelSize() - 1);
  return font;
}

namespace {

// A plain one-line label that keeps its text laid out between paints.
class TimeLabel final : public QLabel {
public:
  using QLabel::QLabel;

protected:
  void paintEvent(QPaintEvent* event) override {
    if (wordWrap() || textFormat() == Qt::RichText || Qt::mightBeRichText(text())) {
      QLabel::paintEvent(event);
      return;
    }
    if (laidOut_.text() != text() || laidOutFont_ != font()) {
      laidOut_.setText(text());
      laidOut_.setTextFormat(Qt::PlainText);
      laidOut_.prepare(QTransform(), font());
      laidOutFont_ = font();
      lineHeight_ = QFontMetrics(font()).height();
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QSize size(qCeil(laidOut_.size().width()), lineHeight_);
    const QRect place = QStyle::alignedRect(
        layoutDirection(), QStyle::visualAlignment(layoutDirection(), alignment()), size, contentsRect());
    painter.drawStaticText(place.topLeft(), laidOut_);
  }

private:
  QStaticText laidOut_;
  QFont laidOutFont_;
  int lineHeight_ = 0;
};

QLabel* Dress(QLabel* label, const QString& name, QRect geometry, const QFont& font) {
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(font);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, QColor(0, 255, 0));
  label->setPalette(pal);
  return label;
}

} // namespace

QLabel* SkinLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                  const QFont& font) {
  return Dress(new QLabel(text, parent), name, geometry, font);
}

QLabel* SkinTimeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                      const QFont& font) {
  return Dress(new TimeLabel(text, parent), name, geometry, font);
}

} // namespace zarvo
