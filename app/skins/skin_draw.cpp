#include "app/skins/skin_draw.h"

#include <algorithm>
#include <climits>

namespace zem::skins {

namespace {

// Limits of a text window that are more than a screen can show; a skin asking for more gets
// this many, so that filling a line never runs for billions of cells.
constexpr int kMaxColumns = 1024;
constexpr int kMaxLines = 256;

// a * b within int: absurd glyph sizes must not overflow.
int Times(int a, int b) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(a) * b, INT_MIN, INT_MAX));
}

QRectF ToRectF(const SkinRect& r) {
    return {static_cast<double>(r.x), static_cast<double>(r.y), static_cast<double>(r.width),
            static_cast<double>(r.height)};
}

void DrawImagePart(QPainter& painter, const QImage& image, const SkinRect& src, const QRectF& dst) {
    if (src.width <= 0 || src.height <= 0 || dst.isEmpty())
        return;
    const QRectF source = ToRectF(src);
    const QRectF inside = source.intersected(QRectF(image.rect()));
    if (inside != source)
        painter.fillRect(dst, Qt::black);
    if (inside.isEmpty())
        return;
    // The part of dst that the bitmap's pixels cover, in the same proportion.
    const double sx = dst.width() / source.width();
    const double sy = dst.height() / source.height();
    const QRectF target(dst.x() + (inside.x() - source.x()) * sx,
                        dst.y() + (inside.y() - source.y()) * sy, inside.width() * sx,
                        inside.height() * sy);
    painter.drawImage(target, image, inside);
}

const QImage& KeyedImage(const SkinFont& font, const QImage& image) {
    if (font.keyed.isNull() || font.keyed.size() != image.size()) {
        QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = qRgb(static_cast<int>(font.transparent & 0xFF),
                              static_cast<int>(font.transparent >> 8 & 0xFF),
                              static_cast<int>(font.transparent >> 16 & 0xFF));
        for (int y = 0; y < keyed.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
            for (int x = 0; x < keyed.width(); ++x)
                if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                    line[x] = 0;
        }
        font.keyed = keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return font.keyed;
}

} // namespace

void DrawPart(QPainter& painter, const SkinBitmap* bitmap, const SkinRect& src, const QRectF& dst) {
    if (!bitmap || bitmap->image.isNull()) {
        painter.fillRect(dst, Qt::black);
        return;
    }
    DrawImagePart(painter, bitmap->image, src, dst);
}

const SkinRect& StateRect(const SkinElement& element, bool pressed, bool checked) {
    if (pressed)
        return element.rects[1];
    if (element.kind == SkinKind::Toggle && checked)
        return element.rects[2];
    return element.rects[0];
}

void DrawElement(QPainter& painter, const SkinElement& element, bool pressed, bool checked,
                 const QRectF& dst) {
    if (element.kind == SkinKind::Background) {
        const QImage* image = element.bitmap ? &element.bitmap->image : nullptr;
        const SkinRect whole{0, 0, image ? image->width() : 0, image ? image->height() : 0};
        DrawPart(painter, element.bitmap, whole, dst);
        return;
    }
    DrawPart(painter, element.bitmap, StateRect(element, pressed, checked), dst);
}

void DrawText(QPainter& painter, const SkinElement& font, const SkinTextWindow& window,
              const QByteArray& text, const QPointF& origin) {
    const SkinFont* glyphs = font.fontData.get();
    const QImage* image = font.bitmap ? &font.bitmap->image : nullptr;
    if (!glyphs || !image || image->isNull())
        return;
    const QImage& source = glyphs->transparent ? KeyedImage(*glyphs, *image) : *image;
    painter.save();
    const QPointF start = origin + QPointF(window.clip.x, window.clip.y);
    if (window.clip.width != 0 || window.clip.height != 0)
        painter.setClipRect(QRectF(start, QSizeF(window.clip.width, window.clip.height)),
                            Qt::IntersectClip);
    const int perLine = std::min(window.perLine, kMaxColumns);
    const int lines = std::min(window.lines, kMaxLines);
    const double cellW = window.cellWidth;
    const double cellH = window.cellHeight;
    QPointF pen = start;
    int column = 0;
    int line = 0;
    const auto drawChar = [&](unsigned char c) {
        const Glyph* g = glyphs->Find(c);
        if (g && column < perLine && line < lines) {
            const SkinRect cell{Times(g->column, glyphs->glyphWidth),
                                Times(g->row, glyphs->glyphHeight), glyphs->glyphWidth,
                                glyphs->glyphHeight};
            DrawImagePart(painter, source, cell, QRectF(pen, QSizeF(cellW, cellH)));
        }
        pen.rx() += g ? cellW : cellW / 2;
        ++column;
    };
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '\n';
        if (c == '\r')
            continue;
        if (c == '\n') {
            while (column < perLine)
                drawChar(' ');
            pen = QPointF(start.x(), pen.y() + cellH);
            column = 0;
            ++line;
            continue;
        }
        drawChar(static_cast<unsigned char>(c));
    }
    painter.restore();
}

} // namespace zem::skins
