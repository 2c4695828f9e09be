// The deck window's child frame: its placement is remembered per engine channel, it asks
// before closing a playing deck, and it hands key releases on to its deck window.
#pragma once

#include "app/framework/zem_child_frame.h"

#include <QString>

#include <functional>

class CMixerDeviceView;
class MixerDevice;

class CDeckFrame : public ZemChildFrame {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = "Desktop placement";
    static constexpr const char* kCloseTitle = "Confirm close";
    static constexpr const char* kCloseQuestion =
        "This device is still playing.  Are you sure you want to close?";
    // True for yes. The default is a warning box with Yes and No.
    using CloseQuestion =
        std::function<bool(QWidget* parent, const QString& title, const QString& text)>;

    explicit CDeckFrame(QWidget* parent = nullptr);

    // The placement key needs the deck's channel, which only the open gives.
    void OnCreateFrame() override;
    // Sizes the frame to its view, restores the stored corner (keeping the size), shows it,
    // and opens the equalizer when "Playback"/"On open load EQ" asks for it.
    void OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) override;
    // Key base "Channel %d" with the deck's channel; kept while the frame has no deck.
    void UpdatePlacementKey();
    CMixerDeviceView* GetDeckView() const;
    // The keyboard layer's key release of a deck command.
    void ForwardKeyRelease(int command, Qt::KeyboardModifiers keys);

    static void SetCloseQuestion(CloseQuestion question);
    // True when the deck's window may close: it is not playing, or the user said yes.
    static bool MayCloseDeck(QWidget* parent, MixerDevice* deck);

protected:
    void closeEvent(QCloseEvent* event) override;
};
