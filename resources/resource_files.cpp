#include "resources/resource_files.h"

#include <QFile>
#include <QString>

namespace qorv::resources {

QPixmap GlyphBitmap(int id) {
  const QString path = QStringLiteral(":/glyphs/glyph_%1.bmp").arg(id);
  if (!QFile::exists(path)) return {};
  return QPixmap(path);
}

QIcon ApplicationIcon() { return QIcon(); }

}  // namespace qorv::resources
