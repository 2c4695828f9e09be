// The overview on the plain deck window as the program opens it: a real WAV song in a deck of
// the program's mixer on a hand-driven card, its summary read by the program's loader.
#include "../../platform/test_dir.h"
#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_factories.h"
#include "app/decks/deck_view/mixer_device_view.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/skins/active_skin.h"
#include "app/skins/mixer_device_view_skins.h"
#include "app/waveform/wave_overview.h"
#include "app/waveform/wave_summary.h"
#include "contracts/soundrail.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/standard_dirs.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// A stereo tone that swells from quiet to loud, so that the overview has a shape to show.
bool WriteSwell(const std::string& path, double seconds) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f)
        return false;
    const sf_count_t frames = static_cast<sf_count_t>(seconds * 44100);
    std::vector<short> data(static_cast<size_t>(frames) * 2);
    for (sf_count_t i = 0; i < frames; ++i) {
        const double gain = 0.1 + 0.85 * static_cast<double>(i) / frames;
        data[2 * i] = data[2 * i + 1] =
            static_cast<short>(gain * 32767.0 * std::sin(2.0 * M_PI * 220.0 * i / 44100.0));
    }
    const bool ok = sf_writef_short(f, data.data(), frames) == frames;
    sf_close(f);
    return ok;
}

// Rows of column x that are not the overview's background.
int Drawn(const QImage& shot, int x) {
    int rows = 0;
    for (int y = 0; y < shot.height(); ++y)
        rows += shot.pixelColor(x, y) != QColor(0x14, 0x16, 0x1a);
    return rows;
}

struct DeckRig {
    TestDir dir;
    std::unique_ptr<AppMixer> mixer;
    ProgramProfile profile;
    QMdiArea workspace;
    ZemDocManager documents;
    std::string song;

    DeckRig() {
        const std::string path = dir.file("ZEM.ini");
        std::ofstream(path) << "[Playback]\nTiming Method=2\n";
        setenv("ZEM_PROFILE", path.c_str(), 1);
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        mixer = std::make_unique<AppMixer>(nullptr);
        mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
        std::string module = ZEM_IN_SNDFILE;
        EXPECT_EQ(mixer->AddInputBufferModule(module.data()), 1);
        workspace.resize(1000, 600);
        documents.SetWorkspace(&workspace);
        documents.SetProfile(&profile);
        documents.AddDocTemplate(
            std::make_unique<ZemDocTemplate>(1, "\nDeck\n\nWAV files (*.wav)\n.wav\nZEM.Deck\nDeck",
                                             NewDeckDocument, NewDeckFrame, NewDeckView));
        AppContext().mixer = mixer.get();
        AppContext().documents = &documents;
        AppContext().workspace = &workspace;
        AppContext().profile = &profile;
        song = dir.file("wave_song.wav");
        EXPECT_TRUE(WriteSwell(song, 4.0));
    }
    ~DeckRig() {
        documents.CloseAllDocuments(true);
        zem::wave::ShutdownProgramWaveSummaryLoader();
        AppContext() = ZemAppContext();
        char zec[512];
        std::snprintf(zec, sizeof zec, "%s", song.c_str());
        FNameToZEC(zec);
        std::remove(zec);
        std::error_code ec;
        std::filesystem::remove_all(zem::wave::DefaultWaveformCacheDir(), ec);
        mixer.reset();
        unsetenv("ZEM_PROFILE");
    }
};

} // namespace

TEST(DeckWaveOverview, ShowsTheSongAndSeeksOnAClick) {
    DeckRig rig;
    auto* doc =
        dynamic_cast<CZEMDoc*>(rig.documents.OpenDocumentFile(QString::fromStdString(rig.song)));
    ASSERT_NE(doc, nullptr);
    CMixerDeviceView* view = doc->GetDeckView();
    ASSERT_NE(view, nullptr);
    WaveOverview* overview = view->findChild<WaveOverview*>("waveOverview");
    ASSERT_NE(overview, nullptr);
    EXPECT_EQ(overview, view->GetWaveOverview());
    ASSERT_NE(overview->Logic().Summary(), nullptr);
    zem::wave::ProgramWaveSummaryLoader().WaitIdle();
    EXPECT_TRUE(overview->Logic().Summary()->IsComplete());
    QMdiSubWindow* frame = rig.workspace.subWindowList().value(0);
    ASSERT_NE(frame, nullptr);
    rig.workspace.show();
    frame->show();
    view->RefreshDisplay();
    ASSERT_TRUE(overview->isVisible());
    ASSERT_GT(overview->width(), 100);

    // A cue point and the play position show as marks.
    MixerDevice* deck = doc->GetDevice();
    deck->StoreStoredPosition(3, deck->GetLength() / 2 / 4 * 4, 0);
    view->RefreshDisplay();
    const QImage shot = overview->grab().toImage();
    EXPECT_TRUE(frame->grab().save("zem-deck-waveform.png"));
    // The swell shows: the peaks near the end stand about three times as tall as near the
    // start. The cue mark is at half way.
    const int early = Drawn(shot, overview->width() / 10);
    const int late = Drawn(shot, overview->width() * 9 / 10);
    EXPECT_GT(early, 2);
    EXPECT_GT(late, early * 2);
    EXPECT_LT(late, shot.height());
    const int cueX = overview->Logic().XOf(overview->Logic().Marks().cues[3], overview->width());
    EXPECT_NEAR(cueX, overview->width() / 2, 2);
    EXPECT_EQ(shot.pixelColor(cueX, 1), QColor(0xff, 0x8c, 0x1a));

    // A click three quarters along moves the deck there, as the slider would.
    QTest::mouseClick(overview, Qt::LeftButton, {}, QPoint(overview->width() * 3 / 4, 5));
    const double at = static_cast<double>(deck->GetPosition()) / deck->GetLength();
    EXPECT_NEAR(at, 0.75, 0.02);
    view->RefreshDisplay();
    EXPECT_NEAR(overview->Logic().XOf(overview->Logic().Marks().play, overview->width()),
                overview->width() * 3 / 4, 3);
}

TEST(DeckWaveOverview, FindsRoomAboveTheSkinnedPositionSlider) {
    zem::skins::ActiveSkin skin;
    ASSERT_TRUE(skin.Load(ZEM_TEST_SKIN_DIR));
    CMixerDeviceViewSkins view(skin.Skin(), skin.Module());
    view.show();
    WaveOverview* overview = view.GetWaveOverview();
    ASSERT_TRUE(overview->isVisible());
    const QRect place = overview->geometry();
    EXPECT_GE(place.height(), 8);
    EXPECT_TRUE(view.rect().contains(place));
    QWidget* slider = view.findChild<QWidget*>("positionSlider");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(place.left(), slider->geometry().left());
    EXPECT_LE(place.right(), slider->geometry().right());
    EXPECT_GE(place.width() * 2, slider->geometry().width());
    // It covers none of the skin's controls.
    for (QWidget* w : view.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != overview && w->isVisible()) {
            EXPECT_FALSE(w->geometry().intersects(place)) << w->objectName().toStdString();
        }
    EXPECT_TRUE(view.grab().save("zem-deck-waveform-skinned.png"));
}
