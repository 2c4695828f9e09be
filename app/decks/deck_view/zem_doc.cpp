#include "app/decks/deck_view/zem_doc.h"

#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_frame.h"
#include "app/decks/deck_view/mixer_device_view.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/framework/command_target.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/zem_exception.h"

#include <QMetaObject>

namespace {

std::function<void()>& MixerBoardRefresh() {
    static std::function<void()> refresh;
    return refresh;
}

Mixer& ProgramMixer() {
    return *AppContext().mixer;
}

} // namespace

void ShowDeckMessage(const char* text) {
    // The base interface's message goes through the engine's hook, as the engine's own do.
    DeckDocumentUi().ShowMessage(text);
}

CZEMDoc::CZEMDoc() : CZEMDoc(ProgramMixer()) {}

CZEMDoc::CZEMDoc(Mixer& mixer) : m_ui(*this), m_deck(mixer, &m_ui) {}

CZEMDoc::~CZEMDoc() {
    // Views that outlive the document must not keep the deck that goes now.
    for (ZemView* view : GetViews())
        if (auto* deckView = dynamic_cast<CMixerDeviceView*>(view))
            deckView->DetachDeck();
    m_deck.Eject(false);
}

bool CZEMDoc::OnOpenDocument(const QString& path) {
    if (!ZemDocument::OnOpenDocument(path))
        return false;
    return m_deck.OpenDocument(path.toLocal8Bit().constData());
}

void CZEMDoc::DeleteContents() {
    for (ZemView* view : GetViews())
        if (auto* deckView = dynamic_cast<CMixerDeviceView*>(view))
            deckView->DetachDeck();
    m_deck.Eject(false);
    ZemDocument::DeleteContents();
}

void CZEMDoc::SetTitle(const QString& title) {
    m_deck.SetTitle(title.toLocal8Bit().constData());
    ZemDocument::SetTitle(GetDevice() ? QString::fromLocal8Bit(m_deck.GetTitle().c_str()) : title);
}

void CZEMDoc::RefreshTitle() {
    SetTitle(GetTitle());
}

bool CZEMDoc::LoadSong(const QString& path) {
    if (!m_deck.LoadAnother(path.toLocal8Bit().constData()))
        return false;
    // The framework's path and title follow the new song.
    SetPathName(QString::fromLocal8Bit(m_deck.GetPathName()));
    return true;
}

bool CZEMDoc::Eject(bool askIfPlaying) {
    return m_deck.Eject(askIfPlaying);
}

CMixerDeviceView* CZEMDoc::GetDeckView() const {
    return GetViews().empty() ? nullptr : dynamic_cast<CMixerDeviceView*>(GetViews().front());
}

void CZEMDoc::SetMixerBoardRefresh(std::function<void()> refresh) {
    MixerBoardRefresh() = std::move(refresh);
}

void CZEMDoc::Ui::RefreshPlayState(DeckDocument&) {
    // Any thread: the heartbeat stops a deck at the end of its song.
    QMetaObject::invokeMethod(
        &m_doc.m_uiThread,
        [doc = &m_doc] {
            if (CMixerDeviceView* view = doc->GetDeckView())
                view->RefreshPlayState();
        },
        Qt::QueuedConnection);
}

void CZEMDoc::Ui::RefreshViews(DeckDocument&) {
    m_doc.UpdateAllViews(nullptr);
}

void CZEMDoc::Ui::RefreshMixerBoard() {
    if (MixerBoardRefresh())
        MixerBoardRefresh()();
}

bool CZEMDoc::OnCommand(int id) {
    if (id == kCommandFileClose) {
        CMixerDeviceView* view = GetDeckView();
        if (!CDeckFrame::MayCloseDeck(view ? view->window() : nullptr, GetDevice()))
            return true;
    }
    return ZemDocument::OnCommand(id);
}
