// The output modules as Soundrail loads them from the plug-in folder: the WAV file writer (no
// server needed) and, when a JACK server runs, PortAudio playing into it in real time.
#include "tests/platform/test_dir.h"
#include "tests/soundrail/audio_util.h"

#include "platform/files.h"
#include "platform/library.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace testaudio;

namespace {

std::string PluginPath(const char* name) {
    return std::string(ZEM_TEST_PLUGIN_DIR) + "/" + name + zem::kPluginSuffix;
}

// Samples of a 16-bit PCM WAV file; false when it is not one.
bool ReadWave(const std::string& path, unsigned& rate, int& channels, std::vector<int16_t>& pcm) {
    std::ifstream in(path, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto u32 = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(b[at]) |
                                     static_cast<uint8_t>(b[at + 1]) << 8 |
                                     static_cast<uint8_t>(b[at + 2]) << 16 |
                                     static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24);
    };
    if (b.size() < 44 || b.compare(0, 4, "RIFF") || b.compare(8, 4, "WAVE") ||
        b.compare(12, 4, "fmt ") || b.compare(36, 4, "data"))
        return false;
    channels = static_cast<uint8_t>(b[22]);
    rate = u32(24);
    const uint32_t bytes = u32(40);
    if (b[34] != 16 || bytes > b.size() - 44 || u32(4) != 36 + bytes)
        return false;
    pcm.resize(bytes / 2);
    std::memcpy(pcm.data(), b.data() + 44, bytes);
    return true;
}

class WaveDevice : public ::testing::Test {
protected:
    void SetUp() override { OutputDevice::SetGeneralConfigPath(dir.path().c_str()); }
    void TearDown() override { OutputDevice::SetGeneralConfigPath(""); }
    // The WAV device plays channel 0 into file; render: as fast as the deck delivers.
    void Configure(const std::string& file, bool render) {
        std::ofstream ini(dir.file("Soundrail.ini"));
        ini << "[Device WAV file]\nOutput File=" << file << "\nRender Mode=" << (render ? 1 : 0)
            << "\nChannels=1\n";
    }
    TestDir dir;
};

} // namespace

TEST(OutputModules, OnlyOutputModulesAreKept) {
    OutputManager m;
    int kept = 0;
    for (const std::string& name : zem::ScanDirectory(ZEM_TEST_PLUGIN_DIR, zem::kPluginPattern)) {
        // Interface plug-ins bring Qt, whose start-up allocations the leak checker reports once
        // this Qt-less test unloads it again; other kinds show the refusal well enough.
        if (name.rfind("ZEM_GEN_", 0) == 0)
            continue;
        std::string path = std::string(ZEM_TEST_PLUGIN_DIR) + "/" + name;
        const bool ok = m.LoadOutputModule(path.data());
        EXPECT_EQ(ok, name.rfind("ZEM_OUT_", 0) == 0) << name;
        kept += ok;
    }
    EXPECT_EQ(kept, 2);
    TestDir dir;
    std::ofstream(dir.file("junk.so")) << "not a library";
    std::string junk = dir.file("junk.so");
    EXPECT_FALSE(m.LoadOutputModule(junk.data()));
    EXPECT_FALSE(m.LoadOutputModule(nullptr));
    std::vector<OutputDevice*> list;
    m.GetOutputDevicesList(list);
    bool wave = false;
    for (OutputDevice* d : list)
        wave = wave || std::string(d->GetOutputDeviceName()) == "WAV file";
    EXPECT_TRUE(wave);
}

TEST_F(WaveDevice, RenderModeWritesTheDeckBitExact) {
    const std::string file = dir.file("mix.wav");
    Configure(file, true);
    // A noisy signal that uses the whole range, so any change to a sample shows.
    std::vector<int16_t> pcm(2 * 30000);
    uint32_t x = 12345;
    for (auto& s : pcm) {
        x = x * 1664525u + 1013904223u;
        s = static_cast<int16_t>(x >> 16);
    }
    {
        OutputManager m;
        std::string path = PluginPath("ZEM_OUT_WaveFile");
        ASSERT_TRUE(m.LoadOutputModule(path.data()));
        WAVEFORMATEX f = Stereo16(44100);
        std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(0, &f, 4 * 40000));
        ASSERT_TRUE(g);
        Write(*g, pcm.data(), 4 * 30000);
        g->Play();
        // Render mode stops short of the end, where the deck would have delivered more.
        unsigned long played = 0;
        for (int i = 0; i < 500 && played < 4 * 28000; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            g->UpdatePositions();
            played += g->GetBytesPlayed();
        }
        EXPECT_GE(g->GetPlayWriteBalance(), 0); // never ran dry
    }
    unsigned rate = 0;
    int channels = 0;
    std::vector<int16_t> out;
    ASSERT_TRUE(ReadWave(file, rate, channels, out));
    EXPECT_EQ(rate, 44100u);
    EXPECT_EQ(channels, 2);
    ASSERT_GE(out.size(), 2u * 28000);
    ASSERT_LE(out.size(), pcm.size());
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(out[i], pcm[i]) << "sample " << i;
}

TEST_F(WaveDevice, RealTimeModeKeepsThePaceOfACard) {
    const std::string file = dir.file("live.wav");
    Configure(file, false);
    double seconds = 0;
    {
        OutputManager m;
        std::string path = PluginPath("ZEM_OUT_WaveFile");
        ASSERT_TRUE(m.LoadOutputModule(path.data()));
        WAVEFORMATEX f = Stereo16(44100);
        const auto start = std::chrono::steady_clock::now();
        std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(0, &f, 4 * 44100));
        ASSERT_TRUE(g);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        g.reset();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    unsigned rate = 0;
    int channels = 0;
    std::vector<int16_t> out;
    ASSERT_TRUE(ReadWave(file, rate, channels, out));
    EXPECT_NEAR(out.size() / 2.0 / 44100, seconds, 0.1);
}

TEST_F(WaveDevice, UnwritableFileGivesNoGroupAndAReason) {
    Configure(dir.file("no/such/folder/mix.wav"), true);
    OutputManager m;
    std::string path = PluginPath("ZEM_OUT_WaveFile");
    ASSERT_TRUE(m.LoadOutputModule(path.data()));
    WAVEFORMATEX f = Stereo16(44100);
    EXPECT_EQ(m.CreateOutputGroup(0, &f, 40000), nullptr);
    std::vector<OutputDevice*> list;
    m.GetOutputDevicesList(list);
    ASSERT_FALSE(list.empty());
    EXPECT_STREQ(list[0]->GetOutputDeviceName(), "WAV file");
    EXPECT_NE(std::string(list[0]->GetLastError()).find("Unable to open"), std::string::npos);
}

// Plays a group through PortAudio into a JACK server for three seconds, feeding it the way the
// heartbeat does, every 33 ms.
TEST(JackOutput, PlaysInRealTimeWithoutUnderruns) {
    TestDir dir;
    OutputDevice::SetGeneralConfigPath(dir.path().c_str());
    OutputManager m;
    std::string path = PluginPath("ZEM_OUT_PortAudio");
    ASSERT_TRUE(m.LoadOutputModule(path.data()));
    std::vector<OutputDevice*> list;
    m.GetOutputDevicesList(list);
    OutputDevice* jack = nullptr;
    for (OutputDevice* d : list) {
        d->ResetAssignments();
        if (!jack && std::string(d->GetOutputDeviceName()).rfind("JACK", 0) == 0)
            jack = d;
    }
    if (!jack) {
        OutputDevice::SetGeneralConfigPath("");
        GTEST_SKIP() << "No JACK server runs (start: jackd -d dummy -r 44100 -p 256)";
    }
    jack->SetChannelAssignment(0, 1);
    WAVEFORMATEX card{};
    jack->GetWaveFormat(&card);
    WAVEFORMATEX f = Stereo16(card.nSamplesPerSec);
    std::unique_ptr<OutputGroup> g(m.CreateOutputGroup(0, &f, f.nAvgBytesPerSec / 2));
    ASSERT_TRUE(g) << jack->GetLastError();
    std::vector<int16_t> tone = Sine(440, card.nSamplesPerSec, card.nSamplesPerSec, 8000);
    size_t toneAt = 0;
    auto feed = [&] {
        g->UpdatePositions();
        unsigned long free = g->GetWriteBytesAvailable();
        unsigned long len = free - free % 4;
        unsigned char* p = g->Lock(len);
        for (unsigned long i = 0; i < len; i += 4, toneAt = (toneAt + 2) % tone.size())
            std::memcpy(p + i, &tone[toneAt], 4);
        g->Unlock(len);
    };
    feed();
    g->UpdatePositions();
    g->GetBytesPlayed();
    g->Play();
    const auto start = std::chrono::steady_clock::now();
    unsigned long long played = 0;
    long lowest = g->GetPlayWriteBalance();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(3)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(33));
        g->UpdatePositions();
        lowest = std::min(lowest, g->GetPlayWriteBalance());
        played += g->GetBytesPlayed();
        feed();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    g.reset();
    OutputDevice::SetGeneralConfigPath("");
    EXPECT_GT(lowest, 0) << "the card ran dry";
    EXPECT_NEAR(played / 4.0 / card.nSamplesPerSec / seconds, 1.0, 0.03);
}

// A JACK server of this test's own that quits while a deck plays into it and a recording runs:
// the card falls quiet, and the library must say so while the deck keeps its time. (SIGTERM:
// a killed server would leave its entry in JACK's registry of servers, which fills up.)
TEST(JackOutput, AServerThatGoesAwayIsReportedAndTheDeckKeepsTime) {
    const std::string server = "zem-vanish-" + std::to_string(getpid());
    const char* argv[] = {"jackd", "-n",    server.c_str(), "-d",  "dummy",
                          "-r",    "44100", "-p",           "256", nullptr};
    pid_t jackd = 0;
    if (posix_spawnp(&jackd, "jackd", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        GTEST_SKIP() << "jackd is not installed";
    setenv("JACK_DEFAULT_SERVER", server.c_str(), 1);
    setenv("JACK_NO_START_SERVER", "1", 1);
    const std::string probe = "jack_lsp -s " + server + " >/dev/null 2>&1";
    bool up = false;
    for (int i = 0; i < 100 && !up; ++i) {
        up = std::system(probe.c_str()) == 0;
        if (!up)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    auto killServer = [&] {
        if (jackd > 0) {
            kill(jackd, SIGTERM);
            waitpid(jackd, nullptr, 0);
        }
        jackd = 0;
    };
    if (!up) {
        killServer();
        GTEST_SKIP() << "jackd did not start";
    }
    TestDir dir;
    OutputDevice::SetGeneralConfigPath(dir.path().c_str());
    auto m = std::make_unique<OutputManager>();
    std::string path = PluginPath("ZEM_OUT_PortAudio");
    ASSERT_TRUE(m->LoadOutputModule(path.data()));
    std::vector<OutputDevice*> list;
    m->GetOutputDevicesList(list);
    OutputDevice* jack = nullptr;
    for (OutputDevice* d : list) {
        d->ResetAssignments();
        if (!jack && std::string(d->GetOutputDeviceName()).rfind("JACK", 0) == 0)
            jack = d;
    }
    ASSERT_TRUE(jack);
    jack->SetChannelAssignment(0, 1);
    WAVEFORMATEX f = Stereo16(44100);
    std::unique_ptr<OutputGroup> g(m->CreateOutputGroup(0, &f, f.nAvgBytesPerSec));
    ASSERT_TRUE(g) << jack->GetLastError();
    g->Play();
    auto playedOver = [&](int ms) {
        g->UpdatePositions();
        g->GetBytesPlayed();
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        g->UpdatePositions();
        return g->GetBytesPlayed();
    };
    InputDevice* mic = nullptr;
    std::vector<InputDevice*> inputs;
    m->GetInputDevicesList(inputs);
    for (InputDevice* in : inputs)
        if (!mic && std::string(in->GetInputDeviceName()).rfind("JACK", 0) == 0)
            mic = in;
    ASSERT_TRUE(mic);
    ASSERT_TRUE(mic->StartCapture()) << mic->GetLastError();
    EXPECT_GT(playedOver(500), f.nAvgBytesPerSec / 4);
    EXPECT_STREQ(jack->GetLastError(), "");
    EXPECT_GT(mic->GetCaptureBytesAvailable(), 0ul);

    killServer();
    bool reported = false;
    for (int i = 0; i < 1000 && !reported; ++i) {
        reported = jack->GetLastError()[0] != 0;
        if (!reported)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(reported);
    EXPECT_NE(std::string(jack->GetLastError()).find("stopped responding"), std::string::npos);
    EXPECT_GT(playedOver(500), f.nAvgBytesPerSec / 4);
    bool stopped = false;
    for (int i = 0; i < 1000 && !stopped; ++i) {
        stopped = !mic->IsCapturing();
        if (!stopped)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(stopped);
    EXPECT_NE(std::string(mic->GetLastError()).find("stopped responding"), std::string::npos);
    // Closing everything after the server has gone must not hang.
    g.reset();
    m.reset();
    OutputDevice::SetGeneralConfigPath("");
    // The client whose close is stuck never removes its semaphores; they name only our server.
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/shm", ec))
        if (entry.path().filename().string().find("_" + server + "_") != std::string::npos)
            std::filesystem::remove(entry.path(), ec);
}

// Records from the JACK server's capture ports through PortAudio at the server's pace.
TEST(JackInput, CapturesInRealTime) {
    OutputManager m;
    std::string path = PluginPath("ZEM_OUT_PortAudio");
    ASSERT_TRUE(m.LoadOutputModule(path.data()));
    std::vector<InputDevice*> inputs;
    m.GetInputDevicesList(inputs);
    InputDevice* jack = nullptr;
    for (InputDevice* d : inputs)
        if (!jack && std::string(d->GetInputDeviceName()).rfind("JACK", 0) == 0)
            jack = d;
    if (!jack)
        GTEST_SKIP() << "No JACK server runs (start: jackd -d dummy -r 44100 -p 256)";
    WAVEFORMATEX f{};
    jack->GetWaveFormat(&f);
    ASSERT_GT(f.nBlockAlign, 0);
    ASSERT_TRUE(jack->StartCapture()) << jack->GetLastError();
    EXPECT_TRUE(jack->IsCapturing());
    const auto start = std::chrono::steady_clock::now();
    std::vector<unsigned char> data(f.nAvgBytesPerSec * 2);
    unsigned long total = 0;
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        const unsigned long got = jack->ReadCapture(data.data(), 1000);
        EXPECT_EQ(got % f.nBlockAlign, 0u);
        total += got + jack->ReadCapture(data.data(), static_cast<unsigned long>(data.size()));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    jack->StopCapture();
    EXPECT_FALSE(jack->IsCapturing());
    EXPECT_NEAR(total / static_cast<double>(f.nAvgBytesPerSec), seconds, 0.1);
}
