// The deck window's drawn controls: sliders that show a marked span (the loop on the position
// slider, the pitch change on the pitch slider) and a jog wheel turned by dragging or by the
// mouse wheel.
#pragma once

#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QWidget>

// A slider that shades the span from..to (in slider units) along its groove.
class MarkedSlider : public QSlider {
    Q_OBJECT
public:
    explicit MarkedSlider(Qt::Orientation orientation, QWidget* parent = nullptr);
    void SetMark(bool shown, int from, int to);
    bool IsMarkShown() const { return m_shown; }
    int GetMarkFrom() const { return m_from; }
    int GetMarkTo() const { return m_to; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_shown = false;
    int m_from = 0;
    int m_to = 0;
};

// Turns: a drag sideways (one unit per pixel) or the mouse wheel (one unit per notch step of
// 15 degrees). The release comes with the mouse button, or shortly after the last wheel step.
class JogWheel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWheelReleaseMs = 300;
    explicit JogWheel(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {64, 64}; }
    // Turns the wheel as the mouse wheel would; other widgets hand their wheel events here.
    void WheelTurn(double notches);
    // Where the wheel's marker points, in degrees.
    double GetAngle() const { return m_angle; }

signals:
    void Turned(double amount);
    void Released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QTimer m_wheelRelease;
    int m_lastX = 0;
    bool m_dragging = false;
    double m_angle = 0;
};

// The position slider: wheel turns go to the jog wheel instead of moving the slider, so that
// they move a stopped deck's position and bend a playing one.
class PositionSlider : public MarkedSlider {
    Q_OBJECT
public:
    explicit PositionSlider(QWidget* parent = nullptr) : MarkedSlider(Qt::Horizontal, parent) {}
    void SetJogWheel(JogWheel* jog) { m_jog = jog; }

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    JogWheel* m_jog = nullptr;
};

// A push button that remembers the modifier keys of the click or key that pressed it, so that
// Ctrl- and Shift-clicks reach the handler as the event carried them.
class DeckButton : public QPushButton {
    Q_OBJECT
public:
    explicit DeckButton(const QString& text, QWidget* parent = nullptr)
        : QPushButton(text, parent) {}
    Qt::KeyboardModifiers GetModifiers() const { return m_modifiers; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    Qt::KeyboardModifiers m_modifiers;
};
