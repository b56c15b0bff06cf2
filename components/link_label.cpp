#include "components/link_label.h"

#include "platform/platform.h"

#include <QMouseEvent>

namespace zarvo {

QString LinkPrefix(TLinkType type) {
  switch (type) {
  case TLinkType::ltfile: return QStringLiteral("file://");
  case TLinkType::ltftp: return QStringLiteral("ftp://");
  case TLinkType::ltgopher: return QStringLiteral("gopher://");
  case TLinkType::lthttp: return QStringLiteral("http://");
  case TLinkType::lthttps: return QStringLiteral("https://");
  case TLinkType::ltmailto: return QStringLiteral("mailto:");
  case TLinkType::ltnews: return QStringLiteral("news:");
  case TLinkType::lttelnet: return QStringLiteral("telnet:");
  case TLinkType::ltwais: return QStringLiteral("wais:");
  }
  return QString();
}

QString LinkTarget(TLinkType type, const QString& hyperLink) { return LinkPrefix(type) + hyperLink; }

TLinkLabel::TLinkLabel(QWidget* owner, Platform& platform) : QLabel(owner), platform_(platform) {
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(pal);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_NoMousePropagation);
}

void TLinkLabel::SetHyperLink(const QString& link) {
  hyperLink_ = link;
  if (text().isEmpty())
    setText(link);
}

void TLinkLabel::OpenLink() { platform_.OpenUrl(LinkTarget(linkType_, hyperLink_)); }

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton)
    OpenLink();
}

void TLinkLabel::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

} // namespace zarvo
