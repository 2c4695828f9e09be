#include "engine/mixer/deck_document.h"

#include "engine/deck/playback_sizes.h"
#include "engine/deck/progress_event.h"
#include "engine/deck/stream_device.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/zem_exception.h"
#include "engine/mixer/deck_title.h"
#include "engine/mixer/mixer.h"
#include "platform/profile.h"
#include "platform/ui_hooks.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kEjectQuestion[] =
    "This device is still playing.  Are you sure want to eject the current song?";

int Setting(const char* section, const char* key, int def) {
    return zem::profile::GetInt(section, key, def);
}

} // namespace

DeckDocumentUi::~DeckDocumentUi() = default;
void DeckDocumentUi::RefreshPlayState(DeckDocument&) {}
void DeckDocumentUi::RefreshViews(DeckDocument&) {}
void DeckDocumentUi::RefreshMixerBoard() {}
bool DeckDocumentUi::AskYesNo(const char* question) {
    return zem::AskYesNo(question, false);
}
void DeckDocumentUi::ShowError(const ZEMException& error) {
    ZEMException copy(error);
    copy.Display();
}
void DeckDocumentUi::ShowMessage(const char* text) {
    zem::ShowMessageBox(text);
}

int MapPlaybackPriority(int setting) {
    switch (setting) {
    case 0:
        return zem::kPriorityNormal;
    case 1:
        return zem::kPriorityAboveNormal;
    case 2:
        return zem::kPriorityHighest;
    case 3:
        return zem::kPriorityTimeCritical;
    default:
        return setting;
    }
}

DeckDocument::DeckDocument(Mixer& mixer, DeckDocumentUi* ui) : m_mixer(mixer), m_ui(ui) {}

DeckDocument::~DeckDocument() {
    try {
        Eject(false);
    } catch (...) {
        // Exceptions are logged when built; a destructor must not throw.
    }
}

bool DeckDocument::OpenDocument(const char* path) {
    try {
        RunOpenSequence(path);
        return true;
    } catch (const ZEMException& e) {
        if (m_ui)
            m_ui->ShowError(e);
        else {
            ZEMException copy(e);
            copy.Display();
        }
        return false;
    }
}

void DeckDocument::DiscardDeck() {
    if (!m_deck)
        return;
    MixerDevice* deck = m_deck;
    m_deck = nullptr;
    try {
        m_mixer.RemoveDevice(deck);
    } catch (const ZEMException&) {
    }
    delete deck;
}

void DeckDocument::RunOpenSequence(const char* path) {
    const std::string file = path ? path : "";
    const size_t dot = file.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : file.substr(dot);
    MixerDevice* deck = extension.empty() ? nullptr : m_mixer.GetDeviceType(extension.data());
    if (!deck)
        throw ZEMException("Unknown format!", false, 0);
    m_deck = deck;
    try {
        deck->SetParentDoc(this);
        std::string loadPath = file;
        deck->LoadFile(loadPath.data());
        const int bufferMs = Setting("Playback", "Buffer size", 1500);
        const int blockKiB = Setting("Playback", "Block size (k)", 60);
        const PlaybackSizes sizes =
            ChoosePlaybackSizes(*deck->GetWaveFormatEx(), bufferMs, blockKiB);
        if (sizes.raised) {
            std::string note = "Playback settings too small for " + file + " were raised:";
            if (sizes.bufferMs > bufferMs)
                note += " \"Buffer size\" " + std::to_string(bufferMs) + " to " +
                        std::to_string(sizes.bufferMs) + " ms";
            if (sizes.blockKiB > blockKiB)
                note += std::string(sizes.bufferMs > bufferMs ? "," : "") + " \"Block size (k)\" " +
                        std::to_string(blockKiB) + " to " + std::to_string(sizes.blockKiB);
            note += ", the smallest that play without gaps.";
            ZEM_AppendErrorLog(note.c_str());
        }
        deck->SetOutputBlockSize(sizes.blockBytes);
        deck->LoadGlobalDSPEffects();

        char zec[512];
        deck->GetFilename(zec);
        FNameToZEC(zec);
        deck->ReadConfig(zec);

        m_mixer.AddDevice(deck, sizes.bufferBytes);
        SetTitle(file.c_str());

        if (Setting("Playback", "On open goto cue 0", 1))
            deck->RestoreStoredPosition(0, 0, false);
        deck->SetEqualizerEnabled(Setting("Equalizer", "EQ Enabled on load", 1) != 0);
        const char* eqFile = deck->GetEqualizerFilename();
        if (Setting("Equalizer", "Auto-load default", 1) && (!eqFile || !eqFile[0])) {
            const char* folder = ZEM_GetZEMPath(4);
            const std::string preset = std::string(folder ? folder : ".") + "/default.eq";
            deck->ReadEqualizerConfig(preset.c_str());
            deck->SetActiveEqualizer(10);
        }
        if (Setting("Equalizer", "Use three channel EQ", 1))
            deck->SetActiveEqualizer(3);
        if (OutputGroup* group = deck->GetOutputGroup())
            group->SetSynchronizeType(Setting("General mixer settings", "Clickless Sync", 1)
                                          ? kSyncClickless
                                          : kSyncImmediate);
        if (Setting("Playback", "On open headphone cue", 1)) {
            m_mixer.SetHeadphoneMute(deck->GetChannel(), false);
            if (m_ui)
                m_ui->RefreshMixerBoard();
        }
        std::snprintf(m_path, sizeof m_path, "%s", file.c_str());
        if (auto* stream = dynamic_cast<StreamDevice*>(deck))
            stream->SetPlaybackThreadPriority(
                MapPlaybackPriority(Setting("Playback", "Priority", 0)));
    } catch (...) {
        DiscardDeck();
        throw;
    }
    if (m_ui)
        m_ui->RefreshViews(*this);
}

bool DeckDocument::LoadAnother(const char* path) {
    const std::string file = path ? path : "";
    const size_t dot = file.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : file.substr(dot);
    MixerDevice* probe = extension.empty() ? nullptr : m_mixer.GetDeviceType(extension.data());
    if (!probe)
        throw ZEMException("Unknown format!", false, 0);
    delete probe;
    if (!Eject(true))
        return false;
    RunOpenSequence(path);
    return true;
}

bool DeckDocument::Eject(bool askIfPlaying) {
    if (!m_deck)
        return true;
    MixerDevice* deck = m_deck;
    if (askIfPlaying && deck->IsPlaying()) {
        const bool yes =
            m_ui ? m_ui->AskYesNo(kEjectQuestion) : zem::AskYesNo(kEjectQuestion, false);
        if (!yes)
            return false;
    }
    char zec[512];
    m_lastEjected = deck->GetFullPath(zec);
    deck->GetFilename(zec);
    FNameToZEC(zec);
    bool written = true;
    try {
        deck->WriteConfig(zec, false);
    } catch (...) {
        // The settings file could not be written; the deck still goes.
        written = false;
    }
    // The settings file is the song's memory: say so when it could not be kept.
    std::FILE* check = deck->GetReadOnlyConfig() ? nullptr : std::fopen(zec, "r+");
    if (check)
        std::fclose(check);
    if (!written || (!check && !deck->GetReadOnlyConfig())) {
        const std::string text = std::string("Unable to save the song's settings to ") + zec;
        if (m_ui)
            m_ui->ShowMessage(text.c_str());
        else
            zem::ShowMessageBox(text.c_str());
    }
    if (auto* stream = dynamic_cast<StreamDevice*>(deck)) {
        std::vector<ProgressEvent*> events;
        if (!stream->LockProgressEvents(true, events)) {
            // The shutdown events stay so that they fire as the deck shuts down.
            for (ProgressEvent* e : events)
                if (e->trigger != ProgressEvent::kTriggerShutdown)
                    stream->RemoveProgressEvent(e);
            stream->UnlockProgressEvents();
        }
    }
    DiscardDeck();
    return true;
}

void DeckDocument::SetTitle(const char* given) {
    if (!m_deck) {
        m_title = given ? given : "";
        return;
    }
    char name[512];
    m_deck->GetFilename(name);
    m_title = BuildDeckTitle(m_deck->GetChannel(), name, m_deck->GetTotalTime(),
                             m_deck->GetReadOnlyConfig());
}

void DeckDocument::OnDevicePlay(MixerDevice*) {
    if (m_ui)
        m_ui->RefreshPlayState(*this);
}

void DeckDocument::OnDeviceStop(MixerDevice*) {
    if (m_ui)
        m_ui->RefreshPlayState(*this);
}
