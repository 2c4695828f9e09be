// A card that disappears while it plays or records: its stream falls quiet without a word.
// The library must notice, say so, keep the decks on it in time and place new ones elsewhere.
#include "audio_util.h"

#include "platform/library.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

using namespace testaudio;

namespace {

class VanishingCard : public ::testing::Test {
protected:
    void SetUp() override {
        OutputDevice::SetGeneralConfigPath(""); // first-start assignments, nothing stored
        handle = zem::LoadLibraryPath(path.c_str());
        ASSERT_TRUE(handle);
        vanish = reinterpret_cast<void (*)(int)>(zem::GetLibrarySymbol(handle, "ZemTestVanish"));
        ASSERT_TRUE(vanish);
        vanish(0);
        manager = std::make_unique<OutputManager>();
        ASSERT_TRUE(manager->LoadOutputModule(path.data()));
        std::vector<OutputDevice*> devices;
        manager->GetOutputDevicesList(devices);
        ASSERT_EQ(devices.size(), 1u);
        card = devices[0];
    }
    void TearDown() override {
        manager.reset();
        if (vanish)
            vanish(0);
        if (handle)
            zem::FreeLibraryHandle(handle);
    }

    // Waits up to ten seconds for done; true when it came.
    template <class F> static bool Within10s(F done) {
        for (int i = 0; i < 1000; ++i) {
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Bytes the group reports played over ms milliseconds.
    static unsigned long PlayedOver(OutputGroup& g, int ms) {
        g.UpdatePositions();
        g.GetBytesPlayed();
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        g.UpdatePositions();
        return g.GetBytesPlayed();
    }

    std::string path = ZEM_TEST_MODULE_DIR "/ZEM_OUT_TestVanishing.so";
    zem::LibraryHandle handle = nullptr;
    void (*vanish)(int) = nullptr;
    std::unique_ptr<OutputManager> manager;
    OutputDevice* card = nullptr;
};

} // namespace

TEST_F(VanishingCard, AnOutputThatFallsQuietIsReportedAndItsDecksKeepTime) {
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> deck(manager->CreateOutputGroup(0, &f, 2 * 176400));
    ASSERT_TRUE(deck);
    deck->Play();
    // A card that keeps calling back is never taken for lost, however long it plays.
    const unsigned long live = PlayedOver(*deck, 2500);
    EXPECT_GT(live, 176400ul); // more than one second of the two and a half
    EXPECT_STREQ(card->GetLastError(), "");

    vanish(1);
    ASSERT_TRUE(Within10s([&] { return card->GetLastError()[0] != 0; }));
    EXPECT_NE(std::string(card->GetLastError()).find("stopped responding"), std::string::npos);
    // The deck goes on in silence at the card's pace, so its position still moves.
    EXPECT_GT(PlayedOver(*deck, 500), 176400ul / 4);
    // A new deck is not put on a card that is gone; with no other card there is none.
    EXPECT_EQ(manager->CreateOutputGroup(1, &f, 176400), nullptr);
}

// A card that falls quiet for a while (a stalled system, a device that recovers) gets its decks
// back when it calls again, and takes new ones.
TEST_F(VanishingCard, ACardThatAnswersAgainTakesItsDecksBack) {
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> deck(manager->CreateOutputGroup(0, &f, 176400));
    ASSERT_TRUE(deck);
    deck->Play();
    vanish(1);
    ASSERT_TRUE(Within10s([&] { return card->GetLastError()[0] != 0; }));
    vanish(0);
    ASSERT_TRUE(Within10s([&] { return card->GetLastError()[0] == 0; }));
    EXPECT_GT(PlayedOver(*deck, 500), 176400ul / 4);
    std::unique_ptr<OutputGroup> another(manager->CreateOutputGroup(1, &f, 176400));
    EXPECT_TRUE(another);
}

TEST_F(VanishingCard, ACardThatCannotOpenGivesNoGroupAndTheReason) {
    vanish(1);
    WAVEFORMATEX f = Stereo16(44100);
    EXPECT_EQ(manager->CreateOutputGroup(0, &f, 176400), nullptr);
    EXPECT_STREQ(card->GetLastError(), "The device is no longer present.");
}

TEST_F(VanishingCard, AnInputThatFallsQuietStopsCapturingWithAReason) {
    InputDevice* input = manager->GetInputDevice(0);
    ASSERT_TRUE(input);
    ASSERT_TRUE(input->StartCapture());
    ASSERT_TRUE(Within10s([&] { return input->GetCaptureBytesAvailable() > 0; }));
    EXPECT_TRUE(input->IsCapturing());

    vanish(1);
    ASSERT_TRUE(Within10s([&] { return !input->IsCapturing(); }));
    EXPECT_NE(std::string(input->GetLastError()).find("stopped responding"), std::string::npos);
    // What was recorded before stays readable.
    std::vector<unsigned char> data(input->GetCaptureBytesAvailable());
    EXPECT_EQ(input->ReadCapture(data.data(), static_cast<unsigned long>(data.size())),
              data.size());
    EXPECT_FALSE(input->StartCapture());
}

// A stream that will not close (its system waits for a server that is gone) must not hold up
// the library: it is cut off, the deck goes on in silence, and the manager still closes.
TEST_F(VanishingCard, AStreamThatWillNotCloseIsCutOffAndNothingWaitsForIt) {
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> deck(manager->CreateOutputGroup(0, &f, 176400));
    ASSERT_TRUE(deck);
    deck->Play();
    InputDevice* input = manager->GetInputDevice(0);
    ASSERT_TRUE(input && input->StartCapture());

    vanish(2);
    ASSERT_TRUE(Within10s([&] { return card->GetLastError()[0] != 0; }));
    EXPECT_GT(PlayedOver(*deck, 500), 176400ul / 4);
    ASSERT_TRUE(Within10s([&] { return !input->IsCapturing(); }));
    deck.reset();
    manager.reset();
    // The closes still hang here; releasing them lets their threads end on their own.
    vanish(0);
}
