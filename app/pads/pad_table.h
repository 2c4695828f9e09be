// The sound-effect pads: short files loaded into effect devices of the mixer that play on a
// key press, beside the decks. Each pad is a keyboard command ("SoundFX " + its file name)
// numbered from 33000, so that keys can be bound to it.
//
// Threads: the user-interface thread.
#pragma once

#include "app/pads/sfx_file.h"

#include <string>
#include <vector>

class Mixer;
class MixerDevice;

namespace zem::pads {

inline constexpr char kPadNotFoundText[] = "Could not find associated SFX";
inline constexpr char kPadNotLoadedFormat[] =
    "%s was not loaded at runtime... Probaly no LRESULTer exists";
inline constexpr char kCommandPrefix[] = "SoundFX ";

// What the pads need of the program: the keyboard command map and a message box.
class PadHost {
public:
    virtual ~PadHost();
    virtual void RegisterPadCommand(uint16_t command, const std::string& name) = 0;
    virtual void UnregisterPadCommand(uint16_t command) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
};

// "SoundFX " and the path's file name (after the last "\" or "/").
std::string PadCommandName(const std::string& path);
// A new device of the path's type, loaded, given the playback block size and added to the
// mixer as an effect device; null without a type. Throws what loading or adding throws (the
// device is deleted then).
MixerDevice* AddPadDevice(Mixer& mixer, const std::string& path);

class CPadTable {
public:
    CPadTable(Mixer& mixer, PadHost& host);
    // The pads' devices leave the mixer.
    ~CPadTable();

    // "sfx.cfg": a missing file leaves the table empty; a previous version is reported and
    // gives no pads.
    void ReadFile(const std::string& path);
    bool WriteFile(const std::string& path) const;

    // The device is cleared; a command that is 0, outside 33000-33999 or another pad's gets the
    // lowest free number from 33000; the file is loaded, the command registered, the pad appended.
    void Add(PadRecord record);
    // Loads the pad's file into a new effect device in place of its old one; an empty path,
    // an unknown type or a failing load (reported) leaves it without device.
    void Load(PadRecord& pad);
    // The pad's device to the pad's volume; playing and stop-if-playing: stopped; else from
    // the start.
    void Fire(uint16_t command);
    // Its device leaves the mixer, its command is unregistered, the gap closes.
    void Remove(size_t index);

    bool IsPadCommand(uint16_t command) const { return Find(command) != nullptr; }
    uint16_t LowestFreeCommand() const;
    const std::vector<PadRecord>& Pads() const { return m_pads; }
    PadRecord& At(size_t index) { return m_pads.at(index); }

private:
    const PadRecord* Find(uint16_t command) const;
    void Unload(PadRecord& pad);

    Mixer& m_mixer;
    PadHost& m_host;
    std::vector<PadRecord> m_pads;
};

} // namespace zem::pads
