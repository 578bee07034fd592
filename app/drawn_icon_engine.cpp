#include "app/drawn_icon_engine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace qorv::app {

void DrawnIconEngine::AddPicture(const QPixmap& picture, QIcon::Mode mode) {
  if (!picture.isNull()) art_[mode].Pictures.push_back(picture);
}

void DrawnIconEngine::SetDrawing(const QString& svg_path, QIcon::Mode mode) {
  art_[mode].Drawing = svg_path;
}

const DrawnIconEngine::Art* DrawnIconEngine::ArtFor(QIcon::Mode mode) const {
  auto found = art_.find(mode == QIcon::Disabled ? QIcon::Disabled : QIcon::Normal);
  return found == art_.end() ? nullptr : &found->second;
}

QPixmap DrawnIconEngine::Draw(const Art& art, QSize device_size) const {
  for (const QPixmap& picture : art.Pictures) {
    if (picture.size() == device_size) return picture;
  }
  QSvgRenderer renderer(art.Drawing);
  if (!renderer.isValid() || device_size.isEmpty()) {
    return art.Pictures.empty() ? QPixmap()
                                : art.Pictures.front().scaled(device_size, Qt::IgnoreAspectRatio,
                                                              Qt::SmoothTransformation);
  }
  QImage image(device_size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  return QPixmap::fromImage(image);
}

QPixmap DrawnIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State,
                                      qreal scale) {
  QPixmap drawn;
  if (const Art* own = ArtFor(mode)) {
    drawn = Draw(*own, size);
  } else if (const Art* normal = ArtFor(QIcon::Normal)) {
    drawn = Draw(*normal, size);
    if (mode == QIcon::Disabled && !drawn.isNull()) {
      QStyleOption option;
      drawn = QApplication::style()->generatedIconPixmap(QIcon::Disabled, drawn, &option);
    }
  }
  drawn.setDevicePixelRatio(scale);
  return drawn;
}

QPixmap DrawnIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
  return scaledPixmap(size, mode, state, 1.0);
}

void DrawnIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                            QIcon::State state) {
  const qreal ratio = painter->device()->devicePixelRatioF();
  painter->drawPixmap(rect,
                      scaledPixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state, ratio));
}

QList<QSize> DrawnIconEngine::availableSizes(QIcon::Mode mode, QIcon::State) {
  QList<QSize> sizes;
  if (const Art* art = ArtFor(mode) != nullptr ? ArtFor(mode) : ArtFor(QIcon::Normal)) {
    for (const QPixmap& picture : art->Pictures) sizes.append(picture.size());
  }
  return sizes;
}

QIconEngine* DrawnIconEngine::clone() const {
  return new DrawnIconEngine(*this);
}

QString DrawnIconEngine::key() const {
  return QStringLiteral("DrawnIconEngine");
}

bool DrawnIconEngine::isNull() {
  return art_.empty();
}

}  // namespace qorv::app
