// The program's deck document: one song in one deck. It wraps the engine's DeckDocument on the
// program's mixer, so that opening, ejecting and the title follow the engine's sequences, and
// carries what the engine asks of a user interface to the deck window.
//
// Threads: the user-interface thread, except the play and stop notifications, which the
// engine may send from a deck's playback thread; they are queued to the user-interface thread.
#pragma once

#include "app/framework/zem_document.h"
#include "engine/mixer/deck_document.h"

#include <QObject>

#include <functional>

class CMixerDeviceView;
class Mixer;
class MixerDevice;

// Shows a message through the engine's message hook, which the program routes to its windows.
void ShowDeckMessage(const char* text);

class CZEMDoc : public ZemDocument {
public:
    // On the program's mixer (AppContext().mixer, which must be set).
    CZEMDoc();
    explicit CZEMDoc(Mixer& mixer);
    // Ejects without asking.
    ~CZEMDoc() override;

    // The framework's open: the engine's open sequence. A failure is shown with the engine's
    // message and the open fails, leaving no deck.
    bool OnOpenDocument(const QString& path) override;
    // Closing the document ejects the song (its settings file is written) without asking.
    void DeleteContents() override;
    // With a deck the title is the engine's "Ch %d: %s [%02.2d:%02.2d]%s".
    void SetTitle(const QString& title) override;
    // File | Close asks before closing a playing deck, as closing its window does.
    bool OnCommand(int id) override;
    // Rebuilds the title, e.g. after the read-only mark changed.
    void RefreshTitle();

    // Loads another song into this deck: false when the user kept the playing song. Throws
    // ZEMException "Unknown format!" before ejecting when no deck plays the file, and whatever
    // the open sequence throws (the document then has no deck).
    bool LoadSong(const QString& path);
    // Ejects the song; false when asked, playing, and the user said no.
    bool Eject(bool askIfPlaying);

    MixerDevice* GetDevice() const { return m_deck.GetDevice(); }
    DeckDocument& GetDeckDocument() { return m_deck; }
    // The first view when it is a deck window.
    CMixerDeviceView* GetDeckView() const;

    // The mixer board is another window's; the program installs how it is refreshed after a
    // deck's headphone cue was switched on.
    static void SetMixerBoardRefresh(std::function<void()> refresh);

private:
    class Ui : public DeckDocumentUi {
    public:
        explicit Ui(CZEMDoc& doc) : m_doc(doc) {}
        void RefreshPlayState(DeckDocument& document) override;
        void RefreshViews(DeckDocument& document) override;
        void RefreshMixerBoard() override;

    private:
        CZEMDoc& m_doc;
    };

    // Queued calls from other threads land on this object's (the user-interface) thread, and
    // are dropped once the document is gone. Declared first: it outlives the deck's ejection.
    QObject m_uiThread;
    Ui m_ui;
    DeckDocument m_deck;
};
