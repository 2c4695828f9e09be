// A song's settings file (".zec"): the current INI layout and the older line layout, which
// is read once and rewritten in the current layout. And the deck's equalizer settings file.
#include "engine/deck/mixer_device.h"

#include "contracts/private_ini.h"
#include "engine/effects/effects_module.h"

#include <sys/stat.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr char kVersionSection[] = "Version Info";
constexpr char kZecSection[] = "ZEC Info";
constexpr char kPositionsSection[] = "Stored positions";
constexpr char kDspSection[] = "DSP Effects";
constexpr char kCurrentVersion[] = "1.80";
constexpr long kMaxEqualizerFile = 1 << 20;

// "start,end" as two signed decimal integers; false leaves the slot as it was.
bool parsePositionPair(const char* text, long& start, long& end) {
    long long a = 0, b = 0;
    if (std::sscanf(text, "%lld,%lld", &a, &b) != 2)
        return false;
    start = static_cast<long>(a);
    end = static_cast<long>(b);
    return true;
}

// Splits "path|effect"; effect 0 when there is no "|".
int splitEffectEntry(char* value) {
    char* bar = std::strchr(value, '|');
    if (!bar)
        return 0;
    *bar = '\0';
    return std::atoi(bar + 1);
}

void replaceAll(char* text, char from, char to) {
    for (; *text; ++text)
        if (*text == from)
            *text = to;
}

// One line of an older-layout file, at most limit characters kept (the rest of the line is
// skipped). False at the end of the file.
bool readLine(std::ifstream& in, std::string& line, size_t limit) {
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > limit)
        line.resize(limit);
    return true;
}

} // namespace

bool MixerDevice::ReadConfig(char* path) {
    PrivateINI ini(path);
    char version[32];
    ini.GetString(kVersionSection, "Version", version, "", sizeof version);
    if (version[0] == '\0') {
        // The older line layout.
        std::ifstream in(path ? path : "");
        if (!in)
            return false;
        std::string line;
        constexpr size_t kLineLimit = 2047;
        if (readLine(in, line, kLineLimit)) {
            float bpm = 0;
            if (std::sscanf(line.c_str(), "BPM=%f", &bpm) == 1 && std::isfinite(bpm)) {
                m_tempo->baseTempo = bpm;
                m_tempo->currentTempo = bpm;
            }
        }
        if (readLine(in, line, 1023)) {
            const size_t eq = line.find('=');
            std::string notes = eq == std::string::npos ? std::string() : line.substr(eq + 1);
            notes.erase(std::remove(notes.begin(), notes.end(), '\r'), notes.end());
            std::replace(notes.begin(), notes.end(), '`', '\n');
            std::snprintf(m_notes, kNotesSize, "%s", notes.c_str());
        }
        int slot = 0;
        for (int i = 0; i < 10 && readLine(in, line, kLineLimit); ++i) {
            int n = -1;
            long long a = 0, b = 0;
            if (std::sscanf(line.c_str(), "Stored%d=%lld,%lld", &n, &a, &b) == 3) {
                // Each line names its slot; the lines are expected in order.
                slot = n;
                if (slot >= 0 && slot <= 9) {
                    m_stored[slot].start.store(static_cast<long>(a));
                    m_stored[slot].end.store(static_cast<long>(b));
                }
            }
        }
        if (readLine(in, line, kLineLimit)) {
            long volume = 0;
            if (std::sscanf(line.c_str(), "Volume=%ld", &volume) == 1)
                m_volume[0] = volume;
        }
        if (readLine(in, line, kLineLimit)) {
            SetEqualizerFilename(line.c_str());
            if (!line.empty())
                ReadEqualizerConfig(line.c_str());
        }
        if (readLine(in, line, kLineLimit)) {
            int ro = 0;
            if (std::sscanf(line.c_str(), "ReadOnly=%d", &ro) == 1)
                m_readOnly = ro;
        }
        if (readLine(in, line, kLineLimit)) {
            int enabled = 0;
            if (std::sscanf(line.c_str(), "DSP Enabled=%d", &enabled) == 1)
                m_effectsEnabled.store(enabled != 0);
        }
        for (int loaded = 0; loaded < kMaxListedEffects && readLine(in, line, kLineLimit);
             ++loaded) {
            if (!line.empty() && line[0] == '|')
                break;
            if (!line.empty())
                LoadDSPEffect(line.data(), 0, false);
        }
        in.close();
        std::remove(path);
        WriteConfig(path, true);
        return true;
    }

    m_readOnly = ini.GetInt(kZecSection, "Read only", 0);
    float bpm = 0;
    ini.GetFloat(kZecSection, "BPM", bpm, 0.f);
    if (!std::isfinite(bpm) || std::fabs(bpm) > 1e6f)
        bpm = 0;
    m_tempo->baseTempo = static_cast<float>(static_cast<int>(bpm * 100.f)) * 0.01f;
    m_tempo->currentTempo = m_tempo->baseTempo;
    ini.GetString(kZecSection, "Notes", m_notes, "", kNotesSize);
    replaceAll(m_notes, '`', '\n');
    m_volume[0] = ini.GetInt(kZecSection, "Volume", static_cast<int>(m_volume[0]));
    char eqFile[kEqualizerFileSize];
    ini.GetString(kZecSection, "Equalizer", eqFile, m_eqFile, sizeof eqFile);
    SetEqualizerFilename(eqFile);
    for (int slot = 0; slot < 10; ++slot) {
        char key[16], value[128];
        std::snprintf(key, sizeof key, "Stored %d", slot);
        ini.GetString(kPositionsSection, key, value, "", sizeof value);
        long start = 0, end = 0;
        if (value[0] && parsePositionPair(value, start, end)) {
            m_stored[slot].start.store(start);
            m_stored[slot].end.store(end);
        }
    }
    m_effectsEnabled.store(ini.GetInt(kDspSection, "DSP Enabled", m_effectsEnabled ? 1 : 0) != 0);
    const int count = std::min(ini.GetInt(kDspSection, "DSP Count", 0), kMaxListedEffects);
    for (int i = 0; i < count; ++i) {
        char key[32], value[1024];
        std::snprintf(key, sizeof key, "DSP %d", i);
        ini.GetString(kDspSection, key, value, "", sizeof value);
        const int effect = splitEffectEntry(value);
        if (value[0])
            LoadDSPEffect(value, effect, false);
    }
    return true;
}

bool MixerDevice::WriteConfig(char* path, bool force) {
    // 3 lets one more write through and turns read-only afterwards.
    if (m_readOnly != 0 && m_readOnly != 3 && !force)
        return true;
    PrivateINI ini(path);
    ini.WriteString(kVersionSection, "Version", kCurrentVersion);
    ini.WriteInt(kZecSection, "Read only", m_readOnly);
    ini.WriteFloat(kZecSection, "BPM", m_tempo->baseTempo);
    char notes[kNotesSize];
    std::snprintf(notes, sizeof notes, "%s", m_notes);
    replaceAll(notes, '\r', '`');
    replaceAll(notes, '\n', '`');
    ini.WriteString(kZecSection, "Notes", notes);
    ini.WriteInt(kZecSection, "Volume", static_cast<int>(m_volume[0]));
    ini.WriteString(kZecSection, "Equalizer", m_eqFile);
    for (int slot = 0; slot < 10; ++slot) {
        char key[16], value[64];
        std::snprintf(key, sizeof key, "Stored %d", slot);
        std::snprintf(value, sizeof value, "%ld,%ld", m_stored[slot].start.load(),
                      m_stored[slot].end.load());
        ini.WriteString(kPositionsSection, key, value);
    }
    ini.WriteInt(kDspSection, "DSP Enabled", m_effectsEnabled ? 1 : 0);
    int written = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(m_effectsLock);
        for (DLLEffectsModule* m : m_effects) {
            if (m->GetGlobalStatus())
                continue;
            char key[32], value[1024];
            std::snprintf(key, sizeof key, "DSP %d", written);
            std::snprintf(value, sizeof value, "%s|%d", m->GetModulePath(), m->GetEffectIndex());
            ini.WriteString(kDspSection, key, value);
            ++written;
        }
    }
    ini.WriteInt(kDspSection, "DSP Count", written);
    if (m_readOnly == 3)
        m_readOnly = 1;
    return true;
}

bool MixerDevice::ReadEqualizerConfig(const char* path) {
    // Only a regular file of sensible size: a settings file may name anything, and a device
    // such as /dev/zero would never end.
    struct stat st {};
    if (!path || stat(path, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxEqualizerFile)
        return false;
    std::ifstream in(path);
    if (!in)
        return false;
    const int activeBands = GetActiveEqualizer()->GetNumBands();
    while (in.good()) {
        Equalizer record;
        record.ReadEqualizer(in);
        Equalizer* target = GetEqualizer(record.GetNumBands());
        if (!target)
            continue;
        // Band by band through the setters: the heartbeat may be filtering with it.
        for (int b = 0; b < record.GetNumBands(); ++b) {
            target->setFreqBoostAndBandWidth(b, record.returnFreq(b), record.returnBoost(b),
                                             record.returnBandwidth(b));
            target->SetKillFreq(b, record.GetKillFreq(b));
        }
        target->SetNumBands(record.GetNumBands());
    }
    SetActiveEqualizer(activeBands);
    return true;
}

bool MixerDevice::WriteEqualizerConfig(const char* path) {
    std::ofstream out(path ? path : "", std::ios::trunc);
    if (!out)
        return false;
    out << m_eq10 << "\n" << m_eq3 << "\n";
    return static_cast<bool>(out);
}
