// "skin.cfg" from any bytes, with every bitmap it names read from the same bytes as a .bmp:
// the skin is read and every element drawn into a small image, text windows with a text of
// every byte value. Nothing may crash, hang or allocate beyond what the input justifies.
#include "app/skins/skin.h"
#include "app/skins/skin_draw.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    zem::skins::CSkin skin;
    skin.Read(
        in, "skin",
        [&](const std::string&, std::string& error) {
            QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            return zem::skins::ReadSkinBitmap(buffer, error);
        },
        [](const std::string&) {});

    QByteArray every(256, '\0');
    for (int i = 0; i < 256; ++i)
        every[i] = static_cast<char>(i);
    QImage canvas(64, 32, QImage::Format_RGB32);
    QPainter painter(&canvas);
    for (const auto* list : {&skin.GetDeckElements(), &skin.GetMixerElements()})
        for (const auto& element : *list) {
            zem::skins::DrawElement(painter, *element, false, false, QRectF(0, 0, 64, 32));
            zem::skins::DrawElement(painter, *element, true, true, QRectF(3, 3, 20, 9));
            if (element->text)
                if (const auto* font = skin.FindFont(element->id))
                    zem::skins::DrawText(painter, *font, *element->text, every, QPointF(1, 1));
        }
    return 0;
}
