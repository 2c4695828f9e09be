// A window drawn from the skin: its controls (found by the identifiers they carry) move to
// the places the skin module gives, and those with an element of the skin are drawn from it
// and hit-tested as the skin shows them: buttons in their states, switches that toggle on a
// click anywhere on their image, sliders whose thumb is the skin's image, text windows written
// with the skin's bitmap font. Controls the layout does not place are hidden; placed controls
// without an element keep their own look, in dark colours.
//
// Threads: the user-interface thread.
#pragma once

#include "app/skins/skin.h"
#include "contracts/skin_module.h"

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QSlider>
#include <QWidget>

#include <functional>
#include <map>

namespace zem::skins {

class SkinnedWindow : public QObject {
    Q_OBJECT
public:
    SkinnedWindow(QWidget& window, const CSkin& skin, const SkinModuleInfo& module,
                  SkinWindow kind);

    // Takes over the window's tagged controls and sizes the window to its background.
    void Apply();
    // The background's size, else the extent of the layout.
    QSize WindowSize() const;
    const SkinElement* Background() const { return m_background; }
    // The background's pixels under area (window coordinates) onto the painter at target.
    void PaintBackground(QPainter& painter, const QRect& area, const QRectF& target) const;

    // The element a control is drawn with, asked at each paint (the play button shows pause
    // while the deck plays).
    void SetElementChooser(int id, std::function<const SkinElement*()> chooser);
    // What a click on a text window does.
    void SetClickHandler(int id, std::function<void()> handler);
    // The element to draw a control with when the skin has none of its own identifier.
    void SetFallbackElement(int id, int elementId);
    // A placed control without an element drawn by the window itself, over the background.
    void SetPainter(int id, std::function<void(QPainter&, QWidget&)> painter);
    // The font a text window writes with, when it is not the font of its own identifier.
    void SetFontId(int id, int fontId) { m_fontIds[id] = fontId; }

    const SkinElement* FindElement(int id) const;
    const SkinControlPlace* FindPlace(int id) const;
    QWidget* Control(int id) const;

    // The thumb's rectangle of a skinned slider, in the slider's coordinates.
    static QRectF ThumbRect(const QSlider& slider, const SkinElement& element);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        QPointer<QWidget> widget;
        int id = 0;
    };
    const SkinElement* ElementOf(const Placed& control) const;
    void Paint(QWidget& widget, const Placed& control);
    bool SliderMouse(QSlider& slider, const SkinElement& element, QEvent* event);
    bool SwitchMouse(QAbstractButton& button, QEvent* event);

    QWidget& m_window;
    const CSkin& m_skin;
    const SkinModuleInfo& m_module;
    SkinWindow m_kind;
    const SkinElement* m_background = nullptr;
    std::map<QObject*, Placed> m_controls;
    std::map<int, std::function<const SkinElement*()>> m_choosers;
    std::map<int, std::function<void()>> m_clicks;
    std::map<int, int> m_fallbacks;
    std::map<int, int> m_fontIds;
    std::map<int, std::function<void(QPainter&, QWidget&)>> m_painters;
    double m_grab = 0; // where on the thumb a drag took hold, along the slider
};

} // namespace zem::skins
