// Progress callbacks fire on playback threads and may come while the window closes or after it
// has gone. They must then do nothing and touch nothing freed (run under ThreadSanitizer).
#include "tests/plugins/playlists/auto_dj/fake_decks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace playlists {
namespace {

using fake::FakeDecks;
using fake::FakePlaylist;
using fake::FakeWindow;
using fake::Song;

TEST(AutoDjThreaded, CallbacksWhileAndAfterTheAutoDjIsDestroyed) {
    FakeDecks decks;
    const std::vector<std::string> rows{"a.mp3", "b.mp3", "c.mp3"};
    for (const std::string& row : rows)
        decks.AddSong(row, Song{400}); // fade start 0: events fire at once and often
    FakePlaylist playlist(decks, rows);
    FakeWindow window(decks);
    window.settings.fadeSeconds = 0;

    std::atomic<bool> stop{false};
    std::thread playback([&] {
        while (!stop.load())
            decks.Advance(10, 10);
    });
    for (int round = 0; round < 200; ++round) {
        auto autoDj = std::make_unique<AutoDj>(decks, playlist, window);
        autoDj->Toggle();
        for (int i = 0; i < 5; ++i) {
            window.Pump(*autoDj);
            std::this_thread::yield();
        }
        if (round % 2)
            autoDj->OnWindowClose();
        autoDj.reset(); // callbacks may be under way right now
        window.Discard();
    }
    // Whatever events are left still fire, into a retired link.
    const size_t fades = decks.Fades().size();
    for (const int side : {kLeftSide, kRightSide})
        if (const int channel = decks.ChannelId(side); channel >= 0) {
            decks.UserSeek(channel, 0);
            decks.UserPlay(channel);
        }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    stop.store(true);
    playback.join();
    EXPECT_EQ(window.PostedCount(), 0u);
    EXPECT_EQ(decks.Fades().size(), fades);
    EXPECT_LE(decks.DeckCount(), 2);
}

} // namespace
} // namespace playlists
