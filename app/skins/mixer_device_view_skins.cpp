#include "app/skins/mixer_device_view_skins.h"

#include "app/decks/deck_view/deck_widgets.h"
#include "app/framework/zem_child_frame.h"
#include "app/skins/skin_draw.h"
#include "app/skins/skin_module.h"
#include "app/waveform/wave_overview.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include <cmath>
#include <numbers>

using namespace zem::skins;
namespace ids = SkinDeckControl;

namespace {

constexpr int kPauseElementId = 1084;
constexpr char kLightElementName[] = "D_ACTIVATED_LED";
constexpr char kCaptionElementName[] = "D_MIXERDEVICE_CAPTION";
constexpr int kCaptionFontId = 120;

QMdiSubWindow* FrameOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w))
            return frame;
    return nullptr;
}

// The title bar: dragging it moves the window, pressing it activates the window.
class CaptionBar : public QWidget {
public:
    explicit CaptionBar(QWidget* parent) : QWidget(parent) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        QMdiSubWindow* frame = FrameOf(this);
        if (!frame || event->button() != Qt::LeftButton)
            return;
        if (QMdiArea* area = frame->mdiArea())
            area->setActiveSubWindow(frame);
        m_start = event->globalPosition().toPoint();
        m_frameStart = frame->pos();
        m_dragging = true;
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (QMdiSubWindow* frame = FrameOf(this); frame && m_dragging)
            frame->move(m_frameStart + event->globalPosition().toPoint() - m_start);
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_dragging = false; }

private:
    QPoint m_start;
    QPoint m_frameStart;
    bool m_dragging = false;
};

// Skins have no place for the waveform overview: it takes a free strip just above the
// position slider (else just below it), starting where the slider starts and as wide as the
// skin's other controls leave room for, at least half the slider's width; without such room it
// stays hidden.
QRect OverviewPlace(const SkinModuleInfo& module, int windowHeight) {
    const SkinControlPlace* slider = FindPlace(module, kSkinWindowDeck, ids::kPositionSlider);
    if (!slider)
        return {};
    constexpr int kMaxHeight = 24, kMinHeight = 8, kGap = 2;
    const QRect s(slider->x, slider->y, slider->width, slider->height);
    const auto fit = [&](const QRect& strip) {
        if (strip.top() < 0 || strip.bottom() >= windowHeight)
            return QRect();
        int right = strip.right();
        for (int32_t i = 0; i < module.placeCount; ++i) {
            const SkinControlPlace& p = module.places[i];
            const QRect r(p.x, p.y, p.width, p.height);
            if (p.window != kSkinWindowDeck || &p == slider || !r.intersects(strip))
                continue;
            if (r.left() <= strip.left())
                return QRect();
            right = std::min(right, r.left() - kGap - 1);
        }
        const QRect placed(strip.topLeft(), QPoint(right, strip.bottom()));
        return placed.width() * 2 >= s.width() ? placed : QRect();
    };
    for (int h = kMaxHeight; h >= kMinHeight; --h) {
        if (QRect r = fit({s.left(), s.top() - kGap - h, s.width(), h}); !r.isEmpty())
            return r;
        if (QRect r = fit({s.left(), s.bottom() + 1 + kGap, s.width(), h}); !r.isEmpty())
            return r;
    }
    return {};
}

} // namespace

CMixerDeviceViewSkins::CMixerDeviceViewSkins(const CSkin& skin, const SkinModuleInfo& module,
                                             QWidget* parent)
    : CMixerDeviceView(parent), m_skin(skin) {
    setAutoFillBackground(false);

    m_caption = new CaptionBar(this);
    m_caption->setObjectName(QStringLiteral("caption"));
    m_caption->setProperty(kSkinControlProperty, ids::kCaption);
    m_captionText = new QLabel(this);
    m_captionText->setObjectName(QStringLiteral("captionText"));
    m_captionText->setProperty(kSkinControlProperty, ids::kCaptionText);
    m_light = new QWidget(this);
    m_light->setObjectName(QStringLiteral("activityLight"));
    m_light->setProperty(kSkinControlProperty, ids::kActivityLight);
    // Drags on the title and the light move the window like the rest of the title bar.
    m_captionText->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_light->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* minimise = new QToolButton(this);
    minimise->setObjectName(QStringLiteral("minimiseButton"));
    minimise->setProperty(kSkinControlProperty, ids::kMinimise);
    minimise->setIcon(style()->standardIcon(QStyle::SP_TitleBarMinButton));
    minimise->setAutoRaise(true);
    minimise->setFocusPolicy(Qt::NoFocus);
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setProperty(kSkinControlProperty, ids::kClose);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    connect(minimise, &QToolButton::clicked, this, [this] {
        // A minimised window has the system's frame, whose title bar is all there is of it;
        // the frame is put on before minimising, so that the workspace shelves it as such.
        if (QMdiSubWindow* frame = FrameOf(this)) {
            frame->setWindowFlags(Qt::SubWindow);
            frame->show();
            frame->showMinimized();
        }
    });
    connect(close, &QToolButton::clicked, this, [this] {
        if (QMdiSubWindow* frame = FrameOf(this))
            frame->close();
    });

    m_skinned = new SkinnedWindow(*this, skin, module, SkinWindow::Deck);
    m_skinned->SetElementChooser(ids::kPlay, [this]() -> const SkinElement* {
        return IsPauseShown() ? m_skin.FindDeckElement(kPauseElementId) : nullptr;
    });
    m_skinned->SetFallbackElement(ids::kVolumeSlider, ids::kPitchSlider);
    m_skinned->SetFontId(ids::kCaptionText, kCaptionFontId);
    if (auto* timeMode = findChild<QPushButton*>(QStringLiteral("timeModeButton")))
        m_skinned->SetClickHandler(ids::kStatusWindow, [timeMode] { timeMode->click(); });
    m_skinned->SetPainter(ids::kCaption, [this](QPainter& painter, QWidget& widget) {
        const SkinElement* caption =
            m_skin.FindDeckElementNamed(ids::kCaption, kCaptionElementName);
        QMdiSubWindow* frame = FrameOf(this);
        const bool active =
            frame && frame->mdiArea() && frame->mdiArea()->activeSubWindow() == frame;
        if (caption)
            DrawElement(painter, *caption, active, false, QRectF(widget.rect()));
    });
    m_skinned->SetPainter(ids::kActivityLight, [this](QPainter& painter, QWidget& widget) {
        if (const SkinElement* light =
                m_skin.FindDeckElementNamed(ids::kCaption, kLightElementName))
            DrawElement(painter, *light, IsPauseShown(), false, QRectF(widget.rect()));
    });
    m_skinned->SetPainter(ids::kJogWheel, [](QPainter& painter, QWidget& widget) {
        // The wheel is the skin's; the marker shows it turning.
        auto* jog = static_cast<JogWheel*>(&widget);
        const QPointF centre = QRectF(widget.rect()).center();
        const double radius = std::min(widget.width(), widget.height()) / 2.0 - 7;
        const double radians = jog->GetAngle() * std::numbers::pi / 180.0;
        const QPointF dot = centre + QPointF(std::sin(radians), -std::cos(radians)) * radius;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0, 0, 0, 160), 1.5));
        painter.setBrush(QColor(0xff, 0x8c, 0x1a));
        painter.drawEllipse(dot, 3.5, 3.5);
    });
    // The fine steps have no element of their own: the background shows them, and a press
    // lights them up.
    for (int id : {ids::kFinePitchUp, ids::kFinePitchDown})
        m_skinned->SetPainter(id, [](QPainter& painter, QWidget& widget) {
            if (static_cast<QAbstractButton&>(widget).isDown())
                painter.fillRect(widget.rect(), QColor(0xff, 0x8c, 0x1a, 90));
        });
    m_skinned->Apply();
    if (const QRect place = OverviewPlace(module, m_skinned->WindowSize().height());
        !place.isEmpty()) {
        GetWaveOverview()->setGeometry(place);
        GetWaveOverview()->show();
    }
    // The caption's own buttons and texts lie on the title bar.
    for (QWidget* w : {static_cast<QWidget*>(m_captionText), m_light,
                       static_cast<QWidget*>(minimise), static_cast<QWidget*>(close)})
        w->raise();
}

CMixerDeviceViewSkins::~CMixerDeviceViewSkins() {
    // The controls are destroyed after this class's part of the window; their last events must
    // not reach a filter that asks this part.
    delete m_skinned;
    m_skinned = nullptr;
}

QSize CMixerDeviceViewSkins::sizeHint() const {
    return m_skinned->WindowSize();
}

void CMixerDeviceViewSkins::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_skinned->PaintBackground(painter, rect(), QRectF(rect()));
}

void CMixerDeviceViewSkins::PlayStateChanged(bool) {
    m_light->update();
    if (QWidget* play = m_skinned->Control(ids::kPlay))
        play->update();
}

void CMixerDeviceViewSkins::OnInitialUpdate() {
    CMixerDeviceView::OnInitialUpdate();
    FollowFrame();
}

void CMixerDeviceViewSkins::FollowFrame() {
    QMdiSubWindow* frame = FrameOf(this);
    if (!frame || m_followingFrame)
        return;
    m_followingFrame = true;
    m_captionText->setText(frame->windowTitle());
    connect(frame, &QWidget::windowTitleChanged, m_captionText, &QLabel::setText);
    if (QMdiArea* area = frame->mdiArea())
        connect(area, &QMdiArea::subWindowActivated, m_caption, [this] { m_caption->update(); });
    // Back from minimised (by the system frame's buttons), the skin draws the frame again.
    const auto applyFrame = [frame] {
        const Qt::WindowFlags skinned = Qt::SubWindow | Qt::FramelessWindowHint;
        if (frame->isMinimized() || frame->windowFlags() == skinned)
            return;
        frame->setWindowFlags(skinned);
        frame->show();
        frame->adjustSize();
    };
    connect(frame, &QMdiSubWindow::windowStateChanged, this, applyFrame, Qt::QueuedConnection);
    applyFrame();
    frame->adjustSize();
}
