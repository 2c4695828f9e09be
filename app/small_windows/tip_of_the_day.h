// The tip of the day without its window: which tip to show, the next one, and what the profile
// remembers between runs ("Tip"/"FilePos", "TimeStamp", "StartUp").
//
// The tips file holds one tip per line; lines starting with ";" and blank lines are skipped.
// "FilePos" is the byte offset just past the last tip shown, so every opening starts with a tip
// not seen last time; the end wraps to the top. When the file's change time differs from
// "TimeStamp" (the file was edited or replaced) reading starts over at the top.
//
// Threads: the user-interface thread.
#pragma once

#include <cstddef>
#include <string>

class ZemProfile;

namespace zem::small {

enum class TipSource {
    File,       // the current tip comes from the tips file
    Missing,    // no tips file: the built-in tip
    Unreadable, // a file without a single readable tip (empty, only comments, binary)
};

class TipOfTheDay {
public:
    // Reads the file at once and moves to the first tip to show. The profile must outlive this.
    explicit TipOfTheDay(ZemProfile& profile, std::string path = "tips.txt");

    const std::string& Current() const { return m_current; }
    TipSource Source() const { return m_source; }
    // Moves to the following tip, wrapping at the end; with no tips file it stays.
    void Next();

    // "Show tips at start-up": "StartUp" 0 means yes.
    bool ShowAtStartUp() const;
    void SetShowAtStartUp(bool on);

    // The dialog closes: the read position goes to "FilePos". Nothing is stored without a file.
    void StoreFilePos();

    // The file's change time as stored in "TimeStamp"; empty when the file is missing.
    static std::string FileTimeText(const std::string& path);

private:
    // The tip at or after byte offset from, wrapping once; false when the file has none.
    bool readFrom(size_t from);

    ZemProfile& m_profile;
    std::string m_text; // the whole file
    size_t m_pos = 0;   // just past the current tip
    std::string m_current;
    TipSource m_source = TipSource::Missing;
};

// True when a line may be shown: valid UTF-8 without control characters other than tab.
bool IsShowableLine(const std::string& line);

} // namespace zem::small
