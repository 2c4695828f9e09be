#include "app/skins/skinned_window.h"

#include "app/decks/deck_view/deck_widgets.h"
#include "app/skins/skin_draw.h"
#include "app/skins/skin_module.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QStyle>

namespace zem::skins {

namespace {

constexpr int kDeckBackgroundId = 120;
constexpr int kMixerBackgroundId = 2;

int ControlId(const QWidget& widget) {
    bool ok = false;
    const int id = widget.property(kSkinControlProperty).toInt(&ok);
    return ok ? id : -1;
}

// The travel of a thumb of the given length along a slider: where a value lies and which value
// lies at a position, as Qt's own sliders map them.
struct Track {
    const QSlider& slider;
    int span;
    bool upsideDown;

    Track(const QSlider& s, int thumbLength)
        : slider(s), span(std::max(0, (s.orientation() == Qt::Horizontal ? s.width() : s.height()) -
                                          thumbLength)),
          // Qt puts a vertical slider's minimum at the bottom unless its appearance is inverted.
          upsideDown(s.orientation() == Qt::Vertical ? !s.invertedAppearance()
                                                     : s.invertedAppearance()) {}
    int PositionOf(int value) const {
        return QStyle::sliderPositionFromValue(slider.minimum(), slider.maximum(), value, span,
                                               upsideDown);
    }
    int ValueAt(double position) const {
        return QStyle::sliderValueFromPosition(slider.minimum(), slider.maximum(),
                                               static_cast<int>(std::lround(position)), span,
                                               upsideDown);
    }
};

int ThumbLength(const QSlider& slider, const SkinRect& image) {
    return slider.orientation() == Qt::Horizontal ? image.width : image.height;
}

// The marked span (the loop, the pitch change) as a band along the track, under the thumb.
void PaintMark(QPainter& painter, const MarkedSlider& slider, const SkinElement& element) {
    const bool horizontal = slider.orientation() == Qt::Horizontal;
    const int length = ThumbLength(slider, element.rects[0]);
    const Track track(slider, length);
    const auto at = [&](int value) { return track.PositionOf(value) + length / 2.0; };
    const double a = at(std::min(slider.GetMarkFrom(), slider.GetMarkTo()));
    const double b = at(std::max(slider.GetMarkFrom(), slider.GetMarkTo()));
    const double middle = (horizontal ? slider.height() : slider.width()) / 2.0;
    const QRectF band = horizontal ? QRectF(std::min(a, b), middle - 3, std::abs(b - a) + 1, 6)
                                   : QRectF(middle - 3, std::min(a, b), 6, std::abs(b - a) + 1);
    painter.fillRect(band, QColor(255, 150, 30, 170));
}

QPalette DarkPalette(QPalette palette) {
    // The controls a skin does not draw sit on its dark panels; they should not glare.
    palette.setColor(QPalette::Window, QColor(0x23, 0x26, 0x2b));
    palette.setColor(QPalette::Base, QColor(0x15, 0x17, 0x1a));
    palette.setColor(QPalette::AlternateBase, QColor(0x1d, 0x20, 0x24));
    palette.setColor(QPalette::Button, QColor(0x33, 0x37, 0x3e));
    palette.setColor(QPalette::WindowText, QColor(0xdc, 0xe0, 0xe6));
    palette.setColor(QPalette::Text, QColor(0xdc, 0xe0, 0xe6));
    palette.setColor(QPalette::ButtonText, QColor(0xdc, 0xe0, 0xe6));
    palette.setColor(QPalette::Highlight, QColor(0xff, 0x8c, 0x1a));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    return palette;
}

} // namespace

SkinnedWindow::SkinnedWindow(QWidget& window, const CSkin& skin, const SkinModuleInfo& module,
                             SkinWindow kind)
    : QObject(&window), m_window(window), m_skin(skin), m_module(module), m_kind(kind) {
    m_background = kind == SkinWindow::Deck ? skin.FindDeckElement(kDeckBackgroundId)
                                            : skin.FindMixerElement(kMixerBackgroundId);
    if (m_background && m_background->kind != SkinKind::Background)
        m_background = nullptr;
}

QSize SkinnedWindow::WindowSize() const {
    if (m_background && m_background->bitmap && !m_background->bitmap->image.isNull())
        return m_background->bitmap->image.size();
    QRect extent;
    const int window = m_kind == SkinWindow::Deck ? kSkinWindowDeck : kSkinWindowMixer;
    for (int32_t i = 0; i < m_module.placeCount; ++i) {
        const SkinControlPlace& p = m_module.places[i];
        if (p.window == window)
            extent |= QRect(0, 0, p.x + p.width, p.y + p.height);
    }
    return extent.size().expandedTo(QSize(1, 1));
}

const SkinControlPlace* SkinnedWindow::FindPlace(int id) const {
    return zem::skins::FindPlace(
        m_module, m_kind == SkinWindow::Deck ? kSkinWindowDeck : kSkinWindowMixer, id);
}

const SkinElement* SkinnedWindow::FindElement(int id) const {
    return m_kind == SkinWindow::Deck ? m_skin.FindDeckElement(id) : m_skin.FindMixerElement(id);
}

QWidget* SkinnedWindow::Control(int id) const {
    for (const auto& [object, control] : m_controls)
        if (control.id == id)
            return control.widget;
    return nullptr;
}

void SkinnedWindow::Apply() {
    // The window's own arrangement gives way to the skin's places.
    delete m_window.layout();
    m_window.setPalette(DarkPalette(m_window.palette()));
    const auto children = m_window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow())
            continue;
        const int id = ControlId(*child);
        const SkinControlPlace* place = id >= 0 ? FindPlace(id) : nullptr;
        if (!place) {
            child->hide();
            continue;
        }
        child->setMinimumSize(0, 0);
        child->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        child->setGeometry(place->x, place->y, std::max(0, place->width),
                           std::max(0, place->height));
        child->show();
        m_controls[child] = {child, id};
        child->installEventFilter(this);
    }
    m_window.setFixedSize(WindowSize());
}

void SkinnedWindow::SetElementChooser(int id, std::function<const SkinElement*()> chooser) {
    m_choosers[id] = std::move(chooser);
}

void SkinnedWindow::SetClickHandler(int id, std::function<void()> handler) {
    m_clicks[id] = std::move(handler);
}

void SkinnedWindow::SetFallbackElement(int id, int elementId) {
    m_fallbacks[id] = elementId;
}

void SkinnedWindow::SetPainter(int id, std::function<void(QPainter&, QWidget&)> painter) {
    m_painters[id] = std::move(painter);
}

const SkinElement* SkinnedWindow::ElementOf(const Placed& control) const {
    if (auto it = m_choosers.find(control.id); it != m_choosers.end())
        if (const SkinElement* chosen = it->second())
            return chosen;
    if (const SkinElement* own = FindElement(control.id))
        return own;
    if (auto it = m_fallbacks.find(control.id); it != m_fallbacks.end())
        return FindElement(it->second);
    return nullptr;
}

void SkinnedWindow::PaintBackground(QPainter& painter, const QRect& area,
                                    const QRectF& target) const {
    if (!m_background) {
        painter.fillRect(target, Qt::black);
        return;
    }
    DrawPart(painter, m_background->bitmap, {area.x(), area.y(), area.width(), area.height()},
             target);
}

QRectF SkinnedWindow::ThumbRect(const QSlider& slider, const SkinElement& element) {
    const SkinRect& image = element.rects[slider.isSliderDown() ? 1 : 0];
    const bool horizontal = slider.orientation() == Qt::Horizontal;
    const int across = horizontal ? image.height : image.width;
    const int at = Track(slider, ThumbLength(slider, image)).PositionOf(slider.sliderPosition());
    const double middle = ((horizontal ? slider.height() : slider.width()) - across) / 2.0;
    return horizontal ? QRectF(at, middle, image.width, image.height)
                      : QRectF(middle, at, image.width, image.height);
}

void SkinnedWindow::Paint(QWidget& widget, const Placed& control) {
    QPainter painter(&widget);
    const SkinElement* element = ElementOf(control);
    const QRectF whole(widget.rect());
    if (auto* slider = qobject_cast<QSlider*>(&widget); slider && element) {
        PaintBackground(painter, widget.geometry(), whole);
        if (auto* marked = dynamic_cast<MarkedSlider*>(slider); marked && marked->IsMarkShown())
            PaintMark(painter, *marked, *element);
        const SkinRect& image = element->rects[slider->isSliderDown() ? 1 : 0];
        DrawPart(painter, element->bitmap, image, ThumbRect(*slider, *element));
        return;
    }
    if (auto* label = qobject_cast<QLabel*>(&widget); label && element && element->text) {
        PaintBackground(painter, widget.geometry(), whole);
        const auto fontId = m_fontIds.find(control.id);
        if (const SkinElement* font =
                m_skin.FindFont(fontId != m_fontIds.end() ? fontId->second : control.id))
            DrawText(painter, *font, *element->text, label->text().toLatin1(), {0, 0});
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(&widget); button && element) {
        DrawElement(painter, *element, button->isDown(), button->isChecked(), whole);
        if (!button->isEnabled())
            painter.fillRect(whole, QColor(0, 0, 0, 110));
        return;
    }
    PaintBackground(painter, widget.geometry(), whole);
    if (auto it = m_painters.find(control.id); it != m_painters.end())
        it->second(painter, widget);
}

bool SkinnedWindow::SliderMouse(QSlider& slider, const SkinElement& element, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const bool horizontal = slider.orientation() == Qt::Horizontal;
    const QPointF at = mouse->position();
    const double along = horizontal ? at.x() : at.y();
    const QRectF thumb = ThumbRect(slider, element);
    const double thumbStart = horizontal ? thumb.x() : thumb.y();
    const double thumbLength = horizontal ? thumb.width() : thumb.height();
    const Track track(slider, static_cast<int>(thumbLength));
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (mouse->button() != Qt::LeftButton)
            return true;
        if (thumb.contains(at)) {
            m_grab = along - thumbStart;
            slider.setSliderDown(true);
        } else {
            // A click beside the thumb pages toward the click, as the plain slider does.
            slider.triggerAction(track.ValueAt(along - thumbLength / 2) > slider.sliderPosition()
                                     ? QAbstractSlider::SliderPageStepAdd
                                     : QAbstractSlider::SliderPageStepSub);
        }
        slider.update();
        return true;
    case QEvent::MouseMove:
        if (slider.isSliderDown())
            slider.setSliderPosition(track.ValueAt(along - m_grab));
        return true;
    case QEvent::MouseButtonRelease:
        if (slider.isSliderDown() && mouse->button() == Qt::LeftButton) {
            slider.setSliderDown(false);
            slider.update();
        }
        return true;
    default:
        return false;
    }
}

bool SkinnedWindow::SwitchMouse(QAbstractButton& button, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (mouse->button() == Qt::LeftButton)
            button.setDown(true);
        return true;
    case QEvent::MouseMove:
        return true;
    case QEvent::MouseButtonRelease:
        if (button.isDown() && mouse->button() == Qt::LeftButton) {
            button.setDown(false);
            // The skin's image is the switch: a click anywhere on it toggles.
            if (button.rect().contains(mouse->position().toPoint()))
                button.click();
        }
        return true;
    default:
        return false;
    }
}

bool SkinnedWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Paint && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    auto it = m_controls.find(watched);
    if (it == m_controls.end() || !it->second.widget)
        return false;
    const Placed& control = it->second;
    QWidget& widget = *control.widget;
    const SkinElement* element = ElementOf(control);
    const bool painted = element || m_painters.count(control.id);
    switch (event->type()) {
    case QEvent::Paint:
        if (!painted)
            return false;
        Paint(widget, control);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (auto click = m_clicks.find(control.id); click != m_clicks.end()) {
            if (event->type() == QEvent::MouseButtonRelease &&
                static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                click->second();
            return true;
        }
        if (!element || !widget.isEnabled())
            return false;
        if (auto* slider = qobject_cast<QSlider*>(&widget);
            slider && element->kind == SkinKind::Slider)
            return SliderMouse(*slider, *element, event);
        if (auto* box = qobject_cast<QCheckBox*>(&widget))
            return SwitchMouse(*box, event);
        return false;
    default:
        return false;
    }
}

} // namespace zem::skins
