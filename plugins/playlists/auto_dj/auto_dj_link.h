// What a progress callback reaches the Auto DJ through. The host keeps the user value of an event
// for as long as the deck keeps the event, which can be longer than the window lives (a deck that
// left its crossfader side keeps its events). So the user value is not the Auto DJ but the
// number of a link in a registry: a callback that finds no link, or a retired one, does nothing,
// and retiring a link waits for the callbacks that are still using it.
#pragma once

#include "plugins/playlists/auto_dj/auto_dj_ports.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

namespace playlists {

struct AutoDjLink {
    AutoDjLink(DeckHost& deckHost, AutoDjWindow& autoDjWindow)
        : host(&deckHost), window(&autoDjWindow) {}

    // Alive and switched on: a callback may act.
    bool Active() const { return alive.load() && on.load(); }

    DeckHost* const host;
    AutoDjWindow* const window;
    uint64_t id = 0;
    std::atomic<bool> alive{true};
    std::atomic<bool> on{false};
    // Cached by the window thread whenever it reads the settings: the fade start on a playback
    // thread must not read the profile.
    std::atomic<unsigned long> fadeMs{7000};
    std::atomic<int> inFlight{0};

    // Thread: any. The end of the song and the end of the fade both ask for the deck to be
    // replaced; when both fire before their removal took hold (a host call that gave up), only
    // the first may ask, or the second would replace the new deck, which takes the freed number.
    // Arming a deck lets it ask again.
    bool ClaimReplacement(int channel) {
        return channel < 0 || channel >= kChannels || !replacing[channel].exchange(true);
    }
    void ArmedAgain(int channel) {
        if (channel >= 0 && channel < kChannels)
            replacing[channel].store(false);
    }
    static constexpr int kChannels = 256; // the mixer's deck channels
    std::array<std::atomic<bool>, kChannels> replacing{};
};

// A new link in the registry; its user value is valid from now on.
std::shared_ptr<AutoDjLink> RegisterAutoDjLink(DeckHost& host, AutoDjWindow& window);
// Takes the link out of the registry, clears alive, and waits until no callback is inside it:
// after this the host, the window and the Auto DJ may go.
void RetireAutoDjLink(AutoDjLink& link);
void* UserValueOf(const AutoDjLink& link);

// Held by a callback while it uses a link: empty when the user value names no live link.
class AutoDjLinkUse {
public:
    explicit AutoDjLinkUse(void* user);
    ~AutoDjLinkUse();
    AutoDjLinkUse(const AutoDjLinkUse&) = delete;
    AutoDjLinkUse& operator=(const AutoDjLinkUse&) = delete;

    AutoDjLink* get() const { return m_link.get(); }

private:
    std::shared_ptr<AutoDjLink> m_link;
};

} // namespace playlists
