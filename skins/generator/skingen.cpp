// zem-skingen: draws the "Jog Wheel" skin and writes its skin.cfg into a folder.
//
//   zem-skingen OUTPUT_DIR
//
// Every control sits where plugins/skinkit/jog_wheel_layout.h puts it; buttons and thumbs are
// drawn on copies of the background under their places so their corners blend in. All lettering
// comes from the dot-matrix tables in pixel_font.cpp, so a regeneration gives the same files.
#include "plugins/skinkit/jog_wheel_layout.h"
#include "skins/generator/pixel_font.h"

#include <QConicalGradient>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

namespace {

using namespace skingen;
namespace D = SkinDeckControl;
namespace M = SkinMixerControl;

const QColor kBodyTop(0x27, 0x2a, 0x31);
const QColor kBodyBottom(0x16, 0x18, 0x1c);
const QColor kEdgeDark(0x07, 0x08, 0x0a);
const QColor kLabel(0x86, 0x8f, 0x9e);
const QColor kText(0xe4, 0xe8, 0xee);
const QColor kAccent(0x2e, 0xc5, 0xff);
const QColor kGreen(0x3d, 0xdc, 0x84);
const QColor kAmber(0xff, 0xae, 0x2a);
const QColor kRed(0xff, 0x52, 0x4a);
const QColor kKey(255, 0, 255); // font cells' transparent colour

// The LCD readout: cell size, text origin inside the status window, characters and lines.
constexpr int kLcdCellW = 12;
constexpr int kLcdCellH = 18;
constexpr int kLcdOriginX = 6;
constexpr int kLcdOriginY = 8;
constexpr int kLcdColumns = 24;
constexpr int kLcdLines = 2;
constexpr int kLcdDot = 2; // one font dot in LCD pixels
const QColor kLcdLit(0x8a, 0xe8, 0xfc);
const QColor kLcdLitHi(0xd2, 0xf8, 0xff);
const QColor kLcdGhost(0x0d, 0x27, 0x31);

// The title: a one-to-one dot font.
constexpr int kCaptionCellW = 6;
constexpr int kCaptionCellH = 9;

constexpr int kVThumbW = 26; // deck pitch and volume thumb (one image serves both)
constexpr int kVThumbH = 14;
constexpr int kPosThumbW = 12;
constexpr int kFaderCapH = 18;
constexpr int kXfadeCapW = 18;

QRect Place(int32_t window, int32_t control) {
    const SkinControlPlace* p = jog_wheel::FindPlace(window, control);
    if (p == nullptr) {
        std::fprintf(stderr, "zem-skingen: control %d of window %d has no place\n", control,
                     window);
        std::exit(1);
    }
    return QRect(p->x, p->y, p->width, p->height);
}
QRect DeckPlace(int32_t control) {
    return Place(kSkinWindowDeck, control);
}
QRect MixerPlace(int32_t control) {
    return Place(kSkinWindowMixer, control);
}

QString RectText(const QRect& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// A bitmap of control images packed in rows; cropped to what was used.
class Sheet {
public:
    explicit Sheet(int width) : image_(width, 1024, QImage::Format_RGB32) {
        image_.fill(QColor(0x10, 0x11, 0x14));
    }
    QRect Alloc(QSize size) {
        if (x_ + size.width() > image_.width()) {
            x_ = 0;
            y_ += rowH_;
            rowH_ = 0;
        }
        const QRect r(QPoint(x_, y_), size);
        x_ += size.width();
        rowH_ = std::max(rowH_, size.height());
        return r;
    }
    QImage& image() { return image_; }
    QImage Finished() const { return image_.copy(0, 0, image_.width(), y_ + rowH_); }

private:
    QImage image_;
    int x_ = 0, y_ = 0, rowH_ = 0;
};

enum class Look { Normal, Pressed, Checked };

// ---- Shared drawing ---------------------------------------------------------------------------

void RaisedPanel(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x25, 0x28, 0x2f));
    g.setColorAt(1, QColor(0x1b, 0x1d, 0x22));
    p.fillPath(path, g);
    p.setPen(QPen(QColor(0x0b, 0x0c, 0x0f), 1));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    p.drawLine(QPointF(r.left() + 5, r.top() + 1.5), QPointF(r.right() - 5, r.top() + 1.5));
}

// A dark well: for the program's plain controls and for slider slots.
void Recess(QPainter& p, const QRectF& r, qreal radius = 3) {
    QPainterPath path;
    path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.fillPath(path, QColor(0x0a, 0x0b, 0x0d));
    p.setPen(QPen(QColor(0x03, 0x03, 0x04), 1));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 24), 1));
    p.drawLine(QPointF(r.left() + radius, r.bottom() + 0.5),
               QPointF(r.right() - radius, r.bottom() + 0.5));
}

void ButtonFace(QPainter& p, const QRectF& box, Look look) {
    const QRectF r = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outer;
    outer.addRoundedRect(r, 4, 4);
    p.fillPath(outer, kEdgeDark);
    const QRectF face = r.adjusted(1, 1, -1, -1);
    QPainterPath inner;
    inner.addRoundedRect(face, 3, 3);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    switch (look) {
    case Look::Normal:
        g.setColorAt(0, QColor(0x48, 0x4d, 0x59));
        g.setColorAt(1, QColor(0x2b, 0x2f, 0x37));
        break;
    case Look::Pressed:
        g.setColorAt(0, QColor(0x1e, 0x21, 0x26));
        g.setColorAt(1, QColor(0x2c, 0x30, 0x37));
        break;
    case Look::Checked:
        g.setColorAt(0, QColor(0x33, 0x3d, 0x4a));
        g.setColorAt(1, QColor(0x22, 0x29, 0x31));
        break;
    }
    p.fillPath(inner, g);
    if (look == Look::Pressed) {
        p.setPen(QPen(QColor(0, 0, 0, 120), 1));
        p.drawLine(QPointF(face.left() + 3, face.top() + 0.5),
                   QPointF(face.right() - 3, face.top() + 0.5));
    } else {
        p.setPen(QPen(QColor(255, 255, 255, 44), 1));
        p.drawLine(QPointF(face.left() + 3, face.top() + 0.5),
                   QPointF(face.right() - 3, face.top() + 0.5));
    }
}

// A soft light behind a lit symbol.
void Glow(QPainter& p, const QPointF& centre, qreal radius, QColor colour) {
    QRadialGradient g(centre, radius);
    colour.setAlpha(110);
    g.setColorAt(0, colour);
    colour.setAlpha(0);
    g.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);
}

void Polygon(QPainter& p, std::initializer_list<QPointF> points, const QColor& colour) {
    QPolygonF poly;
    for (const QPointF& pt : points) {
        poly << pt;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(poly);
    p.setBrush(Qt::NoBrush);
}

// A thin light along the bottom of a button: lit when the button's state is on.
void StatusStrip(QPainter& p, const QRectF& box, const QColor& colour, bool lit) {
    const QRectF strip(box.left() + 6, box.bottom() - 5, box.width() - 12, 2);
    if (lit) {
        Glow(p, strip.center(), box.width() / 2.5, colour);
    }
    p.fillRect(strip, lit ? colour : colour.darker(400));
}

// Draws a button's image for each look onto copies of the background under the place, and
// returns where the images went.
using Content = std::function<void(QPainter&, const QRectF&, Look)>;
std::vector<QRect> Button(Sheet& sheet, const QImage& background, const QRect& place,
                          std::initializer_list<Look> looks, const Content& content) {
    std::vector<QRect> out;
    for (Look look : looks) {
        const QRect r = sheet.Alloc(place.size());
        QPainter p(&sheet.image());
        p.drawImage(r.topLeft(), background.copy(place));
        // Glows must not spill onto the neighbouring images of the sheet.
        p.setClipRect(r);
        p.setRenderHint(QPainter::Antialiasing);
        ButtonFace(p, r, look);
        // A pressed button's face sinks by a pixel.
        const QRectF inner = QRectF(r).translated(0, look == Look::Pressed ? 1 : 0);
        content(p, inner, look);
        out.push_back(r);
    }
    return out;
}

QString Rects(const std::vector<QRect>& rects) {
    QStringList parts;
    for (const QRect& r : rects) {
        parts << RectText(r);
    }
    return parts.join('|');
}

// Text centred on the box with a lift in colour when lit.
Content Label(const QString& text, int scale, QColor colour, QColor lit) {
    return [=](QPainter& p, const QRectF& box, Look look) {
        DrawTextCentred(p, text, box.toRect(), scale, look == Look::Normal ? colour : lit);
    };
}

// Tick marks across a slider's travel: thumb centres from one end to the other.
void VerticalScale(QPainter& p, const QRect& r, int thumbLen, int ticks, bool centreMark,
                   int outside) {
    const qreal cx = r.x() + r.width() / 2.0;
    const qreal top = r.y() + thumbLen / 2.0;
    const qreal travel = r.height() - thumbLen;
    Recess(p, QRectF(cx - 2.5, top - 3, 5, travel + 6), 2);
    for (int i = 0; i < ticks; ++i) {
        const qreal y = std::round(top + travel * i / (ticks - 1)) + 0.5;
        const bool major = i % 5 == 0 || i == ticks - 1;
        const bool centre = centreMark && i == ticks / 2;
        const qreal len = major ? 7 : 4;
        p.setPen(
            QPen(centre ? kAccent : (major ? QColor(0x9a, 0xa2, 0xb0) : kLabel.darker(140)), 1));
        const qreal left = r.left() - outside;
        const qreal right = r.right() + 1 + outside;
        p.drawLine(QPointF(left + (7 - len), y), QPointF(left + 7, y));
        p.drawLine(QPointF(right - 7, y), QPointF(right - 7 + len, y));
    }
}

void HorizontalScale(QPainter& p, const QRect& r, int thumbLen, int ticks, bool centreMark,
                     int slotH) {
    const qreal cy = r.y() + r.height() / 2.0;
    const qreal left = r.x() + thumbLen / 2.0;
    const qreal travel = r.width() - thumbLen;
    Recess(p, QRectF(left - 3, cy - slotH / 2.0, travel + 6, slotH), 2);
    for (int i = 0; i < ticks; ++i) {
        const qreal x = std::round(left + travel * i / (ticks - 1)) + 0.5;
        const bool major = i % 5 == 0 || i == ticks - 1;
        const bool centre = centreMark && i == ticks / 2;
        p.setPen(
            QPen(centre ? kAccent : (major ? QColor(0x9a, 0xa2, 0xb0) : kLabel.darker(140)), 1));
        const qreal len = major ? (r.height() - slotH) / 2.0 - 2 : (r.height() - slotH) / 4.0;
        p.drawLine(QPointF(x, r.top() + 1), QPointF(x, r.top() + 1 + len));
        p.drawLine(QPointF(x, r.bottom() - len), QPointF(x, r.bottom()));
    }
}

// A fader knob: ridged, with a coloured line at its middle; `along` is the travel axis.
void FaderCap(QPainter& p, const QRectF& box, bool dragged, const QColor& line,
              Qt::Orientation along) {
    const QRectF r = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outer;
    outer.addRoundedRect(r, 2.5, 2.5);
    p.fillPath(outer, kEdgeDark);
    const QRectF face = r.adjusted(1, 1, -1, -1);
    const bool vertical = along == Qt::Vertical;
    QLinearGradient g(face.topLeft(), vertical ? face.bottomLeft() : face.topRight());
    const int lift = dragged ? 118 : 100;
    g.setColorAt(0, QColor(0x6a, 0x71, 0x7e).lighter(lift));
    g.setColorAt(0.45, QColor(0x3c, 0x41, 0x4a).lighter(lift));
    g.setColorAt(0.55, QColor(0x33, 0x37, 0x3f).lighter(lift));
    g.setColorAt(1, QColor(0x1f, 0x22, 0x27).lighter(lift));
    QPainterPath inner;
    inner.addRoundedRect(face, 2, 2);
    p.fillPath(inner, g);
    const qreal length = vertical ? face.height() : face.width();
    for (qreal t = 3; t < length - 2; t += 3) {
        if (std::abs(t - length / 2) < 3) {
            continue;
        }
        p.setPen(QPen(QColor(0, 0, 0, 90), 1));
        if (vertical) {
            p.drawLine(QPointF(face.left() + 2, face.top() + t),
                       QPointF(face.right() - 2, face.top() + t));
        } else {
            p.drawLine(QPointF(face.left() + t, face.top() + 2),
                       QPointF(face.left() + t, face.bottom() - 2));
        }
    }
    const QColor mark = dragged ? line.lighter(140) : line;
    if (vertical) {
        p.fillRect(QRectF(face.left() + 1, face.center().y() - 1, face.width() - 2, 2), mark);
    } else {
        p.fillRect(QRectF(face.center().x() - 1, face.top() + 1, 2, face.height() - 2), mark);
    }
}

// Thumb images (normal, dragged) drawn over the background at the slider's start.
std::vector<QRect> Thumb(Sheet& sheet, const QImage& background, const QRect& slider, QSize size,
                         const QColor& line, Qt::Orientation along) {
    std::vector<QRect> out;
    for (bool dragged : {false, true}) {
        const QRect r = sheet.Alloc(size);
        const QPoint at =
            along == Qt::Vertical
                ? QPoint(slider.x() + (slider.width() - size.width()) / 2, slider.y())
                : QPoint(slider.x(), slider.y() + (slider.height() - size.height()) / 2);
        QPainter p(&sheet.image());
        p.drawImage(r.topLeft(), background.copy(QRect(at, size)));
        p.setClipRect(r);
        p.setRenderHint(QPainter::Antialiasing);
        FaderCap(p, r, dragged, line, along);
        out.push_back(r);
    }
    return out;
}

// ---- Title bar ------------------------------------------------------------------------------

void Caption(QPainter& p, const QRect& r, bool active) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x30, 0x34, 0x3d));
    g.setColorAt(1, QColor(0x1b, 0x1e, 0x23));
    p.fillRect(r, g);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), QColor(0x45, 0x4a, 0x55));
    // Grip ridges between the title and the system buttons say "drag here".
    const QColor ridge = active ? kAccent.darker(170) : QColor(0x40, 0x44, 0x4d);
    for (int x = r.left() + 360; x < r.right() - 48; x += 4) {
        p.fillRect(QRect(x, r.top() + 7, 2, 1), ridge);
        p.fillRect(QRect(x, r.top() + 11, 2, 1), ridge);
    }
    if (active) {
        QLinearGradient line(r.topLeft(), r.topRight());
        line.setColorAt(0, kAccent);
        line.setColorAt(0.6, kAccent.darker(200));
        line.setColorAt(1, kAccent.darker(400));
        p.fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), line);
    } else {
        p.fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), QColor(0x0c, 0x0d, 0x10));
    }
}

void Led(QPainter& p, const QRectF& r, bool on) {
    const QPointF c = r.center();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x05, 0x06, 0x07));
    p.drawEllipse(c, 5.5, 5.5);
    QRadialGradient g(c - QPointF(1.2, 1.2), 5);
    if (on) {
        g.setColorAt(0, QColor(0xe0, 0xff, 0xea));
        g.setColorAt(0.45, kGreen);
        g.setColorAt(1, kGreen.darker(200));
    } else {
        g.setColorAt(0, QColor(0x4a, 0x52, 0x4d));
        g.setColorAt(1, QColor(0x16, 0x1c, 0x18));
    }
    p.setBrush(g);
    p.drawEllipse(c, 4.5, 4.5);
    p.setBrush(Qt::NoBrush);
}

// ---- Fonts ----------------------------------------------------------------------------------

// The layout string of a font bitmap laid out in FontSheetOrder(). A "|" or "`" followed by
// its twin is the glyph of itself, and the twin is then read on its own: "``" is the grave
// accent and then the space, and "||" at the very end is the bar and then a harmless row end.
QString FontLayout() {
    QString out;
    const char* s = FontSheetOrder();
    for (; *s != 0; ++s) {
        switch (*s) {
        case '\n':
            out += '|';
            break;
        case ' ':
            // The twin of a grave accent just before it already stands for the space.
            if (s == FontSheetOrder() || s[-1] != '`')
                out += '`';
            break;
        case '|':
        case '`':
            out += QChar(*s);
            out += QChar(*s);
            break;
        default:
            out += QChar(*s);
        }
    }
    return out;
}

// A font bitmap: glyphs on key-colour cells; `dot` draws one lit dot at a pixel position.
QImage FontBitmap(int cellW, int cellH, int dotSize, QPoint inset,
                  const std::function<void(QPainter&, int, int)>& dot) {
    const QStringList rows = QString::fromLatin1(FontSheetOrder()).split('\n');
    qsizetype columns = 0;
    for (const QString& row : rows) {
        columns = std::max(columns, row.size());
    }
    QImage img(static_cast<int>(columns) * cellW, static_cast<int>(rows.size()) * cellH,
               QImage::Format_RGB32);
    img.fill(kKey);
    QPainter p(&img);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const char* const* dots = GlyphRows(rows[r][c].toLatin1());
            if (dots == nullptr) {
                continue;
            }
            for (int y = 0; y < kGlyphDotsH; ++y) {
                for (int x = 0; x < kGlyphDotsW; ++x) {
                    if (dots[y][x] == '#') {
                        dot(p, static_cast<int>(c) * cellW + inset.x() + x * dotSize,
                            static_cast<int>(r) * cellH + inset.y() + y * dotSize);
                    }
                }
            }
        }
    }
    return img;
}

// ---- Deck window ----------------------------------------------------------------------------

void JogWheel(QPainter& p, const QRect& place) {
    const QPointF c = QRectF(place).center();
    const qreal r = place.width() / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x08, 0x09, 0x0b));
    p.drawEllipse(c, r + 10, r + 10);
    // Brushed metal bezel.
    QConicalGradient metal(c, 30);
    const QColor hi(0xb8, 0xbe, 0xc8), lo(0x3a, 0x3e, 0x46), mid(0x70, 0x76, 0x80);
    metal.setColorAt(0.0, hi);
    metal.setColorAt(0.125, lo);
    metal.setColorAt(0.25, mid);
    metal.setColorAt(0.375, lo);
    metal.setColorAt(0.5, hi);
    metal.setColorAt(0.625, lo);
    metal.setColorAt(0.75, mid);
    metal.setColorAt(0.875, lo);
    metal.setColorAt(1.0, hi);
    p.setBrush(metal);
    p.drawEllipse(c, r + 8, r + 8);
    p.setBrush(QColor(0x06, 0x07, 0x08));
    p.drawEllipse(c, r + 2, r + 2);
    // Platter with fine grooves.
    QRadialGradient platter(c - QPointF(8, 10), r * 1.3);
    platter.setColorAt(0, QColor(0x33, 0x37, 0x40));
    platter.setColorAt(1, QColor(0x12, 0x14, 0x17));
    p.setBrush(platter);
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    for (qreal g = 15; g < r - 7; g += 2.5) {
        p.setPen(QPen(QColor(0, 0, 0, 70), 0.8));
        p.drawEllipse(c, g, g);
    }
    // Strobe dots round the edge.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 48; ++i) {
        const qreal a = i * 2 * M_PI / 48;
        const QPointF d = c + QPointF(std::cos(a), std::sin(a)) * (r - 3.5);
        p.setBrush(i % 4 == 0 ? QColor(0x8a, 0x92, 0xa0) : QColor(0x4a, 0x50, 0x5a));
        p.drawEllipse(d, 1.1, 1.1);
    }
    // Sheen across the upper left.
    QRadialGradient sheen(c - QPointF(r * 0.45, r * 0.5), r * 0.9);
    sheen.setColorAt(0, QColor(255, 255, 255, 34));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawEllipse(c, r, r);
    // Centre cap.
    QRadialGradient cap(c - QPointF(2, 3), 13);
    cap.setColorAt(0, QColor(0x4a, 0x50, 0x5c));
    cap.setColorAt(1, QColor(0x16, 0x18, 0x1c));
    p.setBrush(kAccent.darker(150));
    p.drawEllipse(c, 13, 13);
    p.setBrush(cap);
    p.drawEllipse(c, 11.5, 11.5);
    p.setBrush(Qt::NoBrush);
    DrawTextCentred(p, "ZEM", QRect(int(c.x()) - 11, int(c.y()) - 5, 23, 10), 1, kAccent);
}

void Lcd(QPainter& p, const QRect& place) {
    QPainterPath bezel;
    bezel.addRoundedRect(QRectF(place).adjusted(-3.5, -3.5, 3.5, 3.5), 5, 5);
    p.fillPath(bezel, QColor(0x05, 0x06, 0x07));
    p.setPen(QPen(QColor(255, 255, 255, 26), 1));
    p.drawLine(QPointF(place.left(), place.bottom() + 3.5),
               QPointF(place.right(), place.bottom() + 3.5));
    QLinearGradient glass(place.topLeft(), place.bottomLeft());
    glass.setColorAt(0, QColor(0x0a, 0x20, 0x2a));
    glass.setColorAt(1, QColor(0x05, 0x12, 0x18));
    QPainterPath screen;
    screen.addRoundedRect(QRectF(place), 3, 3);
    p.fillPath(screen, glass);
    // Unlit dots of the matrix, where the font's dots land.
    for (int line = 0; line < kLcdLines; ++line) {
        for (int col = 0; col < kLcdColumns; ++col) {
            const int x0 = place.x() + kLcdOriginX + col * kLcdCellW + 1;
            const int y0 = place.y() + kLcdOriginY + line * kLcdCellH + 2;
            for (int y = 0; y < kGlyphDotsH; ++y) {
                for (int x = 0; x < kGlyphDotsW; ++x) {
                    p.fillRect(x0 + x * kLcdDot, y0 + y * kLcdDot, kLcdDot, kLcdDot, kLcdGhost);
                }
            }
        }
    }
    QPainterPath reflection;
    reflection.addRoundedRect(QRectF(place.x() + 2, place.y() + 2, place.width() - 4, 10), 2, 2);
    p.fillPath(reflection, QColor(255, 255, 255, 9));
}

QImage DeckBackground() {
    QImage img(jog_wheel::kDeckWidth, jog_wheel::kDeckHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, img.height());
    body.setColorAt(0, kBodyTop);
    body.setColorAt(1, kBodyBottom);
    p.fillRect(img.rect(), body);
    Caption(p, DeckPlace(D::kCaption), false);

    RaisedPanel(p, QRectF(4, 23, 496, 188));
    RaisedPanel(p, QRectF(502, 23, 94, 188));
    RaisedPanel(p, QRectF(4, 213, 592, 24));

    Lcd(p, DeckPlace(D::kStatusWindow));
    Recess(p, DeckPlace(D::kDeckMenu));
    JogWheel(p, DeckPlace(D::kJogWheel));

    // Maker's badge beside the deck menu.
    const QRect menu = DeckPlace(D::kDeckMenu);
    DrawText(p, "ZEM", menu.right() + 10, menu.y() + 4, 2, kAccent);
    DrawText(p, "JOG WHEEL", menu.right() + 10 + TextWidth("ZEM", 2) + 6, menu.y() + 11, 1, kLabel);

    auto under = [&](int32_t first, int32_t last, const QString& text) {
        const QRect a = DeckPlace(first), b = DeckPlace(last);
        DrawTextCentred(p, text, QRect(a.left(), a.bottom() + 4, b.right() - a.left() + 1, 7), 1,
                        kLabel);
    };
    under(D::kToStart, D::kToStart, "START");
    under(D::kPlay, D::kPlay, "PLAY/PAUSE");
    under(D::kStop, D::kStop, "STOP");
    under(D::kNudgeBack, D::kNudgeForward, "NUDGE");
    under(D::kLoad, D::kLoad, "EJECT");
    const QRect cue0 = DeckPlace(D::kCue0), loop = DeckPlace(D::kClearLoop);
    DrawText(p, "HOT CUES", cue0.x(), cue0.y() - 10, 1, kLabel);
    p.fillRect(QRect(cue0.x() + TextWidth("HOT CUES", 1) + 5, cue0.y() - 7,
                     DeckPlace(D::kCue0 + 9).right() - cue0.x() - TextWidth("HOT CUES", 1) - 4, 1),
               QColor(0x3a, 0x3f, 0x48));
    DrawTextCentred(p, "LOOP", QRect(loop.x(), loop.y() - 10, loop.width(), 7), 1, kLabel);

    const QRect vol = DeckPlace(D::kVolumeSlider), pitch = DeckPlace(D::kPitchSlider);
    DrawTextCentred(p, "VOL", QRect(vol.x() - 4, 27, vol.width() + 8, 7), 1, kLabel);
    DrawTextCentred(p, "PITCH", QRect(pitch.x() - 4, 27, pitch.width() + 8, 7), 1, kLabel);
    VerticalScale(p, vol, kVThumbH, 11, false, 0);
    VerticalScale(p, pitch, kVThumbH, 11, true, 0);
    // Pitch zero beside its centre tick, and the fine-pitch pair's label.
    const QRect fineUp = DeckPlace(D::kFinePitchUp), fineDown = DeckPlace(D::kFinePitchDown);
    const int zeroY = pitch.y() + pitch.height() / 2;
    p.fillRect(QRect(pitch.right() + 1, zeroY, 5, 1), kAccent);
    DrawText(p, "0", fineUp.x() + 9, zeroY - 3, 1, kAccent);
    // The fine-pitch buttons have no images of their own: wells with their arrows.
    for (const QRect& fine : {fineUp, fineDown}) {
        Recess(p, fine);
        const QPointF c = QRectF(fine).center();
        const qreal d = fine == fineUp ? -1 : 1;
        Polygon(p, {c + QPointF(-4, -2 * d), c + QPointF(4, -2 * d), c + QPointF(0, 3 * d)},
                kLabel);
    }
    DrawTextCentred(p, "FINE", QRect(fineUp.x(), fineUp.bottom() + 4, fineUp.width(), 7), 1,
                    kLabel);
    DrawTextCentred(p, "FINE", QRect(fineDown.x(), fineDown.y() - 11, fineDown.width(), 7), 1,
                    kLabel);

    HorizontalScale(p, DeckPlace(D::kPositionSlider), kPosThumbW, 21, false, 6);
    return img;
}

void DeckParts(const QImage& bg, Sheet& sheet, QStringList& cfg) {
    auto element = [&](const char* name, const QString& params) {
        cfg << QString::fromLatin1(name) + '|' + params;
    };

    // Title bar: inactive, active; the light is drawn over the same bar, so off/on sit on it.
    const QRect caption = DeckPlace(D::kCaption);
    std::vector<QRect> bars;
    for (bool active : {false, true}) {
        const QRect r = sheet.Alloc(caption.size());
        QPainter p(&sheet.image());
        p.setRenderHint(QPainter::Antialiasing);
        Caption(p, r, active);
        bars.push_back(r);
    }
    element("D_MIXERDEVICE_CAPTION", Rects(bars));
    const QRect led = DeckPlace(D::kActivityLight);
    std::vector<QRect> leds;
    for (bool on : {false, true}) {
        const QRect r = sheet.Alloc(led.size());
        const QImage under = sheet.image().copy(led.translated(bars[0].topLeft()));
        QPainter p(&sheet.image());
        p.drawImage(r.topLeft(), under);
        p.setRenderHint(QPainter::Antialiasing);
        Led(p, r, on);
        leds.push_back(r);
    }
    element("D_ACTIVATED_LED", Rects(leds));

    const std::initializer_list<Look> twoLooks = {Look::Normal, Look::Pressed};
    const QColor symbol(0xd6, 0xdb, 0xe4);

    // Play: green triangle with an unlit "playing" strip; pause is shown while it plays.
    auto play = [&](QPainter& p, const QRectF& b, Look look) {
        const QPointF c = b.center() - QPointF(0, 2);
        if (look == Look::Pressed) {
            Glow(p, c, 16, kGreen);
        }
        Polygon(p, {c + QPointF(-6, -8), c + QPointF(-6, 8), c + QPointF(8, 0)},
                look == Look::Pressed ? kGreen.lighter(130) : kGreen);
        StatusStrip(p, b, kGreen, false);
    };
    element("D_PLAY", Rects(Button(sheet, bg, DeckPlace(D::kPlay), twoLooks, play)));
    auto pause = [&](QPainter& p, const QRectF& b, Look look) {
        const QPointF c = b.center() - QPointF(0, 2);
        if (look == Look::Pressed) {
            Glow(p, c, 16, kAmber);
        }
        const QColor bars = look == Look::Pressed ? kAmber.lighter(125) : kAmber;
        p.fillRect(QRectF(c.x() - 6, c.y() - 7, 4, 14), bars);
        p.fillRect(QRectF(c.x() + 2, c.y() - 7, 4, 14), bars);
        StatusStrip(p, b, kGreen, true);
    };
    element("D_PAUSE", Rects(Button(sheet, bg, DeckPlace(D::kPlay), twoLooks, pause)));
    auto stop = [&](QPainter& p, const QRectF& b, Look look) {
        const QPointF c = b.center() - QPointF(0, 2);
        if (look == Look::Pressed) {
            Glow(p, c, 14, kRed);
        }
        p.fillRect(QRectF(c.x() - 6, c.y() - 6, 12, 12),
                   look == Look::Pressed ? kRed.lighter(125) : kRed);
        StatusStrip(p, b, kRed, false);
    };
    element("D_STOP", Rects(Button(sheet, bg, DeckPlace(D::kStop), twoLooks, stop)));
    auto lit = [](Look look, const QColor& c) { return look == Look::Pressed ? kAccent : c; };
    auto toStart = [&](QPainter& p, const QRectF& b, Look look) {
        const QPointF c = b.center() - QPointF(0, 2);
        const QColor col = lit(look, symbol);
        p.fillRect(QRectF(c.x() - 8, c.y() - 7, 3, 14), col);
        Polygon(p, {c + QPointF(8, -7), c + QPointF(8, 7), c + QPointF(-4, 0)}, col);
    };
    element("D_BACK", Rects(Button(sheet, bg, DeckPlace(D::kToStart), twoLooks, toStart)));
    auto nudge = [&](int dir) {
        return [&, dir](QPainter& p, const QRectF& b, Look look) {
            const QPointF c = b.center() - QPointF(0, 2);
            const QColor col = lit(look, symbol);
            for (int i = 0; i < 2; ++i) {
                const qreal x = c.x() + dir * (i * 7 - 3.5);
                Polygon(p,
                        {QPointF(x - dir * 4, c.y() - 5), QPointF(x - dir * 4, c.y() + 5),
                         QPointF(x + dir * 4, c.y())},
                        col);
            }
        };
    };
    element("D_NUDGE_LEFT",
            Rects(Button(sheet, bg, DeckPlace(D::kNudgeBack), twoLooks, nudge(-1))));
    element("D_NUDGE_RIGHT",
            Rects(Button(sheet, bg, DeckPlace(D::kNudgeForward), twoLooks, nudge(1))));
    auto eject = [&](QPainter& p, const QRectF& b, Look look) {
        const QColor col = lit(look, symbol);
        const QPointF c(b.left() + 17, b.center().y() - 1);
        Polygon(p, {c + QPointF(-7, 2), c + QPointF(7, 2), c + QPointF(0, -6)}, col);
        p.fillRect(QRectF(c.x() - 7, c.y() + 4, 14, 3), col);
        DrawText(p, "LOAD", int(b.left()) + 29, int(c.y()) - 3, 1, col);
    };
    element("D_EJECT", Rects(Button(sheet, bg, DeckPlace(D::kLoad), twoLooks, eject)));

    // Cues: amber lamps behind the digit when pressed.
    for (int i = 0; i < 10; ++i) {
        auto cue = [i](QPainter& p, const QRectF& b, Look look) {
            if (look == Look::Pressed) {
                Glow(p, b.center(), 14, kAmber);
            }
            DrawTextCentred(p, QString::number(i), b.toRect().adjusted(0, 0, 0, -3), 2,
                            look == Look::Pressed ? kAmber.lighter(120) : kText);
            p.fillRect(QRectF(b.left() + 9, b.bottom() - 4, b.width() - 18, 1),
                       look == Look::Pressed ? kAmber : kAmber.darker(300));
        };
        const QString name = QStringLiteral("D_PRESET_%1").arg(i);
        cfg << name + '|' + Rects(Button(sheet, bg, DeckPlace(D::kCue0 + i), twoLooks, cue));
    }
    element("D_PRESET_N", Rects(Button(sheet, bg, DeckPlace(D::kClearLoop), twoLooks,
                                       Label("CLR", 1, kText, kAmber))));

    element("D_BPM", Rects(Button(sheet, bg, DeckPlace(D::kSettings), twoLooks,
                                  Label("BPM", 1, kText, kAccent))));
    element("D_EQ", Rects(Button(sheet, bg, DeckPlace(D::kEqualizer), twoLooks,
                                 Label("EQ", 1, kText, kAccent))));
    element("D_INFO", Rects(Button(sheet, bg, DeckPlace(D::kNotes), twoLooks,
                                   Label("NOTES", 1, kText, kAccent))));

    auto bend = [&](QPainter& p, const QRectF& b, Look look) {
        const bool on = look == Look::Checked;
        DrawTextCentred(p, "BEND", b.toRect().adjusted(0, 0, 0, -2), 1,
                        on ? kAccent : (look == Look::Pressed ? kText : symbol));
        p.fillRect(QRectF(b.left() + 6, b.bottom() - 4, b.width() - 12, 2),
                   on ? kAccent : kAccent.darker(400));
    };
    element("D_BEND", Rects(Button(sheet, bg, DeckPlace(D::kBendSwitch),
                                   {Look::Normal, Look::Pressed, Look::Checked}, bend)));
    element("D_PITCH_DOWN", Rects(Button(sheet, bg, DeckPlace(D::kBendDown), twoLooks,
                                         Label("-", 2, symbol, kAccent))));
    element("D_PITCH_UP", Rects(Button(sheet, bg, DeckPlace(D::kBendUp), twoLooks,
                                       Label("+", 2, symbol, kAccent))));

    // Thumbs: pitch (also the volume's) and song position.
    element("D_PITCH_SLIDER", Rects(Thumb(sheet, bg, DeckPlace(D::kPitchSlider),
                                          QSize(kVThumbW, kVThumbH), kAccent, Qt::Vertical)));
    const QRect pos = DeckPlace(D::kPositionSlider);
    element("D_POSITION_SLIDER",
            Rects(Thumb(sheet, bg, pos, QSize(kPosThumbW, pos.height()), kAccent, Qt::Horizontal)));
}

// ---- Mixer board ----------------------------------------------------------------------------

QImage MixerBackground() {
    QImage img(jog_wheel::kMixerWidth, jog_wheel::kMixerHeight, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, img.height());
    body.setColorAt(0, kBodyTop);
    body.setColorAt(1, kBodyBottom);
    p.fillRect(img.rect(), body);

    // Top strip with the board's name and the centre text well.
    QLinearGradient top(0, 0, 0, 30);
    top.setColorAt(0, QColor(0x2c, 0x30, 0x38));
    top.setColorAt(1, QColor(0x1a, 0x1d, 0x22));
    p.fillRect(QRect(0, 0, img.width(), 30), top);
    p.fillRect(QRect(0, 29, img.width(), 1), QColor(0x0a, 0x0b, 0x0d));
    p.fillRect(QRect(0, 28, 140, 1), kAccent.darker(160));
    DrawText(p, "MIXER", 12, 8, 2, kAccent);
    Recess(p, MixerPlace(M::kCentreText));

    for (int i = 0; i < 3; ++i) {
        const QRect sel = MixerPlace(M::kStrip1Channel + i);
        const QRect fader = MixerPlace(M::kStrip1 + i);
        RaisedPanel(p, QRectF(sel.x() - 6, 34, sel.width() + 12, 196));
        Recess(p, sel);
        VerticalScale(p, fader, kFaderCapH, 11, false, 8);
        DrawTextCentred(p, QString::number(i + 1),
                        QRect(fader.x(), fader.bottom() + 5, fader.width(), 14), 2, kText);
    }
    const QRect phones = MixerPlace(M::kHeadphones);
    RaisedPanel(p, QRectF(phones.x() - 8, 34, phones.width() + 16, 196));
    DrawTextCentred(p, "HEADPHONES", QRect(phones.x(), 36, phones.width(), 7), 1, kLabel);
    Recess(p, phones);
    DrawTextCentred(p, "ZEM", QRect(phones.x(), phones.bottom() + 14, phones.width(), 21), 3,
                    QColor(0x3a, 0x40, 0x4a));
    DrawTextCentred(p, "JOG WHEEL", QRect(phones.x(), phones.bottom() + 40, phones.width(), 7), 1,
                    QColor(0x4a, 0x50, 0x5a));

    const QRect master = MixerPlace(M::kMaster);
    const int masterLeft = phones.right() + 15;
    RaisedPanel(p, QRectF(masterLeft, 34, img.width() - 8 - masterLeft, 196));
    DrawTextCentred(p, "MASTER", QRect(master.x() - 20, 44, master.width() + 40, 7), 1, kLabel);
    p.fillRect(QRect(master.x() + 4, 54, master.width() - 8, 1), kRed.darker(130));
    VerticalScale(p, master, kFaderCapH, 11, false, 8);
    // Numbers beside the master's major ticks, loudest at the top.
    const qreal travel = master.height() - kFaderCapH;
    for (int i = 0; i <= 10; i += 2) {
        const int y = int(std::round(master.y() + kFaderCapH / 2.0 + travel * i / 10.0));
        const QString n = QString::number(10 - i);
        DrawText(p, n, master.x() - 12 - TextWidth(n, 1), y - 3, 1, kLabel);
    }

    const QRect xf = MixerPlace(M::kCrossfader);
    RaisedPanel(p, QRectF(8, 234, img.width() - 16, 62));
    for (const auto& [control, text] : {std::pair{M::kFaderA, "SIDE A"}, {M::kFaderB, "SIDE B"}}) {
        const QRect side = MixerPlace(control);
        Recess(p, side);
        DrawTextCentred(p, text, QRect(side.x(), side.y() - 8, side.width(), 7), 1, kLabel);
    }
    HorizontalScale(p, xf, kXfadeCapW, 11, true, 4);
    DrawTextCentred(p, "A", QRect(xf.x() - 18, xf.y(), 14, xf.height()), 2, kText);
    DrawTextCentred(p, "B", QRect(xf.right() + 5, xf.y(), 14, xf.height()), 2, kText);
    return img;
}

void MixerParts(const QImage& bg, Sheet& sheet, QStringList& cfg) {
    auto element = [&](const char* name, const QString& params) {
        cfg << QString::fromLatin1(name) + '|' + params;
    };
    const QRect xf = MixerPlace(M::kCrossfader);
    element("M_FADER_SLIDER",
            Rects(Thumb(sheet, bg, xf, QSize(kXfadeCapW, xf.height()), kText, Qt::Horizontal)));
    const char* strips[] = {"M_VOLUME1_SLIDER", "M_VOLUME2_SLIDER", "M_VOLUME3_SLIDER"};
    for (int i = 0; i < 3; ++i) {
        const QRect f = MixerPlace(M::kStrip1 + i);
        element(strips[i],
                Rects(Thumb(sheet, bg, f, QSize(f.width(), kFaderCapH), kText, Qt::Vertical)));
    }
    const QRect master = MixerPlace(M::kMaster);
    element("M_VOLUME_MAIN_SLIDER",
            Rects(Thumb(sheet, bg, master, QSize(master.width(), kFaderCapH), kRed, Qt::Vertical)));
    auto type = [&](QPainter& p, const QRectF& b, Look look) {
        const bool on = look == Look::Checked;
        DrawTextCentred(p, "CURVE", b.toRect().adjusted(8, 0, 0, -1), 1, on ? kAccent : kText);
        const QPointF dot(b.left() + 8, b.center().y());
        p.setPen(Qt::NoPen);
        p.setBrush(on ? kAccent : kAccent.darker(400));
        p.drawEllipse(dot, 2.5, 2.5);
        p.setBrush(Qt::NoBrush);
    };
    element("M_FADER_TYPE", Rects(Button(sheet, bg, MixerPlace(M::kFaderType),
                                         {Look::Normal, Look::Pressed, Look::Checked}, type)));
}

bool Save(const QImage& img, const QString& path) {
    if (!img.save(path, "BMP")) {
        std::fprintf(stderr, "zem-skingen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zem-skingen OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(".")) {
        std::fprintf(stderr, "zem-skingen: cannot make %s\n", argv[1]);
        return 1;
    }

    QStringList cfg;
    cfg << "# Jog Wheel: the default skin. Written by zem-skingen (scripts/make-skin); edit the"
        << "# generator, not this file. Where the controls sit comes from Skinkit.so."
        << "";

    const QImage deck = DeckBackground();
    cfg << "\"deck.bmp\""
        << "D_MIXERDEVICE|"
        << "";
    Sheet deckSheet(jog_wheel::kDeckWidth);
    QStringList deckParts;
    DeckParts(deck, deckSheet, deckParts);
    cfg << "\"deck_parts.bmp\"" << deckParts << "";

    const QImage lcdFont =
        FontBitmap(kLcdCellW, kLcdCellH, kLcdDot, QPoint(1, 2), [](QPainter& p, int x, int y) {
            p.fillRect(x, y, kLcdDot, kLcdDot, kLcdLit);
            p.fillRect(x, y, 1, 1, kLcdLitHi);
        });
    const QString layout = FontLayout();
    cfg << "\"lcd_font.bmp\""
        << QStringLiteral("D_LCD_FONT|%1,%2|255,0,255|%3").arg(kLcdCellW).arg(kLcdCellH).arg(layout)
        << QStringLiteral("D_STATUS_WINDOW|%1,%2|%3,%4,%5,%6|%7,%8")
               .arg(kLcdCellW)
               .arg(kLcdCellH)
               .arg(kLcdOriginX)
               .arg(kLcdOriginY)
               .arg(kLcdColumns * kLcdCellW)
               .arg(kLcdLines * kLcdCellH)
               .arg(kLcdColumns)
               .arg(kLcdLines)
        << "";

    const QImage captionFont =
        FontBitmap(kCaptionCellW, kCaptionCellH, 1, QPoint(0, 1),
                   [](QPainter& p, int x, int y) { p.fillRect(x, y, 1, 1, kText); });
    const QRect captionText = DeckPlace(D::kCaptionText);
    cfg << "\"caption_font.bmp\""
        << QStringLiteral("D_CAPTION_FONT|%1,%2|255,0,255|%3")
               .arg(kCaptionCellW)
               .arg(kCaptionCellH)
               .arg(layout)
        << QStringLiteral("D_CAPTION_TEXT|%1,%2|0,%3,%4,%5|%6,1")
               .arg(kCaptionCellW)
               .arg(kCaptionCellH)
               .arg((captionText.height() - kCaptionCellH + 1) / 2)
               .arg(captionText.width())
               .arg(kCaptionCellH)
               .arg(captionText.width() / kCaptionCellW)
        << "";

    const QImage mixer = MixerBackground();
    cfg << "\"mixer.bmp\""
        << "M_MAIN|"
        << "";
    Sheet mixerSheet(200);
    QStringList mixerParts;
    MixerParts(mixer, mixerSheet, mixerParts);
    cfg << "\"mixer_parts.bmp\"" << mixerParts;

    bool ok = Save(deck, out.filePath("deck.bmp"));
    ok = Save(deckSheet.Finished(), out.filePath("deck_parts.bmp")) && ok;
    ok = Save(lcdFont, out.filePath("lcd_font.bmp")) && ok;
    ok = Save(captionFont, out.filePath("caption_font.bmp")) && ok;
    ok = Save(mixer, out.filePath("mixer.bmp")) && ok;
    ok = Save(mixerSheet.Finished(), out.filePath("mixer_parts.bmp")) && ok;

    QFile file(out.filePath("skin.cfg"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "zem-skingen: cannot write skin.cfg\n");
        return 1;
    }
    QTextStream(&file) << cfg.join('\n') << '\n';
    return ok ? 0 : 1;
}
