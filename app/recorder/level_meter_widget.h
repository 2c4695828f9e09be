// One channel's level bar: the RMS level as a filled bar, the peak as a thin line, on a
// -60..0 dB scale, and a clip light at the right end.
#pragma once

#include <QWidget>

class LevelMeterWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr float kFloorDb = -60.f;

    explicit LevelMeterWidget(QWidget* parent = nullptr);

    // Levels of full scale (0..1).
    void SetLevels(float peak, float rms, bool clip);
    float Peak() const { return m_peak; }
    float Rms() const { return m_rms; }
    bool Clip() const { return m_clip; }
    // Where a level of full scale sits on the bar (0 left end, 1 right end).
    static float Position(float level);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float m_peak = 0.f;
    float m_rms = 0.f;
    bool m_clip = false;
};
