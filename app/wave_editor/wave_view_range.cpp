#include "app/wave_editor/wave_view_range.h"

#include <algorithm>

namespace zem::waveedit {

void WaveViewRange::SetTotalFrames(int64_t frames) {
    m_total = std::max<int64_t>(0, frames);
    if (m_showingAll)
        ShowAll();
    else
        clamp();
}

void WaveViewRange::SetWidth(int pixels) {
    m_width = std::max(1, pixels);
    if (m_showingAll)
        ShowAll();
    else
        clamp();
}

double WaveViewRange::GetAllFramesPerPixel() const {
    return std::max(kMinFramesPerPixel, static_cast<double>(m_total) / m_width);
}

bool WaveViewRange::Contains(double frame) const {
    return frame >= m_first && frame < m_first + GetVisibleFrames();
}

void WaveViewRange::ShowAll() {
    m_showingAll = true;
    m_framesPerPixel = GetAllFramesPerPixel();
    m_first = 0;
}

void WaveViewRange::ZoomAround(double pixel, double factor) {
    if (factor <= 0)
        return;
    const double anchor = FrameAt(pixel);
    m_framesPerPixel =
        std::clamp(m_framesPerPixel / factor, kMinFramesPerPixel, GetAllFramesPerPixel());
    m_showingAll = m_framesPerPixel >= GetAllFramesPerPixel();
    m_first = anchor - pixel * m_framesPerPixel;
    clamp();
}

void WaveViewRange::ScrollBy(double pixels) {
    SetFirstFrame(m_first + pixels * m_framesPerPixel);
}

void WaveViewRange::SetFirstFrame(double frame) {
    m_first = frame;
    clamp();
}

void WaveViewRange::CentreOn(double frame) {
    SetFirstFrame(frame - GetVisibleFrames() / 2);
}

void WaveViewRange::clamp() {
    m_framesPerPixel = std::clamp(m_framesPerPixel, kMinFramesPerPixel, GetAllFramesPerPixel());
    const double last = std::max(0.0, static_cast<double>(m_total) - GetVisibleFrames());
    m_first = std::clamp(m_first, 0.0, last);
}

} // namespace zem::waveedit
