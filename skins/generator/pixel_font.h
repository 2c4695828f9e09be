// A 5x7 dot-matrix font drawn from tables, so the skin's lettering is the same on every machine.
#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

namespace skingen {

inline constexpr int kGlyphDotsW = 5;
inline constexpr int kGlyphDotsH = 7;

// The seven rows of a character's dots ('#' lit), or nullptr when the font lacks it.
// Lower-case letters map to upper case.
const char* const* GlyphRows(char c);

// Every character the font draws, in the order the font bitmaps lay them out: rows of glyphs
// separated by '\n'.
const char* FontSheetOrder();

// Width in pixels of a text drawn at `scale` (one dot = scale x scale pixels, one dot of gap).
int TextWidth(const QString& text, int scale);

// Draws text with its top-left dot at (x, y).
void DrawText(QPainter& p, const QString& text, int x, int y, int scale, const QColor& colour);

// Draws text centred in the given box.
void DrawTextCentred(QPainter& p, const QString& text, const QRect& box, int scale,
                     const QColor& colour);

} // namespace skingen
