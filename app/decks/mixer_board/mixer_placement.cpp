#include "app/decks/mixer_board/mixer_placement.h"

#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_board/settings_store.h"

namespace zem::board {

PlacementPoint RestoredMixerPosition(SettingsStore& store, PlacementPoint current) {
    return {store.GetInt(kPlacementSection, kMixerLeftKey, current.x),
            store.GetInt(kPlacementSection, kMixerTopKey, current.y)};
}

void StoreMixerPlacement(SettingsStore& store, PlacementRect frame) {
    store.WriteInt(kPlacementSection, kMixerLeftKey, frame.left - 2);
    store.WriteInt(kPlacementSection, kMixerTopKey, frame.top - 2);
    store.WriteInt(kPlacementSection, kMixerRightKey, frame.right - 2);
    store.WriteInt(kPlacementSection, kMixerBottomKey, frame.bottom - 2);
}

} // namespace zem::board
