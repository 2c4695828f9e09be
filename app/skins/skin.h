// The skin in use: "skin.cfg" of a skin folder read into its bitmaps and its deck and mixer
// element lists, and the lookups the skinned windows make.
//
// Threads: the user-interface thread.
#pragma once

#include "app/skins/skin_elements.h"

#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace zem::skins {

inline constexpr char kSkinConfigName[] = "skin.cfg";
inline constexpr char kBitmapFailedFormat[] = "Unable to load bitmap %s";
inline constexpr char kOpenFailedText[] = "Unable to load skin";
inline constexpr char kReadFailedText[] = "Unable to read .bmp file";

// Reads a .bmp file; a null image with the reason in error when it cannot be opened or is no
// readable bitmap. Bitmaps too large for any screen are refused before they are read.
QImage LoadSkinBitmap(const std::string& path, std::string& error);
// The same from an open device.
QImage ReadSkinBitmap(class QIODevice& device, std::string& error);

class CSkin {
public:
    using BitmapLoader = std::function<QImage(const std::string& path, std::string& error)>;
    using Reporter = std::function<void(const std::string& message)>;

    // Reads folder + "/skin.cfg", loading bitmaps with LoadSkinBitmap and reporting bitmaps
    // that fail in a message box. A file that cannot be opened leaves the skin empty.
    void Load(const std::string& folder);
    // The same from a stream, with the bitmap loader and the reporter given.
    void Read(std::istream& in, const std::string& folder, const BitmapLoader& loader,
              const Reporter& report);
    void Clear();

    const std::string& GetFolder() const { return m_folder; }
    const std::vector<std::unique_ptr<SkinBitmap>>& GetBitmaps() const { return m_bitmaps; }
    const std::vector<std::unique_ptr<SkinElement>>& GetDeckElements() const { return m_deck; }
    const std::vector<std::unique_ptr<SkinElement>>& GetMixerElements() const { return m_mixer; }

    // The first element of that identifier that is not a font; null when there is none.
    const SkinElement* FindDeckElement(int id) const;
    const SkinElement* FindMixerElement(int id) const;
    // The first font of that identifier.
    const SkinElement* FindFont(int id) const;
    // The deck element of that identifier and name; for the two that share an identifier.
    const SkinElement* FindDeckElementNamed(int id, const char* name) const;

private:
    void ReadLine(const std::string& line, const BitmapLoader& loader, const Reporter& report);

    std::string m_folder;
    std::vector<std::unique_ptr<SkinBitmap>> m_bitmaps;
    std::vector<std::unique_ptr<SkinElement>> m_deck;
    std::vector<std::unique_ptr<SkinElement>> m_mixer;
    const SkinBitmap* m_current = nullptr;
};

} // namespace zem::skins
