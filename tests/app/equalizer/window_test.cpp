// The equalizer window on a deck document as the program opens it: a real WAV song through a
// deck template into a real deck of the program's mixer on a hand-driven card.
#include "../../engine/mixer/song_file.h"
#include "../../platform/test_dir.h"
#include "app/decks/app_context.h"
#include "app/decks/deck_view/deck_factories.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/equalizer/equalizer_frame.h"
#include "app/equalizer/equalizer_ids.h"
#include "app/equalizer/equalizer_view.h"
#include "app/equalizer/equalizer_window.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "contracts/soundrail.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/user_interface.h"

#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

struct WindowRig {
    TestDir dir;
    std::unique_ptr<AppMixer> mixer;
    ProgramProfile profile;
    QMdiArea workspace;
    ZemDocManager documents;
    ZemDocTemplate* equalizers = nullptr;
    std::string song;

    WindowRig() {
        const std::string path = dir.file("ZEM.ini");
        // Ten bands at open, so that switching to three shows in the profile afterwards.
        std::ofstream(path) << "[Playback]\nTiming Method=2\n[Equalizer]\nUse three channel EQ=0\n";
        setenv("ZEM_PROFILE", path.c_str(), 1);
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        mixer = std::make_unique<AppMixer>(nullptr);
        mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
        std::string module = ZEM_IN_SNDFILE;
        EXPECT_EQ(mixer->AddInputBufferModule(module.data()), 1);
        workspace.resize(1280, 720);
        documents.SetWorkspace(&workspace);
        documents.SetProfile(&profile);
        documents.AddDocTemplate(
            std::make_unique<ZemDocTemplate>(1, "\nDeck\n\nWAV files (*.wav)\n.wav\nZEM.Deck\nDeck",
                                             NewDeckDocument, NewDeckFrame, NewDeckView));
        equalizers = documents.AddDocTemplate(std::make_unique<ZemDocTemplate>(
            135, "\nEqualizer\n\n\n\nZEM.Equalizer.Document\nZEM Equalizer Document", nullptr,
            MakeEqualizerFrame, MakeEqualizerView));
        AppContext().mixer = mixer.get();
        AppContext().documents = &documents;
        AppContext().workspace = &workspace;
        AppContext().profile = &profile;
        song = dir.file("eq_song.wav");
        EXPECT_TRUE(WriteToneWav(song, 1.0));
    }
    ~WindowRig() {
        documents.CloseAllDocuments(true);
        AppContext() = ZemAppContext();
        char zec[512];
        std::snprintf(zec, sizeof zec, "%s", song.c_str());
        FNameToZEC(zec);
        std::remove(zec);
        mixer.reset();
        unsetenv("ZEM_PROFILE");
    }
};

template <class W> W* Child(QWidget* view, const QString& name) {
    W* w = view->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// Shows the frame alone and saves what a user sees, for the documentation.
void Grab(QWidget* frame, const char* path) {
    EXPECT_TRUE(frame->grab().save(QString::fromUtf8(path)));
}

} // namespace

TEST(EqualizerWindow, OpensOnTheDeckAndDrivesItsEqualizer) {
    WindowRig rig;
    auto* doc =
        dynamic_cast<CZEMDoc*>(rig.documents.OpenDocumentFile(QString::fromStdString(rig.song)));
    ASSERT_NE(doc, nullptr);
    MixerDevice* deck = doc->GetDevice();
    ASSERT_NE(deck, nullptr);
    OpenEqualizerWindow(*rig.equalizers, *doc);
    OpenEqualizerWindow(*rig.equalizers, *doc); // brings the same window back
    ASSERT_EQ(rig.workspace.subWindowList().size(), 2);
    auto* frame = dynamic_cast<CEqualizerFrame*>(rig.workspace.activeSubWindow());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), doc->GetTitle() + " - Equalizer");
    CEqualizerView* view = frame->GetEqualizerView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetForm(), zem::eqwin::kTenBandForm);
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_LE(frame->width(), 1280);
    EXPECT_LE(frame->height(), 720);
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);

    Equalizer* eq = deck->GetActiveEqualizer();
    QTest::mouseClick(Child<QPushButton>(view, "kill1096"), Qt::LeftButton);
    EXPECT_TRUE(eq->GetKillFreq(7));
    QTest::mouseClick(Child<QPushButton>(view, "groupKill1103"), Qt::LeftButton);
    for (int band = 3; band <= 6; ++band)
        EXPECT_TRUE(eq->GetKillFreq(band)) << band;
    EXPECT_TRUE(Child<QPushButton>(view, "kill1092")->isChecked());
    EXPECT_TRUE(Child<QPushButton>(view, "groupKill1103")->isChecked());
    QTest::mouseClick(Child<QPushButton>(view, "kill1092"), Qt::LeftButton);
    EXPECT_FALSE(Child<QPushButton>(view, "groupKill1103")->isChecked());

    auto* fader = Child<QSlider>(view, "fader4");
    fader->setValue(1000);
    EXPECT_NEAR(eq->returnBoost(4), 3.16228f, 1e-4);
    EXPECT_EQ(Child<QLabel>(view, "level4")->text(), "1 kHz\n+10.0 dB");
    // The top of the fader is +20 dB: Page Up raises the band.
    fader->setFocus();
    QTest::keyClick(fader, Qt::Key_PageUp);
    EXPECT_EQ(fader->value(), 500);
    Grab(frame, "zem-equalizer.png");

    // The deck changed elsewhere: a document update shows it.
    eq->SetKillFreq(0, true);
    doc->UpdateAllViews(nullptr);
    EXPECT_TRUE(Child<QPushButton>(view, "kill1088")->isChecked());

    const int tenWidth = frame->width();
    QTest::mouseClick(Child<QCheckBox>(view, "threeBand1098"), Qt::LeftButton);
    EXPECT_EQ(deck->GetActiveEqualizer(), deck->GetEqualizer(3));
    EXPECT_EQ(view->GetForm(), zem::eqwin::kThreeBandForm);
    EXPECT_TRUE(Child<QSlider>(view, "fader3")->isHidden());
    EXPECT_FALSE(Child<QSlider>(view, "fader2")->isHidden());
    EXPECT_LT(frame->width(), tenWidth);
    Grab(frame, "zem-equalizer-3band.png");

    // Closing the deck's document takes the window with it, which remembers the kind.
    doc->OnCloseDocument();
    EXPECT_TRUE(rig.workspace.subWindowList().isEmpty());
    EXPECT_EQ(rig.profile.GetProfileInt("Equalizer", "Use three channel EQ", -1), 1);
}
