#include "app/decks/deck_view/deck_frame.h"

#include "app/decks/deck_view/mixer_device_view.h"
#include "app/decks/deck_window/deck_commands.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_profile.h"
#include "app/framework/zem_view.h"
#include "engine/deck/mixer_device.h"

#include <QCloseEvent>
#include <QMessageBox>

#include <cstdio>
#include <vector>

namespace {

bool DefaultCloseQuestion(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::warning(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

CDeckFrame::CloseQuestion& Question() {
    static CDeckFrame::CloseQuestion question = DefaultCloseQuestion;
    return question;
}

} // namespace

CDeckFrame::CDeckFrame(QWidget* parent) : ZemChildFrame(parent) {}

void CDeckFrame::OnCreateFrame() {}

void CDeckFrame::OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) {
    UpdatePlacementKey();
    resize(sizeHint());
    const QSize least = minimumSizeHint();
    SetMinimumTrackSize(least.width(), least.height());
    RestorePlacement(true);
    ZemChildFrame::OnInitialUpdateFrame(document, makeVisible);
    if (GetProfile() && GetProfile()->GetProfileInt("Playback", "On open load EQ", 0))
        if (CMixerDeviceView* view = GetDeckView())
            view->ExecuteDeckCommand(zem::deckwin::kCmdEqualizer, Qt::NoModifier);
}

void CDeckFrame::UpdatePlacementKey() {
    CMixerDeviceView* view = GetDeckView();
    MixerDevice* deck = view ? view->GetDevice() : nullptr;
    if (!deck)
        return;
    char key[32];
    std::snprintf(key, sizeof key, "Channel %d", deck->GetChannel());
    SetPlacementKey(kPlacementSection, key);
}

CMixerDeviceView* CDeckFrame::GetDeckView() const {
    return qobject_cast<CMixerDeviceView*>(GetActiveView());
}

void CDeckFrame::ForwardKeyRelease(int command, Qt::KeyboardModifiers keys) {
    if (CMixerDeviceView* view = GetDeckView())
        view->OnKeyRelease(command, keys);
}

void CDeckFrame::SetCloseQuestion(CloseQuestion question) {
    Question() = question ? std::move(question) : CloseQuestion(DefaultCloseQuestion);
}

bool CDeckFrame::MayCloseDeck(QWidget* parent, MixerDevice* deck) {
    return !deck || !deck->IsPlaying() ||
           Question()(parent, QString::fromUtf8(kCloseTitle), QString::fromUtf8(kCloseQuestion));
}

void CDeckFrame::closeEvent(QCloseEvent* event) {
    CMixerDeviceView* view = GetDeckView();
    if (!MayCloseDeck(this, view ? view->GetDevice() : nullptr)) {
        event->ignore();
        return;
    }
    // The deck's other windows (its equalizer) show the same song: they go with the deck, or
    // the song would stay loaded behind them.
    if (ZemDocument* document = GetActiveDocument()) {
        const std::vector<ZemView*> views = document->GetViews();
        for (ZemView* other : views)
            if (ZemChildFrame* frame = other->GetParentFrame(); frame && frame != this)
                frame->close();
    }
    ZemChildFrame::closeEvent(event);
}
