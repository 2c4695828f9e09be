// One run of zem-render: the mixer with its sound cards and input plug-ins, a deck document
// per song, the options applied, the timed commands carried out as the mix reaches them, and
// every song's settings written back at the end.
#pragma once

#include "engine/mixer/deck_document.h"
#include "engine/mixer/mixer.h"
#include "tools/render/mix_clock.h"
#include "tools/render/program_dir.h"
#include "tools/render/render_options.h"
#include "tools/render/render_script.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

// Set from a signal handler: the mix ends where it stands and everything is closed as usual,
// so the songs' settings are still written.
void RequestRenderStop();

class RenderSession {
public:
    RenderSession(const RenderOptions& options, const ProgramDir& dir);
    // Ejects every deck (writing its settings file), then closes the cards.
    ~RenderSession();
    RenderSession(const RenderSession&) = delete;
    RenderSession& operator=(const RenderSession&) = delete;

    // Each step: false with a one-line reason.
    bool Start(std::string& error);
    void ListDevices(std::ostream& out);
    bool OpenSongs(std::string& error);
    bool ApplyOptions(std::string& error);
    // scriptName only labels messages.
    bool CheckScript(const std::vector<ScriptCommand>& script, const std::string& scriptName,
                     std::string& error);
    bool Mix(const std::vector<ScriptCommand>& script, const std::string& scriptName,
             std::string& error);
    // Closes everything; for a file render, cuts the file to the mix's length. False with a
    // reason when the file could not be finished.
    bool Finish(std::string& error);

    // Per deck, in channel order: the frames its card had to play as silence because the deck
    // fell behind. Taken when the decks are ejected.
    const std::vector<unsigned long>& Underruns() const { return m_underruns; }

    Mixer& GetMixer() { return *m_mixer; }
    MixerDevice* Deck(int channel) const;

private:
    struct Fade {
        bool active = false;
        double from = 0, to = 0, start = 0, length = 0;
    };

    bool Apply(const ScriptCommand& c, double now, const std::string& scriptName,
               std::string& error);
    void SetCrossfader(double percent);
    double ExpectedLength() const;
    void Progress(double now, bool last);

    RenderOptions m_options;
    ProgramDir m_dir;
    std::string m_configDir; // of the sound cards; a private one for a file render
    std::string m_outPath;
    std::unique_ptr<DeckDocumentUi> m_ui;
    std::unique_ptr<Mixer> m_mixer;
    std::vector<std::unique_ptr<DeckDocument>> m_documents;
    std::unique_ptr<MixClock> m_clock;
    Fade m_fade;
    double m_crossfader = 0;
    bool m_ended = false;
    double m_mixLength = 0;
    unsigned long m_startMs = 0;
    unsigned long m_lastProgressMs = 0;
    bool m_finished = false;
    std::vector<unsigned long> m_underruns;
};
