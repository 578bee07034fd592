// The program's compiled-in resources by id.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace qorv::resources {

// The glyph bitmap with `id` (150 to 158, 160 to 162); an empty pixmap for other ids.
QPixmap GlyphBitmap(int id);

// Icon 1, in every size it comes in.
QIcon ApplicationIcon();

}  // namespace qorv::resources
