// The "Jog Wheel" skin as the program finds it in run/skins: the module's layout, and the
// skin.cfg and bitmaps copied beside it.
#include "contracts/skin_module.h"
#include "platform/library.h"
#include "plugins/skinkit/jog_wheel_layout.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace D = SkinDeckControl;
namespace M = SkinMixerControl;

const std::string kSkinDir = ZEM_TEST_SKIN_DIR;

struct Element {
    int kind;
    int32_t window;
    int32_t place; // the control whose place the element's images fill
};

// Every element name skin.cfg must use. Button images are checked against the place they are
// drawn on (pause on play, the activity light on its own place).
const std::map<std::string, Element> kElements = {
    {"D_MIXERDEVICE", {1, kSkinWindowDeck, 0}},
    {"D_MIXERDEVICE_CAPTION", {2, kSkinWindowDeck, D::kCaption}},
    {"D_CAPTION_TEXT", {6, kSkinWindowDeck, D::kCaptionText}},
    {"D_PLAY", {2, kSkinWindowDeck, D::kPlay}},
    {"D_PAUSE", {2, kSkinWindowDeck, D::kPlay}},
    {"D_STOP", {2, kSkinWindowDeck, D::kStop}},
    {"D_BACK", {2, kSkinWindowDeck, D::kToStart}},
    {"D_BPM", {2, kSkinWindowDeck, D::kSettings}},
    {"D_EQ", {2, kSkinWindowDeck, D::kEqualizer}},
    {"D_EJECT", {2, kSkinWindowDeck, D::kLoad}},
    {"D_NUDGE_RIGHT", {2, kSkinWindowDeck, D::kNudgeForward}},
    {"D_NUDGE_LEFT", {2, kSkinWindowDeck, D::kNudgeBack}},
    {"D_BEND", {3, kSkinWindowDeck, D::kBendSwitch}},
    {"D_PITCH_UP", {2, kSkinWindowDeck, D::kBendUp}},
    {"D_PITCH_DOWN", {2, kSkinWindowDeck, D::kBendDown}},
    {"D_INFO", {2, kSkinWindowDeck, D::kNotes}},
    {"D_PRESET_0", {2, kSkinWindowDeck, D::kCue0 + 0}},
    {"D_PRESET_1", {2, kSkinWindowDeck, D::kCue0 + 1}},
    {"D_PRESET_2", {2, kSkinWindowDeck, D::kCue0 + 2}},
    {"D_PRESET_3", {2, kSkinWindowDeck, D::kCue0 + 3}},
    {"D_PRESET_4", {2, kSkinWindowDeck, D::kCue0 + 4}},
    {"D_PRESET_5", {2, kSkinWindowDeck, D::kCue0 + 5}},
    {"D_PRESET_6", {2, kSkinWindowDeck, D::kCue0 + 6}},
    {"D_PRESET_7", {2, kSkinWindowDeck, D::kCue0 + 7}},
    {"D_PRESET_8", {2, kSkinWindowDeck, D::kCue0 + 8}},
    {"D_PRESET_9", {2, kSkinWindowDeck, D::kCue0 + 9}},
    {"D_PRESET_N", {2, kSkinWindowDeck, D::kClearLoop}},
    {"D_PITCH_SLIDER", {4, kSkinWindowDeck, D::kPitchSlider}},
    {"D_POSITION_SLIDER", {4, kSkinWindowDeck, D::kPositionSlider}},
    {"D_STATUS_WINDOW", {6, kSkinWindowDeck, D::kStatusWindow}},
    {"D_LCD_FONT", {5, kSkinWindowDeck, 0}},
    {"D_CAPTION_FONT", {5, kSkinWindowDeck, 0}},
    {"D_ACTIVATED_LED", {2, kSkinWindowDeck, D::kActivityLight}},
    {"M_MAIN", {1, kSkinWindowMixer, 0}},
    {"M_FADER_SLIDER", {4, kSkinWindowMixer, M::kCrossfader}},
    {"M_FADER_TYPE", {3, kSkinWindowMixer, M::kFaderType}},
    {"M_VOLUME1_SLIDER", {4, kSkinWindowMixer, M::kStrip1 + 0}},
    {"M_VOLUME2_SLIDER", {4, kSkinWindowMixer, M::kStrip1 + 1}},
    {"M_VOLUME3_SLIDER", {4, kSkinWindowMixer, M::kStrip1 + 2}},
    {"M_VOLUME_MAIN_SLIDER", {4, kSkinWindowMixer, M::kMaster}},
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::stringstream in(s);
    for (std::string part; std::getline(in, part, sep);) {
        out.push_back(part);
    }
    return out;
}

std::vector<int> Numbers(const std::string& s) {
    std::vector<int> out;
    for (const std::string& part : Split(s, ',')) {
        out.push_back(std::stoi(part));
    }
    return out;
}

Rect ParseRect(const std::string& s) {
    const std::vector<int> v = Numbers(s);
    EXPECT_EQ(v.size(), 4u) << s;
    return v.size() == 4 ? Rect{v[0], v[1], v[2], v[3]} : Rect{};
}

// Glyph rows and the widest row's columns of a font layout string, read as the program reads it.
void LayoutGrid(const std::string& layout, int& rows, int& columns) {
    rows = 1;
    columns = 0;
    int col = 0;
    for (size_t i = 0; i < layout.size() && layout[i] != ' '; ++i) {
        const bool twin = i + 1 < layout.size() && layout[i + 1] == layout[i];
        if (layout[i] == '|' && !twin) {
            ++rows;
            col = 0;
            continue;
        }
        if ((layout[i] == '|' || layout[i] == '`') && twin) {
            ++i;
        }
        columns = std::max(columns, ++col);
    }
}

bool Inside(const Rect& r, int width, int height) {
    return r.x >= 0 && r.y >= 0 && r.w > 0 && r.h > 0 && r.x + r.w <= width && r.y + r.h <= height;
}

bool Overlap(const SkinControlPlace& a, const SkinControlPlace& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

bool Contains(const SkinControlPlace& outer, const SkinControlPlace& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

class SkinkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        library_ = zem::LoadLibraryPath((kSkinDir + "/Skinkit.so").c_str());
        ASSERT_NE(library_, nullptr) << zem::LastLibraryError();
        auto get = reinterpret_cast<DllGetSkinModuleInfoFunc>(
            zem::GetLibrarySymbol(library_, "DllGetSkinModuleInfo"));
        ASSERT_NE(get, nullptr);
        EXPECT_EQ(get(nullptr), 0);
        ASSERT_EQ(get(&info_), 1);
        ASSERT_NE(info_.places, nullptr);
        places_.assign(info_.places, info_.places + info_.placeCount);
    }
    void TearDown() override { zem::FreeLibraryHandle(library_); }

    const SkinControlPlace* Find(int32_t window, int32_t control) const {
        for (const SkinControlPlace& p : places_) {
            if (p.window == window && p.control == control) {
                return &p;
            }
        }
        return nullptr;
    }

    zem::LibraryHandle library_ = nullptr;
    SkinModuleInfo info_{};
    std::vector<SkinControlPlace> places_;
};

constexpr int kDeckW = jog_wheel::kDeckWidth, kDeckH = jog_wheel::kDeckHeight;
constexpr int kMixerW = jog_wheel::kMixerWidth, kMixerH = jog_wheel::kMixerHeight;

bool IsCaption(const SkinControlPlace& p) {
    return p.window == kSkinWindowDeck && p.control == D::kCaption;
}

TEST_F(SkinkitTest, LayoutFitsItsWindowsWithoutOverlaps) {
    EXPECT_EQ(info_.version, kSkinModuleVersion);
    EXPECT_STREQ(info_.description, "Jog Wheel skin layout");
    const SkinControlPlace* caption = Find(kSkinWindowDeck, D::kCaption);
    ASSERT_NE(caption, nullptr);
    for (size_t i = 0; i < places_.size(); ++i) {
        const SkinControlPlace& a = places_[i];
        const bool deck = a.window == kSkinWindowDeck;
        ASSERT_TRUE(deck || a.window == kSkinWindowMixer) << a.control;
        EXPECT_TRUE(
            Inside({a.x, a.y, a.width, a.height}, deck ? kDeckW : kMixerW, deck ? kDeckH : kMixerH))
            << "control " << a.control;
        for (size_t j = i + 1; j < places_.size(); ++j) {
            const SkinControlPlace& b = places_[j];
            if (a.window != b.window || !Overlap(a, b)) {
                continue;
            }
            // Only the title bar's own items may lie on the title bar.
            const bool onCaption =
                (IsCaption(a) && Contains(a, b)) || (IsCaption(b) && Contains(b, a));
            EXPECT_TRUE(onCaption) << "controls " << a.control << " and " << b.control;
            EXPECT_NE(a.control, b.control);
        }
    }
    EXPECT_EQ(caption->width, kDeckW);
}

TEST_F(SkinkitTest, PlacesEveryControlTheProgramNeeds) {
    std::vector<int32_t> deck = {D::kPlay,        D::kStop,         D::kToStart, D::kPositionSlider,
                                 D::kPitchSlider, D::kStatusWindow, D::kCaption, D::kClose};
    for (int i = 0; i < 10; ++i) {
        deck.push_back(D::kCue0 + i);
    }
    for (int32_t c : deck) {
        EXPECT_NE(Find(kSkinWindowDeck, c), nullptr) << "deck control " << c;
    }
    for (int32_t c :
         {M::kCrossfader, M::kStrip1, M::kStrip1 + 1, M::kStrip1 + 2, M::kMaster, M::kFaderType}) {
        EXPECT_NE(Find(kSkinWindowMixer, c), nullptr) << "mixer control " << c;
    }
}

TEST_F(SkinkitTest, SkinCfgNamesEveryElementAndItsBitmapsFit) {
    std::ifstream in(kSkinDir + "/skin.cfg");
    ASSERT_TRUE(in.good());
    std::set<std::string> seen;
    QImage bitmap;
    std::string bitmapName;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line[0] == '"') {
            bitmapName = line.substr(1, line.find('"', 1) - 1);
            ASSERT_TRUE(bitmap.load(QString::fromStdString(kSkinDir + "/" + bitmapName)))
                << bitmapName;
            continue;
        }
        const std::vector<std::string> fields = Split(line, '|');
        ASSERT_FALSE(fields.empty()) << line;
        const auto known = kElements.find(fields[0]);
        ASSERT_NE(known, kElements.end()) << line;
        seen.insert(fields[0]);
        ASSERT_FALSE(bitmap.isNull()) << "no bitmap before " << line;
        const Element& e = known->second;
        const bool deck = e.window == kSkinWindowDeck;
        if (e.kind == 1) {
            EXPECT_EQ(bitmap.width(), deck ? kDeckW : kMixerW) << bitmapName;
            EXPECT_EQ(bitmap.height(), deck ? kDeckH : kMixerH) << bitmapName;
        } else if (e.kind >= 2 && e.kind <= 4) {
            const SkinControlPlace* place = Find(e.window, e.place);
            ASSERT_NE(place, nullptr) << line;
            ASSERT_EQ(fields.size(), e.kind == 3 ? 4u : 3u) << line;
            for (size_t i = 1; i < fields.size(); ++i) {
                const Rect r = ParseRect(fields[i]);
                EXPECT_TRUE(Inside(r, bitmap.width(), bitmap.height())) << line;
                if (e.kind == 4) {
                    // A thumb fits across its slider and leaves it room to travel.
                    const bool vertical = place->height > place->width;
                    EXPECT_LE(vertical ? r.w : r.h, vertical ? place->width : place->height)
                        << line;
                    EXPECT_LT(vertical ? r.h : r.w, vertical ? place->height : place->width)
                        << line;
                } else {
                    EXPECT_EQ(r.w, place->width) << line;
                    EXPECT_EQ(r.h, place->height) << line;
                }
            }
        } else if (e.kind == 5) {
            // Every glyph row and column of the layout lies inside the font bitmap.
            ASSERT_GE(fields.size(), 4u) << line;
            const std::vector<int> cell = Numbers(fields[1]);
            ASSERT_EQ(cell.size(), 2u) << line;
            size_t at = 0;
            for (int bar = 0; bar < 3; ++bar) {
                at = line.find('|', at) + 1;
            }
            int rows = 0, columns = 0;
            LayoutGrid(line.substr(at), rows, columns);
            EXPECT_GE(columns, 10) << line;
            EXPECT_LE(columns * cell[0], bitmap.width()) << line;
            EXPECT_LE(rows * cell[1], bitmap.height()) << line;
        } else if (fields[0] == "D_STATUS_WINDOW") {
            ASSERT_EQ(fields.size(), 4u) << line;
            const std::vector<int> limits = Numbers(fields[3]);
            ASSERT_EQ(limits.size(), 2u) << line;
            EXPECT_GE(limits[0], 20) << line;
            EXPECT_GE(limits[1], 2) << line;
        }
    }
    for (const auto& [name, element] : kElements) {
        EXPECT_TRUE(seen.count(name)) << name << " missing from skin.cfg";
    }
}

} // namespace
