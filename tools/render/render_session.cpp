#include "tools/render/render_session.h"

#include "engine/deck/stream_device.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/zem_exception.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/library.h"
#include "tools/render/wav_trim.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <ostream>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char kFileDeviceName[] = "WAV file";
constexpr unsigned long kFileRate = 44100;
constexpr double kFadeStep = 0.01; // the mixer board's fade timer
constexpr unsigned long kStallMs = 20000;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Messages go to the terminal; questions are answered yes (nobody is there to ask).
class ConsoleUi : public DeckDocumentUi {
public:
    bool AskYesNo(const char*) override { return true; }
    void ShowError(const ZEMException& e) override { lastError = e.GetMessage(); }
    void ShowMessage(const char* text) override { std::fprintf(stderr, "zem-render: %s\n", text); }
    std::string lastError;
};

// PortAudio and ALSA report every card they cannot find on standard error while the output
// modules look for cards; the tool's own messages would drown in that.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        m_saved = dup(2);
        const int null = open("/dev/null", O_WRONLY);
        if (m_saved >= 0 && null >= 0)
            dup2(null, 2);
        if (null >= 0)
            close(null);
    }
    ~QuietStderr() {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
    }

private:
    int m_saved = -1;
};

unsigned long BytesAt(MixerDevice* deck, double seconds) {
    const WAVEFORMATEX* f = deck->GetWaveFormatEx();
    const unsigned align = f->nBlockAlign ? f->nBlockAlign : 1;
    const auto bytes = static_cast<unsigned long>(seconds * f->nAvgBytesPerSec);
    return bytes - bytes % align;
}

std::string Where(const std::string& script, const ScriptCommand& c) {
    return script + ":" + std::to_string(c.line) + ": ";
}

std::atomic<bool> g_stopRequested{false};

} // namespace

void RequestRenderStop() {
    g_stopRequested.store(true);
}

RenderSession::RenderSession(const RenderOptions& options, const ProgramDir& dir)
    : m_options(options), m_dir(dir), m_ui(std::make_unique<ConsoleUi>()) {}

RenderSession::~RenderSession() {
    std::string ignored;
    Finish(ignored);
}

MixerDevice* RenderSession::Deck(int channel) const {
    return m_mixer ? m_mixer->GetChannel(channel) : nullptr;
}

bool RenderSession::Start(std::string& error) {
    const bool toFile = !m_options.out.empty();
    if (toFile) {
        m_outPath = ResolvePath(m_dir.originalCwd, m_options.out);
        std::FILE* probe = std::fopen(m_outPath.c_str(), "wb");
        if (!probe) {
            error = "cannot write " + m_outPath + ": " + std::strerror(errno);
            return false;
        }
        std::fclose(probe);
        // The file device gets every channel in a card configuration of its own, so the
        // user's sound-card assignments are neither used nor changed.
        std::string pattern = zem::TempDirectory() + "/zem-render-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            error = "cannot create a temporary folder: " + std::string(std::strerror(errno));
            return false;
        }
        m_configDir = pattern;
        const std::string ini = m_configDir + "/Soundrail.ini";
        const std::string section = std::string("Device ") + kFileDeviceName;
        const std::string all(256, '1');
        if (!zem::ini::WriteValue(ini, section.c_str(), "Output File", m_outPath.c_str()) ||
            !zem::ini::WriteInt(ini, section.c_str(), "Render Mode", 1) ||
            !zem::ini::WriteValue(ini, section.c_str(), "Channels", all.c_str()) ||
            !zem::ini::WriteInt(ini, section.c_str(), "SFX", 1) ||
            !zem::ini::WriteInt(ini, section.c_str(), "Master", 1) ||
            !zem::ini::WriteInt(ini, section.c_str(), "Samples Per Second",
                                static_cast<int>(kFileRate))) {
            error = "cannot write " + ini;
            return false;
        }
        OutputDevice::SetGeneralConfigPath(m_configDir.c_str());
    } else {
        OutputDevice::SetGeneralConfigPath(ZEM_GetZEMPath(3));
    }

    m_mixer = std::make_unique<Mixer>(nullptr);
    {
        QuietStderr quiet;
        m_mixer->InitSound();
    }
    const std::string plugins = ZEM_GetZEMPath(2);
    std::vector<std::string> names =
        zem::ScanDirectory(plugins, std::string("*") + zem::kPluginSuffix);
    // Native decoders sort before the Winamp ones, and the first module claiming an
    // extension decides; sorting makes that choice the same on every file system.
    std::sort(names.begin(), names.end());
    int registered = 0;
    for (const std::string& name : names) {
        std::string path = zem::JoinPath(plugins, name);
        registered += m_mixer->AddInputBufferModule(path.data());
    }
    if (registered == 0 && !m_options.listDevices) {
        error = "no input plug-ins in " + plugins;
        return false;
    }
    if (toFile) {
        std::vector<OutputDevice*> devices;
        m_mixer->GetOutputManager()->GetOutputDevicesList(devices);
        const bool present = std::any_of(devices.begin(), devices.end(), [](OutputDevice* d) {
            return std::strcmp(d->GetOutputDeviceName(), kFileDeviceName) == 0;
        });
        if (!present) {
            error = "the WAV file output module is missing from " + plugins;
            return false;
        }
    }
    return true;
}

void RenderSession::ListDevices(std::ostream& out) {
    std::vector<OutputDevice*> devices;
    m_mixer->GetOutputManager()->GetOutputDevicesList(devices);
    out << "Output devices:\n";
    for (size_t i = 0; i < devices.size(); ++i) {
        OutputDevice* d = devices[i];
        WAVEFORMATEX f{};
        d->GetWaveFormat(&f);
        out << "  " << i << ": " << d->GetOutputDeviceName() << " (" << f.nChannels << " channels, "
            << f.nSamplesPerSec << " Hz)";
        if (d->GetDisabled())
            out << ", disabled";
        int assigned = 0;
        for (int ch = 0; ch < 256; ++ch)
            assigned += d->GetChannelAssignment(ch) != 0;
        out << ", plays " << assigned << " deck channels";
        if (d->GetHeadphoneAssignment())
            out << ", headphones";
        if (d->GetSFXAssignment())
            out << ", sound effects";
        out << "\n";
    }
    std::vector<DeviceModuleInfo*> modules;
    m_mixer->GetDeviceModuleInfos(modules);
    out << "Input plug-ins:\n";
    for (DeviceModuleInfo* m : modules)
        out << "  " << m->description << ": " << m->extensions << "\n";
}

bool RenderSession::OpenSongs(std::string& error) {
    auto* ui = static_cast<ConsoleUi*>(m_ui.get());
    for (const std::string& song : m_options.songs) {
        const std::string path = ResolvePath(m_dir.originalCwd, song);
        if (!zem::FileExists(path)) {
            error = song + ": no such file";
            return false;
        }
        if (path.size() >= DeckDocument::kPathSize) {
            error = song + ": the path is too long";
            return false;
        }
        auto doc = std::make_unique<DeckDocument>(*m_mixer, m_ui.get());
        ui->lastError.clear();
        if (!doc->OpenDocument(path.c_str())) {
            error = "cannot open " + song + ": " + ui->lastError;
            return false;
        }
        m_documents.push_back(std::move(doc));
    }
    return true;
}

bool RenderSession::ApplyOptions(std::string& error) {
    for (size_t i = 0; i < m_documents.size(); ++i) {
        const int ch = static_cast<int>(i);
        MixerDevice* deck = m_documents[i]->GetDevice();
        if (auto it = m_options.eqBands.find(ch); it != m_options.eqBands.end())
            deck->SetActiveEqualizer(it->second);
        if (auto it = m_options.eqFile.find(ch); it != m_options.eqFile.end()) {
            const std::string path = ResolvePath(m_dir.originalCwd, it->second);
            if (!deck->ReadEqualizerConfig(path.c_str())) {
                error = "cannot read the equalizer file " + it->second;
                return false;
            }
        }
        if (auto it = m_options.volume.find(ch); it != m_options.volume.end())
            deck->SetVolume(std::lround(it->second), kVChannel0);
        if (auto it = m_options.pitch.find(ch); it != m_options.pitch.end())
            deck->SetPitch(static_cast<unsigned long>(
                std::lround(deck->GetOriginalPitch() * (1.0 + it->second / 100.0))));
    }
    for (const DspRequest& d : m_options.dsp) {
        MixerDevice* deck = Deck(d.channel);
        std::string path = ResolvePath(m_dir.originalCwd, d.library);
        if (d.library.find('/') == std::string::npos && !zem::FileExists(path)) {
            path = zem::JoinPath(ZEM_GetZEMPath(2), d.library);
            if (!zem::FileExists(path))
                path += zem::kPluginSuffix;
        }
        // Effects asked for on the command line belong to this run, not to the song, so they
        // are not written into its settings file.
        if (!deck || !zem::FileExists(path) || !deck->LoadDSPEffect(path.data(), d.effect, true)) {
            error = "cannot load effect " + std::to_string(d.effect) + " of " + d.library;
            return false;
        }
    }
    m_mixer->SetFaderCenterVolume(static_cast<float>(m_options.center / 100.0));
    m_mixer->SetFaderChannels(0, 1);
    SetCrossfader(m_options.hasCrossfader ? m_options.crossfader : 0);
    if (!m_options.out.empty()) {
        m_clock = MakeGateClock(*m_mixer->GetOutputManager(), kFileRate);
        if (!m_clock) {
            error = "the WAV file device cannot be opened";
            return false;
        }
    }
    return true;
}

bool RenderSession::CheckScript(const std::vector<ScriptCommand>& script,
                                const std::string& scriptName, std::string& error) {
    for (const ScriptCommand& c : script) {
        if (c.channel < 0)
            continue;
        MixerDevice* deck = Deck(c.channel);
        if (!deck) {
            error = Where(scriptName, c) + "deck " + std::to_string(c.channel) + " has no song";
            return false;
        }
        if ((c.op == ScriptOp::EqBoost || c.op == ScriptOp::EqKill) &&
            c.index >= deck->GetActiveEqualizer()->GetNumBands()) {
            error = Where(scriptName, c) + "band " + std::to_string(c.index) +
                    " is beyond the deck's " +
                    std::to_string(deck->GetActiveEqualizer()->GetNumBands()) + "-band equalizer";
            return false;
        }
    }
    return true;
}

void RenderSession::SetCrossfader(double percent) {
    m_crossfader = percent;
    m_mixer->SetFaderPercent(static_cast<int>(std::lround(percent)));
}

bool RenderSession::Apply(const ScriptCommand& c, double now, const std::string& scriptName,
                          std::string& error) {
    MixerDevice* deck = c.channel >= 0 ? Deck(c.channel) : nullptr;
    if (c.channel >= 0 && !deck) {
        error = Where(scriptName, c) + "deck " + std::to_string(c.channel) + " has no song";
        return false;
    }
    switch (c.op) {
    case ScriptOp::Play:
        deck->Play();
        break;
    case ScriptOp::Stop:
        deck->Stop();
        break;
    case ScriptOp::Seek:
        deck->SetPosition(static_cast<long>(BytesAt(deck, c.value)), false);
        break;
    case ScriptOp::Pitch:
        deck->SetPitch(static_cast<unsigned long>(
            std::lround(deck->GetOriginalPitch() * (1.0 + c.value / 100.0))));
        break;
    case ScriptOp::Volume:
        deck->SetVolume(std::lround(c.value), kVChannel0);
        break;
    case ScriptOp::CueStore:
    case ScriptOp::CueEnd:
        // A deck counts what was played on its ticks; with a file render held here, two
        // ticks later its position is exactly where the mix stands.
        if (!c.hasValue && !m_options.out.empty())
            zem::SleepMs(2 * StreamDevice::kTickPeriodMs + 5);
        deck->StoreStoredPosition(c.index,
                                  c.hasValue ? BytesAt(deck, c.value) : deck->GetPosition(),
                                  c.op == ScriptOp::CueEnd ? 1 : 0);
        break;
    case ScriptOp::CueJump:
        if (deck->GetStoredPosition(c.index)->start.load() < 0) {
            error = Where(scriptName, c) + "cue " + std::to_string(c.index) + " of deck " +
                    std::to_string(c.channel) + " is not set";
            return false;
        }
        deck->RestoreStoredPosition(c.index, 0, false);
        break;
    case ScriptOp::LoopOn: {
        StoredPosition* p = deck->GetStoredPosition(c.index);
        if (p->start.load() < 0 || p->end.load() <= p->start.load()) {
            error = Where(scriptName, c) + "cue " + std::to_string(c.index) + " of deck " +
                    std::to_string(c.channel) + " has no span to loop (store its start and end)";
            return false;
        }
        deck->SetLoopSlot(c.index);
        break;
    }
    case ScriptOp::LoopOff:
        deck->SetLoopSlot(-1);
        break;
    case ScriptOp::Crossfader:
        m_fade.active = false;
        SetCrossfader(c.value);
        break;
    case ScriptOp::Fade:
        m_fade = Fade{true, m_crossfader, c.value, now, c.duration};
        if (c.duration <= 0) {
            m_fade.active = false;
            SetCrossfader(c.value);
        }
        break;
    case ScriptOp::Center:
        m_mixer->SetFaderCenterVolume(static_cast<float>(c.value / 100.0));
        SetCrossfader(m_crossfader);
        break;
    case ScriptOp::Headphone:
        m_mixer->SetHeadphoneMute(c.channel, !c.on);
        break;
    case ScriptOp::EqBoost:
    case ScriptOp::EqKill: {
        Equalizer* eq = deck->GetActiveEqualizer();
        if (c.index >= eq->GetNumBands()) {
            error = Where(scriptName, c) + "band " + std::to_string(c.index) +
                    " is beyond the deck's equalizer";
            return false;
        }
        if (c.op == ScriptOp::EqBoost)
            eq->setBoost(c.index, static_cast<float>(std::pow(10.0, c.value / 20.0)));
        else
            eq->SetKillFreq(c.index, c.on);
        break;
    }
    case ScriptOp::Effect:
        deck->SetDSPEffectsEnabled(c.on);
        break;
    case ScriptOp::End:
        m_ended = true;
        break;
    }
    return true;
}

double RenderSession::ExpectedLength() const {
    if (m_options.seconds > 0)
        return m_options.seconds;
    double longest = 0;
    for (const auto& doc : m_documents) {
        MixerDevice* deck = doc->GetDevice();
        const double rate = deck->GetOriginalPitch()
                                ? static_cast<double>(deck->GetPitch()) / deck->GetOriginalPitch()
                                : 1.0;
        longest = std::max(longest, deck->GetTotalTime() / (rate > 0 ? rate : 1.0));
    }
    return longest;
}

void RenderSession::Progress(double now, bool last) {
    if (m_options.quiet || !isatty(2))
        return;
    const unsigned long ms = zem::ClockMs();
    if (!last && ms - m_lastProgressMs < 250)
        return;
    m_lastProgressMs = ms;
    const double wall = (ms - m_startMs) / 1000.0;
    std::fprintf(stderr, "\rzem-render: %7.1f s of %.1f s mixed (%.1fx real time)  ", now,
                 ExpectedLength(), wall > 0 ? now / wall : 0.0);
    if (last)
        std::fputc('\n', stderr);
}

bool RenderSession::Mix(const std::vector<ScriptCommand>& script, const std::string& scriptName,
                        std::string& error) {
    if (!m_clock)
        m_clock = MakeWallClock();
    double endTime = m_options.seconds > 0 ? m_options.seconds : kInfinity;
    for (const ScriptCommand& c : script)
        if (c.op == ScriptOp::End)
            endTime = std::min(endTime, c.time);
    const bool toFile = !m_options.out.empty();
    // A file render goes one card block past the end, so the file can be cut exactly there.
    const double endTarget = toFile ? endTime + 300.0 / kFileRate : endTime;

    m_startMs = zem::ClockMs();
    for (const auto& doc : m_documents)
        doc->GetDevice()->Play();

    size_t next = 0;
    double lastNow = -1;
    unsigned long lastMoveMs = zem::ClockMs();
    double target = 0;
    bool reached = true;
    for (;;) {
        const double now = reached ? std::max(target, m_clock->Now()) : m_clock->Now();
        while (next < script.size() && script[next].time <= now + 1e-9) {
            if (!Apply(script[next], now, scriptName, error))
                return false;
            ++next;
        }
        double fadeNext = kInfinity;
        if (m_fade.active) {
            const double t = now - m_fade.start;
            if (t >= m_fade.length) {
                m_fade.active = false;
                SetCrossfader(m_fade.to);
            } else {
                SetCrossfader(m_fade.from + (m_fade.to - m_fade.from) * t / m_fade.length);
                // Counted from now, so every step moves the mix on.
                fadeNext = std::min(now + kFadeStep, m_fade.start + m_fade.length);
            }
        }
        if (g_stopRequested.load()) {
            m_mixLength = now;
            break;
        }
        if (m_ended || now >= endTime) {
            m_mixLength = std::isfinite(endTime) ? endTime : now;
            break;
        }
        const bool playing = std::any_of(m_documents.begin(), m_documents.end(), [](auto& d) {
            return d->GetDevice()->GetPlayStatus() != 0;
        });
        if (!playing && next == script.size() && !m_fade.active) {
            m_mixLength = now;
            break;
        }
        target =
            std::min({next < script.size() ? script[next].time : kInfinity, fadeNext, endTime});
        const double runTo = target == endTime ? endTarget : target;
        const bool commandsLeft = next < script.size() || m_fade.active;
        reached = m_clock->RunToward(runTo, 100, [this, commandsLeft] {
            bool playing = false, draining = false, moving = false;
            for (const auto& d : m_documents) {
                auto* deck = dynamic_cast<StreamDevice*>(d->GetDevice());
                if (!deck || deck->GetPlayStatus() == 0)
                    continue;
                playing = true;
                const int status = deck->GetStreamStatus();
                draining = draining || status == StreamDevice::kSourceExhausted;
                moving = moving || status == StreamDevice::kRepositionRequested ||
                         status == StreamDevice::kRefilling;
            }
            if ((!playing && !commandsLeft) || g_stopRequested.load())
                return MixClock::Pace::Halt;
            if (moving)
                return MixClock::Pace::Hold;
            return draining ? MixClock::Pace::Draining : MixClock::Pace::Fast;
        });
        if (reached && runTo == endTarget)
            target = endTime;
        const double after = m_clock->Now();
        if (after > lastNow) {
            lastNow = after;
            lastMoveMs = zem::ClockMs();
        } else if (zem::ClockMs() - lastMoveMs > kStallMs) {
            // A deck that stops delivering audio would hold a file render for ever.
            error = "the mix stopped moving at " + std::to_string(after) +
                    " s: a deck delivers no audio";
            return false;
        }
        Progress(after, false);
    }
    Progress(m_mixLength, true);
    return true;
}

bool RenderSession::Finish(std::string& error) {
    if (m_finished)
        return true;
    m_finished = true;
    m_clock.reset();
    m_underruns.clear();
    for (auto& doc : m_documents) {
        MixerDevice* deck = doc->GetDevice();
        m_underruns.push_back(deck ? deck->GetUnderrunFrames() : 0);
    }
    for (auto& doc : m_documents)
        doc->Eject(false);
    m_documents.clear();
    m_mixer.reset();
    bool ok = true;
    if (!m_outPath.empty() && m_mixLength > 0 &&
        !TrimWavFile(m_outPath,
                     static_cast<unsigned long long>(std::llround(m_mixLength * kFileRate)))) {
        error = "cannot finish " + m_outPath;
        ok = false;
    }
    if (!m_configDir.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m_configDir, ec);
    }
    return ok;
}
