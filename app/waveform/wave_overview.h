// A deck's waveform overview: the song's peaks across the width, the loop span, the cue points
// and the play position. The peaks are drawn once into an image and again only when new bins
// arrive or the size changes; a tick redraws just the markers. A click asks to play from there.
#pragma once

#include "app/waveform/wave_overview_logic.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>

class WaveOverview : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPreferredHeight = 40;
    // The share of the song (0 to 1) a click landed on.
    using SeekFn = std::function<void(double fraction)>;

    explicit WaveOverview(QWidget* parent = nullptr);

    // The summary of the song now on the deck; the same song again keeps the one it has.
    void ShowSong(const std::string& path, std::shared_ptr<const zem::wave::WaveSummary> summary);
    const std::string& SongPath() const { return m_path; }
    // From the display timer: repaints only when the marks or the peaks changed.
    void Poll(const zem::wave::OverviewMarks& marks, uint64_t spanFrames);
    void SetSeekHandler(SeekFn seek) { m_seek = std::move(seek); }

    zem::wave::WaveOverviewLogic& Logic() { return m_logic; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void RenderPeaks();

    zem::wave::WaveOverviewLogic m_logic;
    std::string m_path;
    QImage m_peaks;
    SeekFn m_seek;
};
