// The synchronisation page's behaviour: one speed correction per sound card, edited through a
// single field. The field always belongs to the card selected before a change, so a selection
// change (and Apply) first stores the field into that card, then shows the new card's value.
// User-interface thread.
#pragma once

#include <string>
#include <vector>

class OutputDevice;

namespace zem::audio {

class SpeedOffsetPage {
public:
    // Selects the first card, if any.
    explicit SpeedOffsetPage(std::vector<OutputDevice*> devices);

    std::vector<std::string> CardNames() const;
    int Selection() const { return m_selection; }
    // What the field shows for the selected card ("%.2f"); empty without a card.
    std::string FieldText() const;

    // Stores fieldText into the previously selected card, then selects index. Refuses (range
    // message, nothing stored, selection kept) when the text is not an offset in range.
    bool Select(int index, const std::string& fieldText);
    // Stores fieldText into the selected card; same refusal.
    bool Apply(const std::string& fieldText);

private:
    bool Store(const std::string& fieldText);
    std::vector<OutputDevice*> m_devices;
    int m_selection = -1;
};

} // namespace zem::audio
