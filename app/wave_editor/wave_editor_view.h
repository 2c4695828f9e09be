// The wave editor window's drawing: the whole song on top, the zoomed part below with the
// play position, the cue flags and the loop span, and a line saying how far the summary has
// been read. It forwards the mouse and wheel to WaveEditorLogic and repaints from a timer
// while the deck plays or the summary fills in.
#pragma once

#include "app/framework/zem_view.h"
#include "app/wave_editor/wave_editor_logic.h"

#include <QColor>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CZEMDoc;
class MixerDevice;

namespace zem::wave {
class WaveSummary;
}

class CWaveEditorView : public ZemView {
    Q_OBJECT
public:
    // Where the summary of a song comes from; the default is the program's summary loader.
    using SummarySource =
        std::function<std::shared_ptr<const zem::wave::WaveSummary>(const std::string& path)>;
    static void SetSummarySource(SummarySource source);

    // Layout, in pixels.
    static constexpr int kMargin = 6;
    static constexpr int kOverviewHeight = 56;
    static constexpr int kStatusHeight = 18;
    static constexpr int kRefreshMs = 40;
    // Colours, named so that a picture of the window can be checked.
    static inline const QColor kBackground{16, 20, 24};
    static inline const QColor kUnread{44, 48, 54};
    static inline const QColor kPeak{40, 170, 160};
    static inline const QColor kRms{140, 230, 215};
    static inline const QColor kPlayLine{240, 60, 50};
    static inline const QColor kCueColour{245, 200, 40};
    static inline const QColor kLoopShade{80, 200, 90, 70};

    explicit CWaveEditorView(QWidget* parent = nullptr);
    ~CWaveEditorView() override;

    CZEMDoc* GetDeckDocument() const;
    MixerDevice* GetDevice() const;
    zem::waveedit::WaveEditorLogic& GetLogic() { return m_logic; }
    std::shared_ptr<const zem::wave::WaveSummary> GetSummary() const { return m_summary; }

    // Where the strips lie in the widget.
    QRect OverviewRect() const;
    QRect ZoomRect() const;
    // What the status line says.
    QString StatusText() const;

    void OnInitialUpdate() override;
    // Another song in the deck: a new summary and the whole song in view.
    void OnUpdate(ZemView* sender, long hint) override;
    // File | Close closes this window only; the deck stays open in its own.
    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, ZemCommandState& state) override;

    // One timer tick: follows the deck and the summary, repainting when either moved.
    void Refresh();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // What a repaint depends on besides the mouse.
    struct Shown {
        uint64_t generation = 0;
        int64_t play = -1;
        double first = -1;
        double framesPerPixel = -1;
        int64_t total = -1;
        std::vector<std::pair<int, int64_t>> cues;
        int64_t loopStart = -1;
        int64_t loopEnd = -1;
        bool operator==(const Shown&) const = default;
    };
    Shown currentState() const;
    void followSong();
    void updateTotal();
    void updateWidths();
    void drawStrip(class QPainter& painter, const QRect& rect,
                   const zem::waveedit::WaveViewRange& range) const;
    void drawMarks(QPainter& painter, const QRect& rect, const zem::waveedit::WaveViewRange& range,
                   bool flags) const;

    zem::waveedit::WaveEditorLogic m_logic;
    std::shared_ptr<const zem::wave::WaveSummary> m_summary;
    std::string m_songPath;
    Shown m_shown;
    QTimer m_timer;
    enum class Drag { None, Overview, Zoom } m_drag = Drag::None;
};
