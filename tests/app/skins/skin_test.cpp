// "skin.cfg" read into a skin and drawn into images: the pixels that land are the bitmap's,
// in the states, stretches, fonts and text windows the skin describes; and skin modules with
// the "Jog Wheel" fallback.
#include "app/skins/skin.h"
#include "app/skins/skin_draw.h"
#include "app/skins/skin_module.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace zem::skins;

namespace {

// Bitmaps the tests draw by name; a name not in the map fails to load.
struct Rig {
    std::map<std::string, QImage> files;
    std::vector<std::string> reports;
    CSkin skin;

    void Read(const std::string& cfg) {
        std::istringstream in(cfg);
        skin.Read(
            in, "skin",
            [this](const std::string& path, std::string& error) {
                auto it = files.find(path);
                if (it == files.end()) {
                    error = kReadFailedText;
                    return QImage();
                }
                return it->second;
            },
            [this](const std::string& message) { reports.push_back(message); });
    }
};

// 40 x 40: red above y = 20, blue below.
QImage TwoHalves() {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return image;
}

QImage Canvas(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// A glyph sheet of 3 x 2 cells of 4 x 4 pixels, each cell its own colour.
QRgb CellColour(int column, int row) {
    return qRgb(40 + column * 60, 40 + row * 100, 7);
}

QImage GlyphSheet() {
    QImage image(12, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            image.setPixel(x, y, CellColour(x / 4, y / 4));
    return image;
}

} // namespace

TEST(Skin, ButtonDrawsItsAreaAndTheOneBelowWhilePressedAndStretches) {
    Rig rig;
    rig.files["skin/b.bmp"] = TwoHalves();
    rig.Read("# a comment\n\n\"b.bmp\"\nD_PLAY|0,0,40,20|0,20,40,20\n");
    const SkinElement* play = rig.skin.FindDeckElement(1);
    ASSERT_NE(play, nullptr);

    QImage out = Canvas(40, 20);
    {
        QPainter p(&out);
        DrawElement(p, *play, false, false, QRectF(0, 0, 40, 20));
    }
    EXPECT_EQ(At(out, 0, 0), 0xFF0000u);
    EXPECT_EQ(At(out, 39, 19), 0xFF0000u);
    {
        QPainter p(&out);
        DrawElement(p, *play, true, false, QRectF(0, 0, 40, 20));
    }
    EXPECT_EQ(At(out, 0, 0), 0x0000FFu);
    EXPECT_EQ(At(out, 39, 19), 0x0000FFu);

    // Twice the size: the red half fills the whole destination.
    QImage big = Canvas(80, 40);
    {
        QPainter p(&big);
        DrawElement(p, *play, false, false, QRectF(0, 0, 80, 40));
    }
    EXPECT_EQ(At(big, 79, 39), 0xFF0000u);
    EXPECT_EQ(At(big, 0, 0), 0xFF0000u);
}

TEST(Skin, ElementsWithoutABitmapDrawBlackAndBadLinesAreSkipped) {
    Rig rig;
    rig.files["skin/b.bmp"] = TwoHalves();
    rig.Read("D_STOP|0,0,10,10|0,0,10,10\n" // before any bitmap
             "D_NOTHING|1,2,3,4\n"          // not an element
             "D_PLAY 0,0,40,20\n"           // no "|"
             "\"missing.bmp\"\n"            // fails: reported, elements after it black
             "D_EQ|0,0,10,10|0,0,10,10\n"
             "\"b.bmp\"\n"
             "D_PLAY|0,20,40,20|0,0,40,20\n" // the first of two wins
             "D_PLAY|0,0,40,20|0,0,40,20\n"
             "D_BACK|0,20\n"); // missing values are 0
    ASSERT_EQ(rig.reports.size(), 1u);
    EXPECT_EQ(rig.reports[0], "Unable to load bitmap skin/missing.bmp");
    EXPECT_EQ(rig.skin.GetBitmaps().size(), 2u);
    EXPECT_EQ(rig.skin.GetDeckElements().size(), 5u);

    QImage out = Canvas(30, 10);
    {
        QPainter p(&out);
        DrawElement(p, *rig.skin.FindDeckElement(9), false, false, QRectF(0, 0, 10, 10));
        DrawElement(p, *rig.skin.FindDeckElement(1009), false, false, QRectF(10, 0, 10, 10));
        DrawElement(p, *rig.skin.FindDeckElement(1), false, false, QRectF(20, 0, 10, 10));
    }
    EXPECT_EQ(At(out, 5, 5), 0x000000u);
    EXPECT_EQ(At(out, 15, 5), 0x000000u);
    EXPECT_EQ(At(out, 25, 5), 0x0000FFu) << "the first D_PLAY line draws the lower half";

    const SkinElement* back = rig.skin.FindDeckElement(10);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->rects[0].y, 20);
    EXPECT_EQ(back->rects[0].width, 0);
    EXPECT_EQ(back->rects[1].x, 0);
}

TEST(Skin, ToggleShowsPressedOverCheckedAndSlidersGoToTheMixerList) {
    Rig rig;
    QImage strip(30, 10, QImage::Format_RGB32);
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 10; ++y)
            strip.setPixel(x, y,
                           x < 10   ? qRgb(10, 10, 10)
                           : x < 20 ? qRgb(200, 0, 0)
                                    : qRgb(0, 200, 0));
    rig.files["skin/t.bmp"] = strip;
    rig.Read("\"t.bmp\"\nM_FADER_TYPE|0,0,10,10|10,0,10,10|20,0,10,10\nM_FADER_SLIDER|1,2,3,4|5,6,"
             "7,8\n");
    const SkinElement* toggle = rig.skin.FindMixerElement(1079);
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(rig.skin.FindDeckElement(1079), nullptr);
    const auto colour = [&](bool pressed, bool checked) {
        QImage out = Canvas(10, 10);
        QPainter p(&out);
        DrawElement(p, *toggle, pressed, checked, QRectF(0, 0, 10, 10));
        p.end();
        return At(out, 5, 5);
    };
    EXPECT_EQ(colour(false, false), 0x0A0A0Au);
    EXPECT_EQ(colour(true, false), 0xC80000u);
    EXPECT_EQ(colour(false, true), 0x00C800u);
    EXPECT_EQ(colour(true, true), 0xC80000u);
    ASSERT_NE(rig.skin.FindMixerElement(101), nullptr);
}

TEST(Skin, FontGlyphRowsSpaceFallbackAndTextWindowLimits) {
    Rig rig;
    rig.files["skin/f.bmp"] = GlyphSheet();
    // Row 0: A ` B (the grave accent is the space); row 1: D E F. The text window: cells of
    // 4 x 4 at (2, 1), 3 characters per line, 2 lines.
    rig.Read("\"f.bmp\"\nD_LCD_FONT|4,4|0,0,0|A`B|DEF trailing\nD_STATUS_WINDOW|4,4|2,1,0,0|3,2\n");
    const SkinElement* font = rig.skin.FindFont(1015);
    const SkinElement* window = rig.skin.FindDeckElement(1015);
    ASSERT_NE(font, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->kind, SkinKind::TextWindow);

    QImage out = Canvas(40, 20);
    {
        QPainter p(&out);
        // "a" falls back to "A"; "x" has no glyph; a line feed fills the line with spaces.
        DrawText(p, *font, *window->text, "aBDF\nxE\nF", QPointF(0, 0));
    }
    const auto cell = [&](int column, int line) {
        return At(out, 2 + column * 4 + 1, 1 + line * 4 + 1);
    };
    EXPECT_EQ(cell(0, 0), CellColour(0, 0) & 0xFFFFFF); // a -> A
    EXPECT_EQ(cell(1, 0), CellColour(2, 0) & 0xFFFFFF); // B after the space's column
    EXPECT_EQ(cell(2, 0), CellColour(0, 1) & 0xFFFFFF); // D, second row
    EXPECT_EQ(cell(3, 0), 0xFFFFFFu) << "F is past 3 characters per line";
    // x moves half a cell, so E lands 2 pixels on; the rest of the line is the space glyph.
    EXPECT_EQ(At(out, 2 + 2 + 1, 1 + 4 + 1), CellColour(1, 1) & 0xFFFFFF);
    EXPECT_EQ(At(out, 2 + 6 + 1, 1 + 4 + 1), CellColour(1, 0) & 0xFFFFFF);
    EXPECT_EQ(At(out, 3, 1 + 8 + 1), 0xFFFFFFu) << "a third line is past the limit";
}

TEST(Skin, TransparentColourAndClipKeepWhatIsBehind) {
    Rig rig;
    QImage sheet(4, 4, QImage::Format_RGB32);
    sheet.fill(qRgb(255, 0, 255));
    sheet.setPixel(0, 0, qRgb(0, 255, 0));
    rig.files["skin/f.bmp"] = sheet;
    rig.Read("\"f.bmp\"\nD_CAPTION_FONT|4,4|255,0,255|X\nD_CAPTION_TEXT|4,4|0,0,6,4|10,1\n");
    const SkinElement* font = rig.skin.FindFont(120);
    const SkinElement* window = rig.skin.FindDeckElement(1086);
    ASSERT_TRUE(font && window);
    QImage out = Canvas(20, 4);
    {
        QPainter p(&out);
        DrawText(p, *font, *window->text, "XXX", QPointF(0, 0));
    }
    EXPECT_EQ(At(out, 0, 0), 0x00FF00u);
    EXPECT_EQ(At(out, 1, 1), 0xFFFFFFu) << "the key colour is not drawn";
    EXPECT_EQ(At(out, 4, 0), 0x00FF00u);
    EXPECT_EQ(At(out, 8, 0), 0xFFFFFFu) << "clipped at 6 pixels";
}

TEST(SkinBitmap, ReadsBmpsOnlyAndRefusesHugeOnesBeforeReadingThem) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("zem-skin-bmp-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string error;
    QImage small = TwoHalves();
    ASSERT_TRUE(small.save(QString::fromStdString((dir / "ok.bmp").string()), "BMP"));
    EXPECT_EQ(LoadSkinBitmap((dir / "ok.bmp").string(), error).pixel(0, 30) & 0xFFFFFF, 0x0000FFu);

    ASSERT_TRUE(small.save(QString::fromStdString((dir / "png.bmp").string()), "PNG"));
    EXPECT_TRUE(LoadSkinBitmap((dir / "png.bmp").string(), error).isNull());
    EXPECT_EQ(error, kReadFailedText);
    error.clear();
    EXPECT_TRUE(LoadSkinBitmap((dir / "none.bmp").string(), error).isNull());
    EXPECT_EQ(error, kOpenFailedText);

    // A header claiming 100000 x 100000 pixels of 24 bits (30 GB) in a 54-byte file.
    unsigned char header[54] = {'B', 'M'};
    const auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            header[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put32(10, 54);
    put32(14, 40);
    put32(18, 100000);
    put32(22, 100000);
    header[26] = 1;
    header[28] = 24;
    std::ofstream(dir / "huge.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(header), sizeof header);
    error.clear();
    EXPECT_TRUE(LoadSkinBitmap((dir / "huge.bmp").string(), error).isNull());
    EXPECT_EQ(error, kReadFailedText);
    fs::remove_all(dir);
}

TEST(SkinModule, FallsBackToTheJogWheelModuleAndRefusesNonLibraries) {
    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("zem-skin-module-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "skins" / "Mine");
    SkinModuleInfo info{};
    EXPECT_FALSE(LoadSkinModuleWithFallback((root / "skins" / "Mine").string(), info));
    EXPECT_EQ(info.module, nullptr);

    fs::create_directories(root / "skins" / kDefaultSkinName);
    fs::copy_file(ZEM_TEST_SKINKIT, root / "skins" / kDefaultSkinName / kSkinModuleName);
    std::ofstream(root / "skins" / "Mine" / kSkinModuleName) << "not a library";
    ASSERT_TRUE(LoadSkinModuleWithFallback((root / "skins" / "Mine").string(), info));
    EXPECT_NE(std::string(info.path).find(kDefaultSkinName), std::string::npos);
    EXPECT_GT(info.placeCount, 0);
    EXPECT_NE(FindPlace(info, kSkinWindowDeck, SkinDeckControl::kPlay), nullptr);
    FreeSkinModule(info);
    EXPECT_EQ(info.path[0], '\0');
    fs::remove_all(root);
}
