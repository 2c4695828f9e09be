#include "app/skins/skin_elements.h"

#include <cctype>
#include <cstring>

namespace zem::skins {

const std::array<ElementName, 41>& ElementNames() {
    using K = SkinKind;
    constexpr SkinWindow D = SkinWindow::Deck;
    constexpr SkinWindow M = SkinWindow::Mixer;
    static const std::array<ElementName, 41> names{{
        {"D_MIXERDEVICE", K::Background, D, 120},
        {"D_MIXERDEVICE_CAPTION", K::Button, D, 1110},
        {"D_CAPTION_TEXT", K::TextWindow, D, 1086},
        {"D_PLAY", K::Button, D, 1},
        {"D_PAUSE", K::Button, D, 1084},
        {"D_STOP", K::Button, D, 9},
        {"D_BACK", K::Button, D, 10},
        {"D_BPM", K::Button, D, 1008},
        {"D_EQ", K::Button, D, 1009},
        {"D_EJECT", K::Button, D, 1085},
        {"D_NUDGE_RIGHT", K::Button, D, 1035},
        {"D_NUDGE_LEFT", K::Button, D, 1034},
        {"D_BEND", K::Toggle, D, 1048},
        {"D_PITCH_UP", K::Button, D, 17},
        {"D_PITCH_DOWN", K::Button, D, 16},
        {"D_INFO", K::Button, D, 1021},
        {"D_PRESET_0", K::Button, D, 201},
        {"D_PRESET_1", K::Button, D, 202},
        {"D_PRESET_2", K::Button, D, 203},
        {"D_PRESET_3", K::Button, D, 204},
        {"D_PRESET_4", K::Button, D, 205},
        {"D_PRESET_5", K::Button, D, 206},
        {"D_PRESET_6", K::Button, D, 207},
        {"D_PRESET_7", K::Button, D, 208},
        {"D_PRESET_8", K::Button, D, 209},
        {"D_PRESET_9", K::Button, D, 210},
        {"D_PRESET_N", K::Button, D, 200},
        {"D_PITCH_SLIDER", K::Slider, D, 102},
        {"D_POSITION_SLIDER", K::Slider, D, 101},
        {"D_STATUS_WINDOW", K::TextWindow, D, 1015},
        {"D_LCD_FONT", K::Font, D, 1015},
        {"D_CAPTION_FONT", K::Font, D, 120},
        {"D_ACTIVATED_LED", K::Button, D, 1110},
        {"M_MAIN", K::Background, M, 2},
        {"M_FADER_SLIDER", K::Slider, M, 101},
        {"M_FADER_TYPE", K::Toggle, M, 1079},
        {"M_VOLUME1_SLIDER", K::Slider, M, 102},
        {"M_VOLUME2_SLIDER", K::Slider, M, 103},
        {"M_VOLUME3_SLIDER", K::Slider, M, 104},
        {"M_VOLUME_MAIN_SLIDER", K::Slider, M, 109},
        {"END MAP!!", K::None, D, 0},
    }};
    return names;
}

const ElementName* FindElementName(const std::string& name) {
    for (const ElementName& e : ElementNames())
        if (e.kind != SkinKind::None && name == e.name)
            return &e;
    return nullptr;
}

void SkinFont::SetLayout(const std::string& layout) {
    int row = 0;
    int column = 0;
    for (size_t i = 0; i < layout.size(); ++i) {
        const char c = layout[i];
        const bool twin = i + 1 < layout.size() && layout[i + 1] == c;
        unsigned char code = static_cast<unsigned char>(c);
        if (c == '|' && !twin) {
            ++row;
            column = 0;
            continue;
        }
        // A bar or grave accent before its twin is itself; the twin is then read on its own.
        if (c == '`' && !twin)
            code = ' ';
        // Rows and columns past 255 cannot be stored; such glyphs would lie far outside any
        // bitmap a skin ships.
        if (row <= 255 && column <= 255)
            glyphs[code] = {true, static_cast<uint8_t>(row), static_cast<uint8_t>(column)};
        ++column;
    }
}

const Glyph* SkinFont::Find(unsigned char c) const {
    if (glyphs[c].defined)
        return &glyphs[c];
    const auto upper = static_cast<unsigned char>(std::toupper(c));
    if (glyphs[upper].defined)
        return &glyphs[upper];
    return nullptr;
}

} // namespace zem::skins
