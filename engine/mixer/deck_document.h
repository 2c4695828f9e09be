// A song loaded into a deck, as the program's deck window keeps it: the open sequence (a deck
// for the file's type, the user's playback settings, the song's settings file, attachment to
// the mixer), the close sequence (settings saved, progress events removed, deck detached and
// deleted) and the window title. What a user interface does around it (refreshing views and
// the mixer board, asking, showing errors) goes through DeckDocumentUi.
//
// Threads: every operation runs on the user-interface thread, except the play and stop
// notifications, which come from whichever thread plays or stops the deck (the heartbeat
// stops a deck at the end of its song).
#pragma once

#include "contracts/export.h"
#include "engine/deck/deck_types.h"

#include <string>

class DeckDocument;
class Mixer;
class MixerDevice;
class ZEMException;

class ZEM_EXPORT DeckDocumentUi {
public:
    virtual ~DeckDocumentUi();
    // The deck started or stopped; any thread.
    virtual void RefreshPlayState(DeckDocument& document);
    virtual void RefreshViews(DeckDocument& document);
    virtual void RefreshMixerBoard();
    // Default: the engine's question hook, answering no when nobody is there to ask.
    virtual bool AskYesNo(const char* question);
    // Default: the exception's own display.
    virtual void ShowError(const ZEMException& error);
    virtual void ShowMessage(const char* text);
};

class ZEM_EXPORT DeckDocument : public MixerDeviceParent {
public:
    static constexpr int kPathSize = 260;

    // ui may be null (nothing to refresh); both outlive the document.
    DeckDocument(Mixer& mixer, DeckDocumentUi* ui);
    // Ejects without asking.
    ~DeckDocument() override;
    DeckDocument(const DeckDocument&) = delete;
    DeckDocument& operator=(const DeckDocument&) = delete;

    // Runs the open sequence; an exception is shown and the open fails (false), leaving no deck.
    bool OpenDocument(const char* path);
    // The open sequence itself; throws ZEMException ("Unknown format!", the mixer's, the
    // plug-in's). On a throw the document has no deck.
    void RunOpenSequence(const char* path);
    // Replaces the song: false when the user refused to eject the playing one. Throws
    // "Unknown format!" before ejecting anything when no deck can play the new file.
    bool LoadAnother(const char* path);
    // The close sequence: false when asked, playing, and the user said no.
    bool Eject(bool askIfPlaying);

    // The title of the deck's window, or given when there is no deck.
    void SetTitle(const char* given);
    const std::string& GetTitle() const { return m_title; }
    // The full path of the song the last eject took out; empty before the first.
    const std::string& GetLastFileEjected() const { return m_lastEjected; }

    MixerDevice* GetDevice() const { return m_deck; }
    const char* GetPathName() const { return m_path; }
    Mixer& GetMixer() const { return m_mixer; }

    void OnDevicePlay(MixerDevice* device) override;
    void OnDeviceStop(MixerDevice* device) override;

private:
    void DiscardDeck();

    Mixer& m_mixer;
    DeckDocumentUi* m_ui;
    MixerDevice* m_deck = nullptr;
    char m_path[kPathSize] = {};
    std::string m_title;
    std::string m_lastEjected;
};

// The playback thread priority the "Priority" setting names: 0 normal, 1 above normal,
// 2 highest, 3 time-critical; any other number is used as it is.
ZEM_EXPORT int MapPlaybackPriority(int setting);
