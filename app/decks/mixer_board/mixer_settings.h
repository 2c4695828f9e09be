// The "Mixer settings..." sheet without its widgets: the centre-volume page, the
// master-volume page, and the sheet's run over the board.
//
// Threads: the user-interface thread only.
#pragma once

#include "app/decks/mixer_board/master_volume.h"

#include <functional>
#include <string>
#include <vector>

namespace zem::board {

class MixerBoard;
class SettingsStore;

// The centre-volume list and the drop-down that shows it.
class CentreVolumePage {
public:
    explicit CentreVolumePage(std::vector<int> volumes = {});

    // The number at the start of typed is appended, and typed itself to the drop-down. Text
    // that reads as 0 or less, and a value already listed, change nothing (false).
    bool Add(const std::string& typed);
    // The drop-down's entry at index leaves both; false when there is none.
    bool Remove(int index);

    const std::vector<int>& GetVolumes() const { return m_volumes; }
    const std::vector<std::string>& GetItems() const { return m_items; }

private:
    std::vector<int> m_volumes;
    std::vector<std::string> m_items;
};

// The system's mixer devices and the one the master fader binds to.
class MasterVolumePage {
public:
    struct Entry {
        std::string name;
        int device;
    };

    // Lists the devices and selects the one "Master Volume device" names (the first
    // otherwise). A device without a description is reported through showMessage and listed
    // as "Unknown".
    MasterVolumePage(MasterVolume& system, SettingsStore& store,
                     const std::function<void(const char*)>& showMessage);

    const std::vector<Entry>& GetEntries() const { return m_entries; }
    // -1 while the list is empty.
    int GetSelection() const { return m_selection; }
    void Select(int entry);
    // Stores the selected entry's device in "Master Volume device".
    void Apply();

private:
    SettingsStore& m_store;
    std::vector<Entry> m_entries;
    int m_selection = -1;
};

// One showing of the sheet. The constructor copies the board's list into the centre page;
// Finish copies it back whatever the result (an edited list is kept on Cancel too), and on OK
// also applies the master page and writes the centre-volume file at once; then the master
// fader is bound again.
class MixerSettingsSheet {
public:
    MixerSettingsSheet(MixerBoard& board, MasterVolume& system, SettingsStore& store,
                       const std::function<void(const char*)>& showMessage);

    static const char* Title();
    CentreVolumePage& GetCentrePage() { return m_centre; }
    MasterVolumePage& GetMasterPage() { return m_master; }
    void Finish(bool ok);

private:
    MixerBoard& m_board;
    CentreVolumePage m_centre;
    MasterVolumePage m_master;
};

} // namespace zem::board
