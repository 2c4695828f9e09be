// The skinned deck window and mixer board with the default skin, on the offscreen platform at
// twice the pixel density: controls show the skin's pixels, each grown to 2 x 2 (sharp, not
// blurred), in the states the controls are in; the crossfader's thumb drags the mixer's fader
// and the fader-type switch toggles the board's curve.
#include "../../platform/test_dir.h"
#include "../framework/memory_profile.h"
#include "app/decks/app_context.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/decks/mixer_view/mixer_factories.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/framework/zem_document.h"
#include "app/skins/active_skin.h"
#include "app/skins/mixer_device_view_skins.h"
#include "app/skins/mixer_view_skins.h"
#include "app/skins/skin_settings_dialog.h"
#include "contracts/soundrail.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace zem::skins;

namespace {

class DenseScreen : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("QT_SCALE_FACTOR", "2", 1);
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[32] = "app_skinned_view_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto* const registered =
    ::testing::AddGlobalTestEnvironment(new DenseScreen);

ActiveSkin& DefaultSkin() {
    static ActiveSkin skin;
    if (!skin.HasModule()) {
        EXPECT_TRUE(skin.Load(ZEM_TEST_SKIN_DIR));
    }
    return skin;
}

// The widget as drawn, and how many of its pixels differ from the skin's rectangle grown by 2.
int DifferencesFromSkin(QWidget& widget, const SkinElement& element, const SkinRect& r) {
    const QImage drawn = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(drawn.size(), QSize(r.width * 2, r.height * 2));
    const QImage& source = element.bitmap->image;
    int differences = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            differences += (drawn.pixel(x, y) & 0xFFFFFF) !=
                           (source.pixel(r.x + x / 2, r.y + y / 2) & 0xFFFFFF);
    return differences;
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace

TEST(SkinnedDeck, ButtonsShowTheSkinInTheirStatesAtTwiceTheDensity) {
    ActiveSkin& skin = DefaultSkin();
    ASSERT_TRUE(skin.HasModule());
    CMixerDeviceViewSkins view(skin.Skin(), skin.Module());
    view.show();
    EXPECT_EQ(view.size(), QSize(600, 240));
    EXPECT_GE(view.devicePixelRatio(), 2.0);

    auto* play = view.findChild<QPushButton*>("playButton");
    ASSERT_NE(play, nullptr);
    const SkinElement* element = skin.Skin().FindDeckElement(SkinDeckControl::kPlay);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(DifferencesFromSkin(*play, *element, element->rects[0]), 0);
    play->setDown(true);
    EXPECT_EQ(DifferencesFromSkin(*play, *element, element->rects[1]), 0);
    play->setDown(false);

    // The bend switch is a toggle: a click anywhere on its image checks it.
    auto* bend = view.findChild<QAbstractButton*>("bendSwitch");
    const SkinElement* toggle = skin.Skin().FindDeckElement(SkinDeckControl::kBendSwitch);
    ASSERT_TRUE(bend && toggle);
    QTest::mouseClick(bend, Qt::LeftButton, {}, QPoint(bend->width() - 2, 2));
    EXPECT_TRUE(bend->isChecked());
    EXPECT_EQ(DifferencesFromSkin(*bend, *toggle, toggle->rects[2]), 0);

    // A control the layout does not place is not shown; the readout toggles the time mode.
    EXPECT_FALSE(view.findChild<QPushButton*>("timeModeButton")->isVisible());
    const int mode = view.GetLogic().GetTimeMode();
    QTest::mouseClick(view.findChild<QLabel*>("readout"), Qt::LeftButton);
    EXPECT_NE(view.GetLogic().GetTimeMode(), mode);
}

TEST(SkinSettings, ListsTheSkinFoldersWithASkinCfgAndChoosesTheCurrentOne) {
    TestDir dir;
    for (const char* name : {"Jog Wheel", "Dark", "Empty"})
        std::filesystem::create_directories(dir.path() + "/skins/" + name);
    std::ofstream(dir.path() + "/skins/Jog Wheel/skin.cfg");
    std::ofstream(dir.path() + "/skins/Dark/skin.cfg");
    std::ofstream(dir.path() + "/skins/stray.cfg");
    const std::vector<std::string> skins = ListSkinFolders(dir.path());
    EXPECT_EQ(skins, (std::vector<std::string>{"Dark", "Jog Wheel"}));
    SkinSettingsDialog dialog(skins, "Jog Wheel");
    EXPECT_EQ(dialog.Chosen(), "Jog Wheel");
}

TEST(SkinnedBoard, TheCrossfaderThumbDragsTheFaderAndTheTypeSwitchToggles) {
    TestDir dir;
    MemoryProfile profile;
    const std::string ini = dir.file("ZEM.ini");
    std::ofstream(ini) << "[Playback]\nTiming Method=2\n";
    setenv("ZEM_PROFILE", ini.c_str(), 1);
    OutputDevice::SetGeneralConfigPath(dir.path().c_str());
    auto mixer = std::make_unique<AppMixer>(nullptr);
    mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
    auto main = std::make_unique<QMainWindow>();
    auto* area = new QMdiArea;
    main->setCentralWidget(area);
    main->resize(900, 700);
    main->show();
    auto manager = std::make_unique<ZemDocManager>();
    manager->SetWorkspace(area);
    manager->SetProfile(&profile);
    AppContext() = {};
    AppContext().mixer = mixer.get();
    AppContext().mainWindow = main.get();
    AppContext().workspace = area;
    AppContext().documents = manager.get();
    AppContext().profile = &profile;
    static ActiveSkin* skin = &DefaultSkin();
    manager->AddDocTemplate(std::make_unique<ZemDocTemplate>(
        130, "\nMixer\nMain Mixer\n\n\nZEM.Mixer.Document\nZEM Mixer Document", NewMixerDocument,
        NewMixerFrame, []() -> ZemView* {
            return new CMixerViewSkins(*AppContext().mixer, skin->Skin(), skin->Module());
        }));
    ZemDocument* doc = manager->GetTemplates().front()->OpenDocumentFile("");
    ASSERT_NE(doc, nullptr);
    auto* view = dynamic_cast<CMixerViewSkins*>(doc->GetViews().front());
    ASSERT_NE(view, nullptr);

    auto* fader = view->findChild<QSlider*>("crossfader");
    const SkinElement* thumb = skin->Skin().FindMixerElement(SkinMixerControl::kCrossfader);
    ASSERT_TRUE(fader && thumb);
    const QPoint grip = SkinnedWindow::ThumbRect(*fader, *thumb).center().toPoint();
    QTest::mousePress(fader, Qt::LeftButton, {}, grip);
    QTest::mouseMove(fader, QPoint(fader->width() * 3 / 4, grip.y()));
    QTest::mouseMove(fader, QPoint(fader->width() + 40, grip.y()));
    QTest::mouseRelease(fader, Qt::LeftButton, {}, QPoint(fader->width() + 40, grip.y()));
    EXPECT_EQ(view->Board().GetCrossfaderPosition(), 200);
    EXPECT_EQ(mixer->GetFaderPercent(), 100);

    auto* type = view->findChild<QPushButton*>("faderType");
    ASSERT_NE(type, nullptr);
    const int before = view->Board().GetFaderType();
    QTest::mouseClick(type, Qt::LeftButton);
    EXPECT_NE(view->Board().GetFaderType(), before);
    EXPECT_EQ(type->isChecked(), view->Board().GetFaderType() != 0);

    manager.reset();
    settle();
    main.reset();
    settle();
    mixer.reset();
    AppContext() = {};
    unsetenv("ZEM_PROFILE");
}
