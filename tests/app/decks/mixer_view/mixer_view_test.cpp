// The board's window in a real workspace over the program's mixer: the widgets reach the
// engine, commands reach the board through the router, the settings sheet hands its list back,
// and closing the board closes the main window.
#include "../../framework/memory_profile.h"
#include "../mixer_board/board_rig.h"
#include "app/decks/app_context.h"
#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_view/mixer_factories.h"
#include "app/decks/mixer_view/mixer_frame.h"
#include "app/decks/mixer_view/mixer_settings_sheet.h"
#include "app/decks/mixer_view/mixer_view.h"
#include "app/framework/command_router.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/framework/zem_document.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace {

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

struct ViewRig {
    TestDir dir;
    MemoryProfile profile;
    std::unique_ptr<AppMixer> mixer;
    std::unique_ptr<QMainWindow> main;
    QMdiArea* area = nullptr;
    std::unique_ptr<ZemDocManager> manager;
    CMixerView* view = nullptr;

    ViewRig() {
        const std::string ini = dir.file("ZEM.ini");
        std::ofstream(ini) << "[Playback]\nTiming Method=2\n";
        setenv("ZEM_PROFILE", ini.c_str(), 1);
        OutputDevice::SetGeneralConfigPath(dir.path().c_str());
        mixer = std::make_unique<AppMixer>(nullptr);
        mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
        main = std::make_unique<QMainWindow>();
        area = new QMdiArea;
        main->setCentralWidget(area);
        main->resize(900, 700);
        main->show();
        manager = std::make_unique<ZemDocManager>();
        manager->SetWorkspace(area);
        manager->SetProfile(&profile);
        AppContext() = {};
        AppContext().mixer = mixer.get();
        AppContext().mainWindow = main.get();
        AppContext().workspace = area;
        AppContext().documents = manager.get();
        AppContext().profile = &profile;
        manager->AddDocTemplate(std::make_unique<ZemDocTemplate>(
            130, "\nMixer\nMain Mixer\n\n\nZEM.Mixer.Document\nZEM Mixer Document",
            NewMixerDocument, NewMixerFrame, NewMixerView));
    }
    void Open() {
        ZemDocument* doc = manager->GetTemplates().front()->OpenDocumentFile("");
        ASSERT_NE(doc, nullptr);
        ASSERT_EQ(doc->GetViews().size(), 1u);
        view = dynamic_cast<CMixerView*>(doc->GetViews().front());
        ASSERT_NE(view, nullptr);
    }
    ~ViewRig() {
        manager.reset();
        settle();
        main.reset();
        settle();
        mixer.reset();
        AppContext() = {};
        unsetenv("ZEM_PROFILE");
    }
    MixerDevice* AddDeck() {
        auto* deck = new MixerDevice;
        mixer->AddDevice(deck, 88200);
        return deck;
    }
    template <class W> W* Find(const char* name) {
        W* w = view->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

int Share(MixerDevice* deck) {
    return deck->GetRelativeVolume(kVChannel0);
}

} // namespace

TEST(MixerView, OpensTitledRegisteredAndShowsTheDecks) {
    ViewRig rig;
    rig.Open();
    EXPECT_EQ(AppContext().mixerView, rig.view);
    EXPECT_EQ(rig.mixer->GetListener(), &rig.view->Board());
    ASSERT_NE(rig.view->GetParentFrame(), nullptr);
    EXPECT_EQ(rig.view->GetParentFrame()->windowTitle(), kBoardTitle);
    EXPECT_EQ(rig.Find<QLabel>("centreVolume")->text(), "100% in center");
    rig.AddDeck();
    rig.AddDeck();
    EXPECT_EQ(rig.Find<QComboBox>("strip2Channel")->currentText(), "1");
    EXPECT_EQ(rig.Find<QComboBox>("faderB")->currentText(), "1");
    EXPECT_EQ(rig.Find<QComboBox>("strip3Channel")->currentIndex(), -1);
    EXPECT_EQ(rig.Find<QSlider>("strip1")->value(), MixerBoard::kStripStart);
    EXPECT_EQ(rig.Find<QSlider>("crossfader")->value(), 100);
    // Without a system volume control the master fader does nothing.
    EXPECT_EQ(rig.Find<QSlider>("masterFader")->isEnabled(), rig.view->Board().IsMasterBound());
    rig.view->GetParentFrame()->grab().save("mixer_board.png");
}

TEST(MixerView, TheCrossfaderAndStripWidgetsSetTheDecks) {
    ViewRig rig;
    rig.Open();
    MixerDevice* a = rig.AddDeck();
    MixerDevice* b = rig.AddDeck();
    auto* crossfader = rig.Find<QSlider>("crossfader");
    crossfader->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), -100);
    EXPECT_EQ(Share(a), 100);
    EXPECT_EQ(Share(b), 0);
    crossfader->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), 100);
    EXPECT_EQ(Share(a), 0);
    EXPECT_EQ(Share(b), 100);
    rig.Find<QSlider>("strip2")->setValue(4500);
    EXPECT_EQ(b->GetVolume(kVChannel0), 55);
}

TEST(MixerView, RoutedCommandsReachTheBoardAndItsChecks) {
    ViewRig rig;
    rig.Open();
    MixerDevice* a = rig.AddDeck();
    MixerDevice* b = rig.AddDeck();
    ZemCommandRouter router(rig.area);
    ASSERT_FALSE(router.Chain().empty());
    EXPECT_EQ(router.Chain().front(), rig.view);
    ASSERT_TRUE(router.Route(kCmdCrossfader100_25));
    EXPECT_EQ(rig.Find<QSlider>("crossfader")->value(), 25);
    EXPECT_EQ(Share(a), 100);
    EXPECT_EQ(Share(b), 25);
    ASSERT_TRUE(router.Route(kCmdToggleFaderType));
    EXPECT_EQ(rig.Find<QLabel>("centreVolume")->text(), "75% in center");
    ZemCommandState state;
    EXPECT_TRUE(router.UpdateCommand(kCmdHeadphoneChannel0 + 1, state));
    EXPECT_FALSE(state.IsChecked());
    ASSERT_TRUE(router.Route(kCmdHeadphoneChannel0 + 1));
    EXPECT_FALSE(rig.mixer->GetHeadphoneMute(1));
    EXPECT_TRUE(router.UpdateCommand(kCmdHeadphoneChannel0 + 1, state));
    EXPECT_TRUE(state.IsChecked());
    EXPECT_TRUE(rig.Find<QListWidget>("headphones")->item(1)->isSelected());
}

TEST(MixerView, TimedFadeRunsOnTheWindowTimerToItsTarget) {
    ViewRig rig;
    rig.Open();
    MixerDevice* a = rig.AddDeck();
    rig.view->Board().FadeToPosition(0, 1.0f);
    QElapsedTimer clock;
    clock.start();
    while (rig.view->Board().IsFading() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_FALSE(rig.view->Board().IsFading());
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_EQ(rig.Find<QSlider>("crossfader")->value(), 0);
    EXPECT_EQ(rig.mixer->GetFaderPercent(), -100);
    EXPECT_EQ(Share(a), 100);
}

TEST(MixerView, CancelledSettingsKeepTheEditedListButNotTheDevice) {
    ViewRig rig;
    rig.Open();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* sheet = qobject_cast<CMixerSettingsSheet*>(modal);
        if (!sheet) {
            if (modal)
                modal->close();
            return;
        }
        seen = true;
        EXPECT_EQ(sheet->windowTitle(), "Mixer settings...");
        sheet->findChild<QLineEdit*>("centreVolumeEdit")->setText("60");
        sheet->findChild<QPushButton*>("addCentreVolume")->click();
        sheet->findChild<QLineEdit*>("centreVolumeEdit")->setText("75");
        sheet->findChild<QPushButton*>("addCentreVolume")->click();
        EXPECT_EQ(sheet->findChild<QComboBox*>("centreVolumes")->count(), 4);
        sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    ShowMixerSettings(rig.main.get());
    ASSERT_TRUE(seen);
    EXPECT_EQ(rig.view->Board().GetCentreVolumes(), (std::vector<int>{100, 75, 50, 60}));
    // Cancel stores no device choice.
    EXPECT_EQ(rig.profile.values.count("general mixer settings|master volume device"), 0u);
    ASSERT_TRUE(rig.view->OnCommand(kCmdToggleFaderType));
    ASSERT_TRUE(rig.view->OnCommand(kCmdToggleFaderType));
    ASSERT_TRUE(rig.view->OnCommand(kCmdToggleFaderType));
    EXPECT_EQ(rig.Find<QLabel>("centreVolume")->text(), "60% in center");
}

TEST(MixerView, ClosingTheBoardSavesItsPlaceAndClosesTheMainWindow) {
    ViewRig rig;
    rig.profile.WriteProfileInt("Desktop placement", "Mixer left", 30);
    rig.profile.WriteProfileInt("Desktop placement", "Mixer top", 40);
    rig.Open();
    QPointer<ZemChildFrame> frame = rig.view->GetParentFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->pos(), QPoint(30, 40));
    const QSize size = frame->size();
    ASSERT_TRUE(rig.view->OnCommand(kCmdToggleFaderType));
    frame->close();
    settle();
    EXPECT_FALSE(frame);
    EXPECT_EQ(AppContext().mixerView, nullptr);
    EXPECT_FALSE(rig.main->isVisible());
    EXPECT_EQ(rig.profile.GetProfileInt("General mixer settings", "Crossfader type", -1), 1);
    EXPECT_EQ(rig.profile.GetProfileInt("Desktop placement", "Mixer left", -1), 30);
    EXPECT_EQ(rig.profile.GetProfileInt("Desktop placement", "Mixer right", -1), 30 + size.width());
    EXPECT_EQ(rig.profile.GetProfileInt("Desktop placement", "Mixer bottom", -1),
              40 + size.height());
}
