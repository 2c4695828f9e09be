#include "app/wave_editor/wave_editor_view.h"

#include "app/decks/deck_view/zem_doc.h"
#include "app/framework/command_target.h"
#include "app/framework/zem_child_frame.h"
#include "app/waveform/wave_summary.h"
#include "engine/deck/mixer_device.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

using namespace zem::waveedit;
using zem::wave::WaveColumn;
using zem::wave::WaveSummary;

namespace {

CWaveEditorView::SummarySource& Source() {
    static CWaveEditorView::SummarySource source = [](const std::string& path) {
        return zem::wave::ProgramWaveSummaryLoader().Load(path);
    };
    return source;
}

QString TimeText(double frames, int rate) {
    const double seconds = rate > 0 ? std::max(0.0, frames) / rate : 0.0;
    const int minutes = static_cast<int>(seconds / 60);
    return QString::asprintf("%d:%04.1f", minutes, seconds - minutes * 60);
}

int YOf(int value, const QRect& rect) {
    const double half = rect.height() / 2.0;
    return static_cast<int>(std::lround(rect.top() + half - value / 32768.0 * half));
}

} // namespace

void CWaveEditorView::SetSummarySource(SummarySource source) {
    Source() = source ? std::move(source) : SummarySource([](const std::string& path) {
        return zem::wave::ProgramWaveSummaryLoader().Load(path);
    });
}

CWaveEditorView::CWaveEditorView(QWidget* parent) : ZemView(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::WheelFocus);
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &CWaveEditorView::Refresh);
}

CWaveEditorView::~CWaveEditorView() = default;

CZEMDoc* CWaveEditorView::GetDeckDocument() const {
    return dynamic_cast<CZEMDoc*>(GetDocument());
}

MixerDevice* CWaveEditorView::GetDevice() const {
    CZEMDoc* doc = GetDeckDocument();
    return doc ? doc->GetDevice() : nullptr;
}

QRect CWaveEditorView::OverviewRect() const {
    return {kMargin, kMargin, std::max(1, width() - 2 * kMargin), kOverviewHeight};
}

QRect CWaveEditorView::ZoomRect() const {
    const int top = 2 * kMargin + kOverviewHeight;
    const int bottom = height() - kMargin - kStatusHeight;
    return {kMargin, top, std::max(1, width() - 2 * kMargin), std::max(1, bottom - top)};
}

QSize CWaveEditorView::sizeHint() const {
    return {900, 320};
}

QSize CWaveEditorView::minimumSizeHint() const {
    return {420, 220};
}

void CWaveEditorView::OnInitialUpdate() {
    ZemView::OnInitialUpdate();
    updateWidths();
    followSong();
    m_timer.start();
}

void CWaveEditorView::OnUpdate(ZemView*, long) {
    Refresh();
}

bool CWaveEditorView::OnCommand(int id) {
    if (id != kCommandFileClose)
        return ZemView::OnCommand(id);
    if (ZemChildFrame* frame = GetParentFrame())
        frame->close();
    return true;
}

bool CWaveEditorView::OnUpdateCommand(int id, ZemCommandState& state) {
    return id == kCommandFileClose || ZemView::OnUpdateCommand(id, state);
}

void CWaveEditorView::followSong() {
    MixerDevice* deck = GetDevice();
    char buffer[MixerDevice::kPathSize] = {};
    const std::string path = deck ? deck->GetFullPath(buffer) : std::string();
    if (deck == m_logic.GetDeck() && path == m_songPath && (m_summary || path.empty()))
        return;
    m_songPath = path;
    m_summary = path.empty() ? nullptr : Source()(path);
    m_logic.SetDeck(deck);
    updateWidths();
    updateTotal();
    m_shown = Shown();
    update();
}

void CWaveEditorView::updateTotal() {
    int64_t total = m_logic.DeckLengthFrames();
    if (m_summary) {
        const auto read = static_cast<int64_t>(m_summary->FramesRead());
        // A finished read knows the length exactly; before that the larger guess keeps the
        // frames already shown in view.
        total = m_summary->IsComplete()
                    ? read
                    : std::max({total, read, static_cast<int64_t>(m_summary->TotalFrames())});
    }
    if (total != m_logic.GetTotalFrames())
        m_logic.SetTotalFrames(total);
}

void CWaveEditorView::updateWidths() {
    m_logic.SetWidths(OverviewRect().width(), ZoomRect().width());
}

CWaveEditorView::Shown CWaveEditorView::currentState() const {
    Shown s;
    s.generation = m_summary ? m_summary->Generation() : 0;
    s.play = m_logic.PlayFrame();
    s.first = m_logic.GetZoom().GetFirstFrame();
    s.framesPerPixel = m_logic.GetZoom().GetFramesPerPixel();
    s.total = m_logic.GetTotalFrames();
    for (const CueMark& mark : m_logic.Cues())
        s.cues.emplace_back(mark.cue, mark.frame);
    if (const auto loop = m_logic.LoopSpan()) {
        s.loopStart = loop->start;
        s.loopEnd = loop->end;
    }
    return s;
}

void CWaveEditorView::Refresh() {
    followSong();
    updateTotal();
    m_logic.Tick();
    Shown now = currentState();
    if (now == m_shown)
        return;
    m_shown = std::move(now);
    update();
}

QString CWaveEditorView::StatusText() const {
    if (!m_logic.GetDeck() || m_songPath.empty())
        return QStringLiteral("No song in the deck");
    const int rate = m_summary
                         ? m_summary->SampleRate()
                         : static_cast<int>(m_logic.GetDeck()->GetWaveFormatEx()->nSamplesPerSec);
    const WaveViewRange& zoom = m_logic.GetZoom();
    QString text = QStringLiteral("Showing %1 to %2 of %3")
                       .arg(TimeText(zoom.GetFirstFrame(), rate),
                            TimeText(zoom.GetFirstFrame() + zoom.GetVisibleFrames(), rate),
                            TimeText(static_cast<double>(m_logic.GetTotalFrames()), rate));
    if (!m_summary || m_summary->IsFailed())
        return text + QStringLiteral(" - the waveform could not be read");
    if (!m_summary->IsComplete()) {
        const double total = static_cast<double>(std::max<int64_t>(1, m_logic.GetTotalFrames()));
        const int percent = std::min(
            99, static_cast<int>(100.0 * static_cast<double>(m_summary->FramesRead()) / total));
        text += QStringLiteral(" - reading the waveform: %1%").arg(percent);
    }
    return text;
}

void CWaveEditorView::drawStrip(QPainter& painter, const QRect& rect,
                                const WaveViewRange& range) const {
    painter.fillRect(rect, kUnread);
    if (!m_summary)
        return;
    const double first = range.GetFirstFrame();
    const auto from = static_cast<uint64_t>(std::floor(first));
    const auto to = static_cast<uint64_t>(std::ceil(first + range.GetVisibleFrames()));
    const std::vector<WaveColumn> columns =
        m_summary->Reduce(from, std::max(to, from + 1), rect.width());
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const WaveColumn& c = columns[static_cast<size_t>(i)];
        if (c.empty)
            continue;
        const int x = rect.left() + i;
        painter.setPen(kBackground);
        painter.drawLine(x, rect.top(), x, rect.bottom());
        painter.setPen(kPeak);
        painter.drawLine(x, YOf(c.max, rect), x, YOf(c.min, rect));
        const int rms = std::min<int>(c.rms, std::max<int>(c.max, -c.min));
        painter.setPen(kRms);
        painter.drawLine(x, YOf(std::min<int>(rms, c.max), rect), x,
                         YOf(std::max<int>(-rms, c.min), rect));
    }
}

void CWaveEditorView::drawMarks(QPainter& painter, const QRect& rect, const WaveViewRange& range,
                                bool flags) const {
    auto xOf = [&](int64_t frame) {
        return rect.left() +
               static_cast<int>(std::lround(range.PixelOf(static_cast<double>(frame))));
    };
    painter.save();
    painter.setClipRect(rect);
    if (const auto loop = m_logic.LoopSpan()) {
        const int left = xOf(loop->start);
        painter.fillRect(QRect(left, rect.top(), std::max(1, xOf(loop->end) - left), rect.height()),
                         kLoopShade);
    }
    QFont font = painter.font();
    font.setPixelSize(kFlagHeight - 3);
    font.setBold(true);
    painter.setFont(font);
    for (const CueMark& mark : m_logic.Cues()) {
        const int x = xOf(mark.frame);
        painter.setPen(kCueColour);
        painter.drawLine(x, rect.top(), x, rect.bottom());
        if (!flags)
            continue;
        const QRect flag(x, rect.top(), kFlagWidth, kFlagHeight);
        painter.fillRect(flag, kCueColour);
        painter.setPen(Qt::black);
        painter.drawText(flag, Qt::AlignCenter, QString::number(mark.cue));
    }
    const int play = xOf(m_logic.PlayFrame());
    painter.setPen(QPen(kPlayLine, 2));
    painter.drawLine(play, rect.top(), play, rect.bottom());
    painter.restore();
}

void CWaveEditorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    const QRect overview = OverviewRect();
    const QRect zoom = ZoomRect();
    drawStrip(painter, overview, m_logic.GetOverview());
    drawMarks(painter, overview, m_logic.GetOverview(), false);
    drawStrip(painter, zoom, m_logic.GetZoom());
    drawMarks(painter, zoom, m_logic.GetZoom(), true);

    // Where the zoomed view lies in the whole song.
    const WaveViewRange& all = m_logic.GetOverview();
    const WaveViewRange& part = m_logic.GetZoom();
    const int left = overview.left() + static_cast<int>(all.PixelOf(part.GetFirstFrame()));
    const int span =
        std::max(2, static_cast<int>(part.GetVisibleFrames() / all.GetFramesPerPixel()));
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(left, overview.top(), span - 1, overview.height() - 1));

    painter.setPen(Qt::lightGray);
    painter.drawText(
        QRect(kMargin, zoom.bottom() + 1, width() - 2 * kMargin, kStatusHeight + kMargin),
        Qt::AlignLeft | Qt::AlignVCenter, StatusText());
}

void CWaveEditorView::resizeEvent(QResizeEvent* event) {
    ZemView::resizeEvent(event);
    updateWidths();
}

void CWaveEditorView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return ZemView::mousePressEvent(event);
    const QPointF p = event->position();
    if (OverviewRect().contains(p.toPoint())) {
        m_drag = Drag::Overview;
        m_logic.PressOverview(p.x() - OverviewRect().left());
    } else if (ZoomRect().contains(p.toPoint())) {
        m_drag = Drag::Zoom;
        m_logic.PressZoom(p.x() - ZoomRect().left(), p.y() - ZoomRect().top());
    }
    Refresh();
}

void CWaveEditorView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (m_drag == Drag::Overview)
        m_logic.PressOverview(p.x() - OverviewRect().left());
    else if (m_drag == Drag::Zoom)
        m_logic.MoveZoom(p.x() - ZoomRect().left());
    const bool onCue = m_logic.GetDraggedCue() >= 0 ||
                       (ZoomRect().contains(p.toPoint()) &&
                        m_logic.CueAt(p.x() - ZoomRect().left(), p.y() - ZoomRect().top()) >= 0);
    setCursor(onCue ? Qt::SizeHorCursor : Qt::ArrowCursor);
    if (m_drag != Drag::None)
        Refresh();
}

void CWaveEditorView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return ZemView::mouseReleaseEvent(event);
    if (m_drag == Drag::Zoom)
        m_logic.ReleaseZoom(event->position().x() - ZoomRect().left());
    m_drag = Drag::None;
    Refresh();
}

void CWaveEditorView::wheelEvent(QWheelEvent* event) {
    WheelInput wheel;
    wheel.angleX = event->angleDelta().x();
    wheel.angleY = event->angleDelta().y();
    wheel.shift = event->modifiers() & Qt::ShiftModifier;
    m_logic.Wheel(event->position().x() - ZoomRect().left(), wheel);
    event->accept();
    Refresh();
}
