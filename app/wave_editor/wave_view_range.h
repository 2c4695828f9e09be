// Which stretch of a song a strip of pixels shows: the frame at its left edge and how many
// frames one pixel covers. Zooming keeps the frame under the pointer where it is; scrolling and
// centring never show anything before the song's start or past its end.
#pragma once

#include <cstdint>

namespace zem::waveedit {

class WaveViewRange {
public:
    // The closest zoom: eight pixels per frame, enough to see single samples.
    static constexpr double kMinFramesPerPixel = 0.125;

    // Both keep the frames per pixel where they can and clamp the view into the song.
    void SetTotalFrames(int64_t frames);
    void SetWidth(int pixels);
    int64_t GetTotalFrames() const { return m_total; }
    int GetWidth() const { return m_width; }

    double GetFirstFrame() const { return m_first; }
    double GetFramesPerPixel() const { return m_framesPerPixel; }
    // Frames across the whole width.
    double GetVisibleFrames() const { return m_framesPerPixel * m_width; }
    // The frames per pixel that show the whole song.
    double GetAllFramesPerPixel() const;
    bool Contains(double frame) const;

    double FrameAt(double pixel) const { return m_first + pixel * m_framesPerPixel; }
    double PixelOf(double frame) const { return (frame - m_first) / m_framesPerPixel; }

    void ShowAll();
    // factor > 1 zooms in, < 1 out; the frame under pixel stays under it unless the song's
    // ends stop the view.
    void ZoomAround(double pixel, double factor);
    // Positive pixels move the view later into the song.
    void ScrollBy(double pixels);
    void SetFirstFrame(double frame);
    void CentreOn(double frame);

private:
    void clamp();

    int64_t m_total = 0;
    int m_width = 1;
    double m_first = 0;
    double m_framesPerPixel = 1;
    // Until the user zooms, the view follows the song's length as it becomes known.
    bool m_showingAll = true;
};

} // namespace zem::waveedit
