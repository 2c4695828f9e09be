#include "app/skins/skin.h"

#include "platform/ui_hooks.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <fstream>
#include <map>

namespace zem::skins {

namespace {

// The longest line read in one piece; a longer one goes on as the next line.
constexpr size_t kLineLimit = 511;
// Larger than any window a skin draws, and small enough that a hostile file cannot make us
// allocate much.
constexpr int kBitmapSideLimit = 8192;

// Reads up to kLineLimit characters or through the next line feed; false at the end.
bool ReadPiece(std::istream& in, std::string& line) {
    line.clear();
    char c = 0;
    while (line.size() < kLineLimit && in.get(c)) {
        line.push_back(c);
        if (c == '\n')
            break;
    }
    return !line.empty();
}

// The values of a "%d,%d|%d..." format: 'd' reads an integer after optional white space,
// any other character must be the next one. Reading stops at the first mismatch; values not
// read stay 0. Integers beyond int saturate.
template <size_t N> struct Scanned {
    std::array<int, N> values{};
    const char* end = nullptr; // where reading stopped
    bool complete = false;     // the whole format matched
};

template <size_t N> Scanned<N> Scan(const char* text, const char* format) {
    Scanned<N> out;
    size_t value = 0;
    const char* p = text;
    const char* f = format;
    for (; *f; ++f) {
        if (*f != 'd') {
            if (*p != *f)
                break;
            ++p;
            continue;
        }
        while (std::isspace(static_cast<unsigned char>(*p)))
            ++p;
        const char* start = p;
        bool negative = false;
        if (*p == '+' || *p == '-')
            negative = *p++ == '-';
        if (!std::isdigit(static_cast<unsigned char>(*p))) {
            p = start;
            break;
        }
        long long v = 0;
        for (; std::isdigit(static_cast<unsigned char>(*p)); ++p)
            v = std::min<long long>(v * 10 + (*p - '0'), static_cast<long long>(INT_MAX) + 1);
        v = negative ? -v : v;
        if (value < N)
            out.values[value++] = static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
    }
    out.end = p;
    out.complete = *f == '\0';
    return out;
}

SkinRect RectAt(const int* v) {
    return {v[0], v[1], v[2], v[3]};
}

} // namespace

QImage LoadSkinBitmap(const std::string& path, std::string& error) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = kOpenFailedText;
        return {};
    }
    return ReadSkinBitmap(file, error);
}

QImage ReadSkinBitmap(QIODevice& device, std::string& error) {
    QImageReader reader(&device, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid() || size.width() > kBitmapSideLimit ||
        size.height() > kBitmapSideLimit) {
        error = kReadFailedText;
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        error = kReadFailedText;
        return {};
    }
    // One format for every bitmap: drawing from it needs no conversion each time.
    return image.convertToFormat(QImage::Format_RGB32);
}

void CSkin::Clear() {
    m_deck.clear();
    m_mixer.clear();
    m_bitmaps.clear();
    m_current = nullptr;
    m_folder.clear();
}

void CSkin::Load(const std::string& folder) {
    Clear();
    m_folder = folder;
    std::ifstream in(folder + "/" + kSkinConfigName, std::ios::binary);
    if (!in)
        return;
    Read(in, folder, LoadSkinBitmap,
         [](const std::string& message) { zem::ShowMessageBox(message.c_str()); });
}

void CSkin::Read(std::istream& in, const std::string& folder, const BitmapLoader& loader,
                 const Reporter& report) {
    m_folder = folder;
    // A file naming the same bitmap many times shares one copy of its pixels.
    std::map<std::string, QImage> loaded;
    const BitmapLoader cached = [&](const std::string& path, std::string& error) {
        auto it = loaded.find(path);
        if (it == loaded.end())
            it = loaded.emplace(path, loader(path, error)).first;
        else if (it->second.isNull())
            error = kReadFailedText;
        return it->second;
    };
    std::string line;
    while (ReadPiece(in, line))
        ReadLine(line, cached, report);
}

void CSkin::ReadLine(const std::string& piece, const BitmapLoader& loader, const Reporter& report) {
    // The line as a C string: it ends at a NUL or at its line end.
    std::string line = piece.substr(0, piece.find('\0'));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    if (line.empty() || line[0] == '#')
        return;

    if (line[0] == '"') {
        const size_t close = line.find('"', 1);
        if (close == std::string::npos)
            return;
        auto bitmap = std::make_unique<SkinBitmap>();
        bitmap->path = m_folder + "/" + line.substr(1, close - 1);
        std::string error;
        bitmap->image = loader(bitmap->path, error);
        if (bitmap->image.isNull() && report) {
            char text[1024];
            std::snprintf(text, sizeof text, kBitmapFailedFormat, bitmap->path.c_str());
            report(text);
        }
        m_current = bitmap.get();
        m_bitmaps.push_back(std::move(bitmap));
        return;
    }

    const size_t bar = line.find('|');
    if (bar == std::string::npos)
        return;
    const ElementName* entry = FindElementName(line.substr(0, bar));
    if (!entry)
        return;
    auto element = std::make_unique<SkinElement>();
    element->kind = entry->kind;
    element->id = entry->id;
    element->name = entry->name;
    element->font = entry->kind == SkinKind::Font;
    if (entry->kind != SkinKind::TextWindow)
        element->bitmap = m_current;
    const char* params = line.c_str() + bar + 1;
    switch (entry->kind) {
    case SkinKind::Button:
    case SkinKind::Slider: {
        const auto v = Scan<8>(params, "d,d,d,d|d,d,d,d").values;
        element->rects[0] = RectAt(&v[0]);
        element->rects[1] = RectAt(&v[4]);
        break;
    }
    case SkinKind::Toggle: {
        const auto v = Scan<12>(params, "d,d,d,d|d,d,d,d|d,d,d,d").values;
        for (size_t i = 0; i < 3; ++i)
            element->rects[i] = RectAt(&v[i * 4]);
        break;
    }
    case SkinKind::Font: {
        auto font = std::make_unique<SkinFont>();
        const auto scanned = Scan<5>(params, "d,d|d,d,d|");
        const auto& v = scanned.values;
        font->glyphWidth = v[0];
        font->glyphHeight = v[1];
        font->transparent = (static_cast<uint32_t>(v[2]) & 0xFF) |
                            (static_cast<uint32_t>(v[3]) & 0xFF) << 8 |
                            (static_cast<uint32_t>(v[4]) & 0xFF) << 16;
        // The layout string follows the last "|", up to the first white space.
        if (scanned.complete) {
            const char* p = scanned.end;
            while (std::isspace(static_cast<unsigned char>(*p)))
                ++p;
            const char* end = p;
            while (*end && !std::isspace(static_cast<unsigned char>(*end)))
                ++end;
            font->SetLayout(std::string(p, end));
        }
        element->fontData = std::move(font);
        break;
    }
    case SkinKind::TextWindow: {
        auto text = std::make_unique<SkinTextWindow>();
        const auto v = Scan<8>(params, "d,d|d,d,d,d|d,d").values;
        text->cellWidth = v[0];
        text->cellHeight = v[1];
        text->clip = RectAt(&v[2]);
        text->perLine = v[6];
        text->lines = v[7];
        element->text = std::move(text);
        break;
    }
    case SkinKind::Background:
    case SkinKind::None:
        break;
    }
    (entry->window == SkinWindow::Deck ? m_deck : m_mixer).push_back(std::move(element));
}

const SkinElement* CSkin::FindDeckElement(int id) const {
    for (const auto& e : m_deck)
        if (e->id == id && !e->font)
            return e.get();
    return nullptr;
}

const SkinElement* CSkin::FindMixerElement(int id) const {
    for (const auto& e : m_mixer)
        if (e->id == id && !e->font)
            return e.get();
    return nullptr;
}

const SkinElement* CSkin::FindFont(int id) const {
    for (const auto* list : {&m_deck, &m_mixer})
        for (const auto& e : *list)
            if (e->id == id && e->font)
                return e.get();
    return nullptr;
}

const SkinElement* CSkin::FindDeckElementNamed(int id, const char* name) const {
    for (const auto& e : m_deck)
        if (e->id == id && e->name == name)
            return e.get();
    return nullptr;
}

} // namespace zem::skins
