// An icon drawn at the device pixel ratio it is shown at. It holds pixel-exact pictures (the
// glyph bitmaps, the icon's hand-drawn sizes) and a drawing (SVG) per mode: a request whose
// device pixel size matches a picture gets that picture, every other one the drawing rendered
// at exactly that size. So a glyph at scale factor 1 is its bitmap, and at 1.25, 1.5 or 2 it is
// drawn anew instead of blown up.
//
// Modes other than Normal and Disabled show the Normal pictures; Disabled without pictures of its
// own is the style's greyed form of Normal.
#pragma once

#include <QIconEngine>
#include <QPixmap>
#include <QString>
#include <map>
#include <vector>

namespace qorv::app {

class DrawnIconEngine : public QIconEngine {
 public:
  void AddPicture(const QPixmap& picture, QIcon::Mode mode);
  void SetDrawing(const QString& svg_path, QIcon::Mode mode);

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override;
  // The sizes of the pixel-exact pictures.
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
  QIconEngine* clone() const override;
  QString key() const override;
  bool isNull() override;

 private:
  struct Art {
    std::vector<QPixmap> Pictures;
    QString Drawing;
  };
  // The art a mode is shown with, and whether it is the mode's own.
  const Art* ArtFor(QIcon::Mode mode) const;
  QPixmap Draw(const Art& art, QSize device_size) const;

  std::map<QIcon::Mode, Art> art_;
};

}  // namespace qorv::app
