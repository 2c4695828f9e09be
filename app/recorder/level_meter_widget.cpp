#include "app/recorder/level_meter_widget.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kClipWidth = 14;
constexpr int kGap = 4;
} // namespace

LevelMeterWidget::LevelMeterWidget(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(14);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void LevelMeterWidget::SetLevels(float peak, float rms, bool clip) {
    if (peak == m_peak && rms == m_rms && clip == m_clip)
        return;
    m_peak = peak;
    m_rms = rms;
    m_clip = clip;
    update();
}

float LevelMeterWidget::Position(float level) {
    if (level <= 0.f)
        return 0.f;
    const float db = 20.f * std::log10(level);
    return std::clamp((db - kFloorDb) / -kFloorDb, 0.f, 1.f);
}

QSize LevelMeterWidget::sizeHint() const {
    return {320, 16};
}

void LevelMeterWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int barWidth = width() - kClipWidth - kGap;
    const QRect bar(0, 0, barWidth, height());
    p.fillRect(bar, QColor(24, 24, 24));
    // Green to -12 dB, yellow to -3 dB, red above: the bar says how close the mix is to the top.
    const int rmsEnd = static_cast<int>(Position(m_rms) * barWidth);
    const int yellowAt = static_cast<int>(Position(0.251f) * barWidth);
    const int redAt = static_cast<int>(Position(0.708f) * barWidth);
    p.fillRect(QRect(0, 2, std::min(rmsEnd, yellowAt), height() - 4), QColor(60, 200, 80));
    if (rmsEnd > yellowAt)
        p.fillRect(QRect(yellowAt, 2, std::min(rmsEnd, redAt) - yellowAt, height() - 4),
                   QColor(230, 200, 40));
    if (rmsEnd > redAt)
        p.fillRect(QRect(redAt, 2, rmsEnd - redAt, height() - 4), QColor(230, 60, 40));
    const int peakAt = static_cast<int>(Position(m_peak) * barWidth);
    if (peakAt > 0)
        p.fillRect(QRect(std::max(0, peakAt - 2), 0, 2, height()), QColor(240, 240, 240));
    const QRect light(barWidth + kGap, 0, kClipWidth, height());
    p.fillRect(light, m_clip ? QColor(255, 40, 30) : QColor(70, 20, 20));
}
