// TLinkLabel: a label that opens its link (the link type's scheme prefix, then the link text) on a
// left-button press.
#pragma once

#include <QLabel>

namespace zarvo {

class Platform;

enum class TLinkType { ltfile, ltftp, ltgopher, lthttp, lthttps, ltmailto, ltnews, lttelnet, ltwais };

// "file://", "ftp://", ... "wais:" for each link type.
QString LinkPrefix(TLinkType type);
// What a link label opens: the prefix glued to the link text, no separator and no escaping, so a
// link that already carries a scheme gets a second one and an empty link opens the bare prefix.
QString LinkTarget(TLinkType type, const QString& hyperLink);

class TLinkLabel : public QLabel {
  Q_OBJECT
public:
  // The owner window becomes the parent. Links open through `platform`.
  TLinkLabel(QWidget* owner, Platform& platform);

  TLinkType LinkType() const { return linkType_; }
  void SetLinkType(TLinkType type) { linkType_ = type; }

  QString HyperLink() const { return hyperLink_; }
  // Also becomes the caption while the caption is empty.
  void SetHyperLink(const QString& link);

  // Opens prefix + HyperLink.
  void OpenLink();

protected:
  // A left press opens the link; the press and what follows it never reach the window beneath,
  // so a link label starts no drag.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  Platform& platform_;
  TLinkType linkType_ = TLinkType::lthttp;
  QString hyperLink_;
};

} // namespace zarvo
