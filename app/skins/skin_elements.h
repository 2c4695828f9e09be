// What a skin is made of: the bitmaps it loads and the elements that map parts of them onto the
// controls of the deck window and the mixer board, with the table of element names "skin.cfg"
// may use.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace zem::skins {

enum class SkinKind {
    None = 0,
    Background = 1,
    Button = 2,
    Toggle = 3,
    Slider = 4,
    Font = 5,
    TextWindow = 6,
};

enum class SkinWindow { Deck, Mixer };

struct ElementName {
    const char* name;
    SkinKind kind;
    SkinWindow window;
    int id;
};

// The names in table order, ending with "END MAP!!" (kind None), which never matches.
const std::array<ElementName, 41>& ElementNames();
// The entry of name (exact, case-sensitive); null when it is not an element name.
const ElementName* FindElementName(const std::string& name);

// One bitmap file of the skin. A file that failed to load stays in the list with a null image.
struct SkinBitmap {
    std::string path;
    QImage image;
};

// A rectangle as "skin.cfg" gives it: any values, kept as they are (no arithmetic that could
// overflow on absurd ones).
struct SkinRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Glyph {
    bool defined = false;
    uint8_t row = 0;
    uint8_t column = 0;
};

// A bitmap font: glyph cells in its bitmap and the colour drawn transparent.
struct SkinFont {
    int glyphWidth = 0;
    int glyphHeight = 0;
    uint32_t transparent = 0; // red | green << 8 | blue << 16; 0: glyphs are opaque
    std::array<Glyph, 256> glyphs{};
    // The font's bitmap with the transparent colour as alpha 0, made once when first drawn.
    mutable QImage keyed;

    // Reads the glyph layout string: a "|" starts a row and a "`" is the space, unless the next
    // character is the same, which makes it the glyph of the character itself; a later
    // character overrides an earlier one.
    void SetLayout(const std::string& layout);
    // The glyph of c, else of its upper-case letter; null when neither exists.
    const Glyph* Find(unsigned char c) const;
};

struct SkinTextWindow {
    int cellWidth = 0;
    int cellHeight = 0;
    SkinRect clip; // x, y: the text origin; width, height: the clip size (0: no clipping)
    int perLine = 0;
    int lines = 0;
};

struct SkinElement {
    SkinKind kind = SkinKind::None;
    int id = 0;
    bool font = false;
    const SkinBitmap* bitmap = nullptr; // none for text windows and before any bitmap line
    std::string name;
    // Button: normal, pressed. Toggle: normal, pressed, checked. Slider: thumb, dragged thumb.
    std::array<SkinRect, 3> rects{};
    std::unique_ptr<SkinFont> fontData;   // kind Font
    std::unique_ptr<SkinTextWindow> text; // kind TextWindow
};

} // namespace zem::skins
