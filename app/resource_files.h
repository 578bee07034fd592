// The desktop program's resource files, compiled in through the Qt resource system (the
// qorv_resources target): the glyph bitmaps under ":/glyphs", the application icon under ":/icons"
// and the help document under ":/help".
//
// Loading a pixmap or an icon needs a QGuiApplication; the paths alone do not.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qorv::app {

// The glyph ids that have a bitmap: 150 to 158 and the disabled forms 160 to 162.
bool IsGlyphId(int id);

// The resource path of glyph `id` (":/glyphs/glyph_150.bmp"); an empty string for an id that
// IsGlyphId rejects.
QString GlyphResourcePath(int id);

// Glyph `id` as drawn: a 16-colour bitmap of its exact size whose magenta (FF00FF) background is
// made transparent, so that it sits on the button's own face colour. An empty (null) pixmap for an
// id that IsGlyphId rejects.
QPixmap GlyphBitmap(int id);

// The resource path of glyph `id`'s drawing (":/glyphs/glyph_150.svg"), the same picture as
// vector shapes; an empty string for an id that IsGlyphId rejects.
QString GlyphDrawingPath(int id);

// A glyph button's icon: glyph `glyph_id` and, when `disabled_glyph_id` is not 0, that glyph for
// the disabled state. At one device pixel per pixel it shows the bitmaps exactly; at any other
// device pixel ratio it renders their drawings at that resolution.
QIcon GlyphIcon(int glyph_id, int disabled_glyph_id = 0);

// Icon 1, the application icon, in its three hand-drawn sizes, 16 x 16, 32 x 32 and 48 x 48,
// and rendered from its drawing (":/icons/icon1.svg") at every other device pixel size.
QIcon ApplicationIcon();

// The help document, an HTML file of topics, one <h2 id="..."> heading each.
inline constexpr char kHelpDocumentPath[] = ":/help/Qorv.html";

}  // namespace qorv::app
