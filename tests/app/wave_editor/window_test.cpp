// The wave editor window on a deck document as the program opens it: a real WAV song through a
// deck template into a real deck of the program's mixer on a hand-driven card.
#include "../../platform/test_dir.h"
#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_factories.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/wave_editor/wave_editor_frame.h"
#include "app/wave_editor/wave_editor_view.h"
#include "app/wave_editor/wave_editor_window.h"
#include "app/waveform/wave_summary.h"
#include "contracts/soundrail.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/standard_dirs.h"

#include <sndfile.h>

#include <QImage>
#include <QMdiArea>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using zem::wave::WaveSummary;

namespace {

constexpr int kRate = 44100;
constexpr int64_t kSongFrames = 4 * kRate;

// A 440 Hz tone that swells and fades twice a second, so that its waveform has a shape.
bool WriteSwellWav(const std::string& path) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return false;
    std::vector<short> data(static_cast<size_t>(kSongFrames) * 2);
    for (int64_t i = 0; i < kSongFrames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double level = 0.3 + 0.6 * std::fabs(std::sin(M_PI * t));
        data[2 * i] = data[2 * i + 1] =
            static_cast<short>(level * 32767.0 * std::sin(2.0 * M_PI * 440.0 * t));
    }
    const bool ok = sf_writef_short(f, data.data(), kSongFrames) == kSongFrames;
    sf_close(f);
    return ok;
}

struct WindowRig {
    TestDir dir;
    std::unique_ptr<AppMixer> mixer;
    ProgramProfile profile;
    QMdiArea workspace;
    ZemDocManager documents;
    ZemDocTemplate* editors = nullptr;
    std::string song;
    std::string zec;
    CZEMDoc* doc = nullptr;

    WindowRig() {
        const std::string path = dir.file("ZEM.ini");
        std::ofstream(path) << "[Playback]\nTiming Method=2\n";
        setenv("ZEM_PROFILE", path.c_str(), 1);
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        mixer = std::make_unique<AppMixer>(nullptr);
        mixer->GetOutputManager()->AddManualDevice("Test card", 2, kRate);
        std::string module = ZEM_IN_SNDFILE;
        EXPECT_EQ(mixer->AddInputBufferModule(module.data()), 1);
        workspace.resize(1280, 720);
        documents.SetWorkspace(&workspace);
        documents.SetProfile(&profile);
        documents.AddDocTemplate(
            std::make_unique<ZemDocTemplate>(1, "\nDeck\n\nWAV files (*.wav)\n.wav\nZEM.Deck\nDeck",
                                             NewDeckDocument, NewDeckFrame, NewDeckView));
        editors = documents.AddDocTemplate(std::make_unique<ZemDocTemplate>(
            137, "\nWave editor\n\n\n\nZEM.WaveEditor.Document\nZEM Wave editor Document", nullptr,
            MakeWaveEditorFrame, MakeWaveEditorView));
        AppContext().mixer = mixer.get();
        AppContext().documents = &documents;
        AppContext().workspace = &workspace;
        AppContext().profile = &profile;
        song = dir.file("wave_song.wav");
        EXPECT_TRUE(WriteSwellWav(song));
        char buffer[512];
        std::snprintf(buffer, sizeof buffer, "%s", song.c_str());
        FNameToZEC(buffer);
        zec = buffer;
        std::remove(zec.c_str());
    }
    ~WindowRig() {
        documents.CloseAllDocuments(true);
        CWaveEditorView::SetSummarySource(nullptr);
        AppContext() = ZemAppContext();
        std::remove(zec.c_str());
        mixer.reset();
        unsetenv("ZEM_PROFILE");
    }

    // Opens the song in a deck and the deck's wave editor; the summaries come from source.
    CWaveEditorView* Open(CWaveEditorView::SummarySource source) {
        CWaveEditorView::SetSummarySource(std::move(source));
        doc = dynamic_cast<CZEMDoc*>(documents.OpenDocumentFile(QString::fromStdString(song)));
        EXPECT_NE(doc, nullptr);
        if (!doc)
            return nullptr;
        workspace.show();
        OpenWaveEditor(*editors, *doc);
        auto* frame = dynamic_cast<CWaveEditorFrame*>(workspace.activeSubWindow());
        EXPECT_NE(frame, nullptr);
        return frame ? frame->GetWaveEditorView() : nullptr;
    }
};

// The rig's tone as 16-bit stereo frames.
std::vector<int16_t> Tone(int64_t frames) {
    std::vector<int16_t> data(static_cast<size_t>(frames) * 2);
    for (int64_t i = 0; i < frames; ++i)
        data[2 * i] = data[2 * i + 1] =
            static_cast<int16_t>(16000 * std::sin(2 * M_PI * 440.0 * i / kRate));
    return data;
}

// A summary of the rig's tone, of which only the first `frames` have been read.
std::shared_ptr<WaveSummary> PartOfTone(int64_t frames) {
    auto summary = std::make_shared<WaveSummary>(kRate, 2, kSongFrames);
    summary->AddFrames(Tone(frames).data(), static_cast<size_t>(frames));
    return summary;
}

// The fraction of the zoomed strip's middle row drawn as waveform, over [from, to) of its
// width.
double WaveShare(CWaveEditorView& view, double from, double to) {
    const QImage image = view.grab().toImage();
    const QRect zoom = view.ZoomRect();
    const int y = zoom.center().y();
    int wave = 0, all = 0;
    for (int x = zoom.left() + static_cast<int>(from * zoom.width());
         x < zoom.left() + static_cast<int>(to * zoom.width()); ++x, ++all) {
        const QColor c = image.pixelColor(x, y);
        wave += c == CWaveEditorView::kRms || c == CWaveEditorView::kPeak;
    }
    return all ? static_cast<double>(wave) / all : 0.0;
}

QPoint ZoomPoint(CWaveEditorView& view, int64_t frame, int y) {
    const QRect zoom = view.ZoomRect();
    const double x = view.GetLogic().GetZoom().PixelOf(static_cast<double>(frame));
    return {zoom.left() + static_cast<int>(std::lround(x)), zoom.top() + y};
}

} // namespace

TEST(WaveEditorWindow, MouseMovesTheDecksCueAndPositionAndTheSettingsFileKeepsIt) {
    WindowRig rig;
    std::string asked;
    CWaveEditorView* view = rig.Open([&](const std::string& path) {
        asked = path;
        return PartOfTone(kSongFrames);
    });
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(asked, rig.song);
    MixerDevice* deck = rig.doc->GetDevice();
    ASSERT_EQ(view->GetDevice(), deck);
    EXPECT_EQ(view->GetLogic().GetTotalFrames(), kSongFrames);
    EXPECT_EQ(view->GetParentFrame()->windowTitle(), rig.doc->GetTitle() + " - Wave editor");
    OpenWaveEditor(*rig.editors, *rig.doc); // brings the same window back
    EXPECT_EQ(rig.workspace.subWindowList().size(), 2);

    deck->StoreStoredPosition(3, kRate * 4, 0);         // 1 s
    deck->StoreStoredPosition(5, 3 * kRate * 4 - 4, 0); // just before 3 s
    view->Refresh();
    // Cue 3 taken by its flag and dragged to 2 s; cue 5 stays.
    const QPoint flag = ZoomPoint(*view, kRate, 4) + QPoint(CWaveEditorView::kMargin - 4, 0);
    const int dx = ZoomPoint(*view, 2 * kRate, 4).x() - ZoomPoint(*view, kRate, 4).x();
    QTest::mousePress(view, Qt::LeftButton, {}, flag);
    QTest::mouseMove(view, flag + QPoint(dx / 2, 0));
    QTest::mouseRelease(view, Qt::LeftButton, {}, flag + QPoint(dx, 0));
    const double framesPerPixel = view->GetLogic().GetZoom().GetFramesPerPixel();
    EXPECT_NEAR(deck->GetStoredPosition(3)->start.load() / 4.0, 2.0 * kRate, framesPerPixel);
    EXPECT_EQ(deck->GetStoredPosition(3)->start.load() % 4, 0);
    EXPECT_EQ(deck->GetStoredPosition(5)->start.load(), 3 * kRate * 4 - 4);
    const long cue3 = deck->GetStoredPosition(3)->start.load();

    // A click away from the flags sets the deck's position there.
    QTest::mouseClick(view, Qt::LeftButton, {}, ZoomPoint(*view, kRate / 2, 60));
    EXPECT_NEAR(deck->GetPosition() / 4.0, kRate / 2.0, framesPerPixel);
    EXPECT_EQ(deck->GetStoredPosition(3)->start.load(), cue3);

    // Closing the deck writes its settings file with the moved cue.
    rig.doc->OnCloseDocument();
    EXPECT_TRUE(rig.workspace.subWindowList().isEmpty());
    std::ifstream file(rig.zec);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("Stored 3=" + std::to_string(cue3) + ",-1"), std::string::npos)
        << text.str();
}

TEST(WaveEditorWindow, ShowsWhatTheSummaryHoldsWhileItFills) {
    WindowRig rig;
    std::shared_ptr<WaveSummary> summary = PartOfTone(kSongFrames / 2);
    CWaveEditorView* view = rig.Open([&](const std::string&) { return summary; });
    ASSERT_NE(view, nullptr);
    // The zoomed view shows the whole song: its first half is drawn, the rest waits.
    EXPECT_GT(WaveShare(*view, 0.02, 0.48), 0.95);
    EXPECT_EQ(WaveShare(*view, 0.52, 0.98), 0.0);
    EXPECT_TRUE(view->StatusText().endsWith("reading the waveform: 50%"))
        << view->StatusText().toStdString();

    const std::vector<int16_t> tone = Tone(kSongFrames);
    summary->AddFrames(tone.data() + kSongFrames, static_cast<size_t>(kSongFrames / 2));
    summary->MarkComplete();
    view->Refresh();
    EXPECT_GT(WaveShare(*view, 0.52, 0.98), 0.95);
    EXPECT_EQ(view->StatusText(), "Showing 0:00.0 to 0:04.0 of 0:04.0");
}

TEST(WaveEditorWindow, DrawsTheSongFromTheRealLoader) {
    WindowRig rig;
    zem::wave::WaveSummaryLoader loader(*rig.mixer, std::string());
    CWaveEditorView* view = rig.Open([&](const std::string& path) { return loader.Load(path); });
    ASSERT_NE(view, nullptr);
    loader.WaitIdle();
    ASSERT_TRUE(view->GetSummary()->IsComplete());
    MixerDevice* deck = rig.doc->GetDevice();
    deck->StoreStoredPosition(0, 0, 0);
    deck->StoreStoredPosition(1, kRate * 4 * 3 / 2, 0);
    deck->StoreStoredPosition(1, kRate * 4 * 5 / 2, 1);
    deck->SetLoopSlot(1);
    deck->StoreStoredPosition(2, kRate * 4 * 3, 0);
    // Zoomed in on the loop by the wheel, around the pointer.
    QWheelEvent wheel(QPointF(view->ZoomRect().center()),
                      view->mapToGlobal(view->ZoomRect().center()), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_LT(view->GetLogic().GetZoom().GetVisibleFrames(), kSongFrames);
    // The loop (1.5 s to 2.5 s) lies shaded over the middle of the view, which now shows from
    // about 0.7 s to 3.3 s; the song is drawn plainly either side.
    EXPECT_GT(WaveShare(*view, 0.02, 0.25), 0.95);
    EXPECT_GT(WaveShare(*view, 0.75, 0.98), 0.9);
    EXPECT_EQ(WaveShare(*view, 0.35, 0.65), 0.0);
    EXPECT_TRUE(view->grab().save("zem-wave-editor.png"));
}
