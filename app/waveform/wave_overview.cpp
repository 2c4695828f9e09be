#include "app/waveform/wave_overview.h"

#include <QMouseEvent>
#include <QPainter>

using namespace zem::wave;

namespace {

const QColor kBackground(0x14, 0x16, 0x1a);
const QColor kPeak(0x3c, 0x9a, 0xd8);
const QColor kBody(0x9c, 0xd6, 0xff);
const QColor kLoop(0xff, 0xd0, 0x40, 70);
const QColor kCue(0xff, 0x8c, 0x1a);
const QColor kPlay(0xff, 0xff, 0xff);

} // namespace

WaveOverview::WaveOverview(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("waveOverview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("The song's waveform: click to play from there"));
}

QSize WaveOverview::sizeHint() const {
    return {200, kPreferredHeight};
}

QSize WaveOverview::minimumSizeHint() const {
    return {40, 16};
}

void WaveOverview::ShowSong(const std::string& path, std::shared_ptr<const WaveSummary> summary) {
    if (path == m_path && m_logic.Summary() == summary)
        return;
    m_path = path;
    m_logic.SetSummary(std::move(summary));
    update();
}

void WaveOverview::Poll(const OverviewMarks& marks, uint64_t spanFrames) {
    const bool moved = m_logic.SetMarks(marks);
    m_logic.SetSpan(spanFrames);
    if (moved || m_logic.PeaksStale(static_cast<int>(width() * devicePixelRatioF())))
        update();
}

void WaveOverview::RenderPeaks() {
    const qreal dpr = devicePixelRatioF();
    const int w = std::max(1, static_cast<int>(width() * dpr));
    const int h = std::max(1, static_cast<int>(height() * dpr));
    if (m_peaks.size() != QSize(w, h))
        m_peaks = QImage(w, h, QImage::Format_RGB32);
    m_peaks.fill(kBackground);
    const std::vector<WaveColumn> columns = m_logic.TakeColumns(w);
    const double mid = h / 2.0;
    const double scale = (h / 2.0 - 1) / 32768.0;
    const QRgb peak = kPeak.rgb();
    const QRgb body = kBody.rgb();
    // Column by column straight into the pixels: a line per column through QPainter is the
    // slow part of drawing a long song.
    for (int x = 0; x < w; ++x) {
        const WaveColumn& c = columns[static_cast<size_t>(x)];
        if (c.empty)
            continue;
        const int top = std::clamp(static_cast<int>(mid - c.max * scale), 0, h - 1);
        const int bottom = std::clamp(static_cast<int>(mid - c.min * scale), 0, h - 1);
        const int rmsTop = std::clamp(static_cast<int>(mid - c.rms * scale), top, bottom);
        const int rmsBottom = std::clamp(static_cast<int>(mid + c.rms * scale), rmsTop, bottom);
        for (int y = top; y <= bottom; ++y)
            reinterpret_cast<QRgb*>(m_peaks.scanLine(y))[x] =
                y >= rmsTop && y <= rmsBottom ? body : peak;
    }
    m_peaks.setDevicePixelRatio(dpr);
}

void WaveOverview::paintEvent(QPaintEvent*) {
    if (m_logic.PeaksStale(static_cast<int>(width() * devicePixelRatioF())) || m_peaks.isNull())
        RenderPeaks();
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_peaks);
    const int w = width();
    const OverviewMarks& marks = m_logic.Marks();
    if (marks.loopFrom >= 0 && marks.loopTo > marks.loopFrom) {
        const int from = m_logic.XOf(marks.loopFrom, w);
        const int to = m_logic.XOf(marks.loopTo, w);
        painter.fillRect(QRect(from, 0, std::max(1, to - from + 1), height()), kLoop);
    }
    painter.setPen(kCue);
    for (int64_t cue : marks.cues)
        if (const int x = m_logic.XOf(cue, w); x >= 0) {
            painter.drawLine(x, 0, x, height() - 1);
            painter.fillRect(QRect(x - 2, 0, 5, 3), kCue);
        }
    if (const int x = m_logic.XOf(marks.play, w); x >= 0) {
        painter.fillRect(QRect(x - 1, 0, 3, height()), QColor(0, 0, 0, 120));
        painter.setPen(kPlay);
        painter.drawLine(x, 0, x, height() - 1);
    }
}

void WaveOverview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_seek || m_logic.Span() == 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_seek(WaveOverviewLogic::FractionAt(static_cast<int>(event->position().x()), width()));
}
