#include "app/decks/deck_view/deck_widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

MarkedSlider::MarkedSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent) {}

void MarkedSlider::SetMark(bool shown, int from, int to) {
    if (shown == m_shown && from == m_from && to == m_to)
        return;
    m_shown = shown;
    m_from = from;
    m_to = to;
    update();
}

void MarkedSlider::paintEvent(QPaintEvent* event) {
    if (m_shown && maximum() > minimum()) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect groove =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
        const QRect handle =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        // Positions along the groove as the style places the handle's centre.
        const bool horizontal = orientation() == Qt::Horizontal;
        const int span =
            horizontal ? groove.width() - handle.width() : groove.height() - handle.height();
        const auto at = [&](int value) {
            const int clamped = std::clamp(value, minimum(), maximum());
            return QStyle::sliderPositionFromValue(minimum(), maximum(), clamped, span,
                                                   option.upsideDown) +
                   (horizontal ? groove.left() + handle.width() / 2
                               : groove.top() + handle.height() / 2);
        };
        const int a = at(m_from);
        const int b = at(m_to);
        QPainter painter(this);
        const QColor colour(40, 160, 60, 150);
        if (horizontal)
            painter.fillRect(QRect(std::min(a, b), 0, std::abs(b - a) + 1, height()), colour);
        else
            painter.fillRect(QRect(0, std::min(a, b), width(), std::abs(b - a) + 1), colour);
    }
    QSlider::paintEvent(event);
}

JogWheel::JogWheel(QWidget* parent) : QWidget(parent) {
    m_wheelRelease.setSingleShot(true);
    m_wheelRelease.setInterval(kWheelReleaseMs);
    connect(&m_wheelRelease, &QTimer::timeout, this, &JogWheel::Released);
    setMinimumSize(48, 48);
    setCursor(Qt::SizeHorCursor);
    setToolTip(QStringLiteral("Jog wheel: drag sideways or turn the mouse wheel"));
}

void JogWheel::WheelTurn(double notches) {
    m_angle += notches * 15;
    update();
    emit Turned(notches);
    m_wheelRelease.start();
}

void JogWheel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 4;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    painter.setBrush(palette().button());
    painter.setPen(QPen(palette().windowText().color(), 1.5));
    painter.drawEllipse(circle);
    // A spoke shows the turn.
    const double radians = m_angle * std::numbers::pi / 180.0;
    const QPointF centre = circle.center();
    const double r = side / 2.0 - 4;
    painter.drawLine(centre, centre + QPointF(std::sin(radians) * r, -std::cos(radians) * r));
}

void JogWheel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_lastX = event->position().toPoint().x();
}

void JogWheel::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    const int x = event->position().toPoint().x();
    const int delta = x - m_lastX;
    if (delta == 0)
        return;
    m_lastX = x;
    m_angle += delta * 3;
    update();
    emit Turned(delta);
}

void JogWheel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    emit Released();
}

void JogWheel::wheelEvent(QWheelEvent* event) {
    WheelTurn(event->angleDelta().y() / 120.0);
    event->accept();
}

void PositionSlider::wheelEvent(QWheelEvent* event) {
    if (!m_jog) {
        MarkedSlider::wheelEvent(event);
        return;
    }
    m_jog->WheelTurn(event->angleDelta().y() / 120.0);
    event->accept();
}

void DeckButton::mousePressEvent(QMouseEvent* event) {
    m_modifiers = event->modifiers();
    QPushButton::mousePressEvent(event);
}

void DeckButton::mouseReleaseEvent(QMouseEvent* event) {
    m_modifiers = event->modifiers();
    QPushButton::mouseReleaseEvent(event);
}

void DeckButton::keyPressEvent(QKeyEvent* event) {
    m_modifiers = event->modifiers();
    QPushButton::keyPressEvent(event);
}

void DeckButton::keyReleaseEvent(QKeyEvent* event) {
    m_modifiers = event->modifiers();
    QPushButton::keyReleaseEvent(event);
}
