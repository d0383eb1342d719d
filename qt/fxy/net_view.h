#pragma once
// A widget showing a net-grid picture, navigated as every picture view is
// (qt/picture/kpicture_view.h). The position and the node value under the
// mouse go to onStatus.
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

#include "qt/picture/kpicture_view.h"
#include "render/net/net_picture.h"

class KNetView : public KPictureView {
public:
  explicit KNetView(QWidget* parent = nullptr);
  ~KNetView() override;

  // Shows picture, fitted to the widget; null shows nothing.
  void SetPicture(std::unique_ptr<KNetPicture> picture);
  KNetPicture* Picture() { return static_cast<KNetPicture*>(Shown()); }
  const KNetPicture* Picture() const { return static_cast<const KNetPicture*>(Shown()); }

  // What the status line says for device point at: world x, y, the nearest
  // node and its value; empty without a picture.
  QString DescribeAt(QPoint at) const;

  std::function<void(const QString&)> onStatus;

protected:
  void Hovered(QPoint at) override;
};
