// Drawing from a skin: parts of bitmaps copied or stretched onto a window, buttons in their
// states, slider thumbs, and text windows written with a bitmap font.
#pragma once

#include "app/skins/skin_elements.h"

#include <QByteArray>
#include <QPainter>
#include <QRectF>

namespace zem::skins {

// Copies src of the bitmap onto dst, stretched when the sizes differ. Without a bitmap (or
// with one that did not load) dst is filled black; the parts of src outside the bitmap are
// black as well.
void DrawPart(QPainter& painter, const SkinBitmap* bitmap, const SkinRect& src, const QRectF& dst);

// The image rectangle a button or toggle button shows: normal; pressed while pressed; a
// toggle's checked image when checked and not pressed.
const SkinRect& StateRect(const SkinElement& element, bool pressed, bool checked);
// A button, toggle button or background (its whole bitmap) drawn onto dst.
void DrawElement(QPainter& painter, const SkinElement& element, bool pressed, bool checked,
                 const QRectF& dst);

// Writes text into a text window whose control sits at origin: a carriage return does not
// move, a line feed (and the end) fills the line with spaces up to the limit and starts the
// next, characters past the limits are not drawn, a character without a glyph moves half a
// cell. Clipped to the window's clip rectangle when it has one; the painter's state is kept.
void DrawText(QPainter& painter, const SkinElement& font, const SkinTextWindow& window,
              const QByteArray& text, const QPointF& origin);

} // namespace zem::skins
