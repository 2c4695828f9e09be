// The recorder window as the program opens it, over the program's mixer on a hand-driven card
// that plays a -6 dB sine on the left and a full-scale square on the right.
#include "../../platform/test_dir.h"
#include "app/decks/app_context.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_doc_template.h"
#include "app/recorder/level_meter_widget.h"
#include "app/recorder/recorder_doc.h"
#include "app/recorder/recorder_frame.h"
#include "app/recorder/recorder_view.h"
#include "app/recorder/recorder_window.h"
#include "contracts/soundrail.h"
#include "platform/clock.h"

#include <sndfile.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

template <class W> W* Child(QWidget* view, const char* name) {
    W* w = view->findChild<W*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Writes one second of the test signal into a playing group.
void Feed(OutputGroup* group, unsigned long& phase) {
    unsigned long bytes = 44100 * 4;
    auto* s = reinterpret_cast<int16_t*>(group->Lock(bytes));
    const double amplitude = 32767.0 * std::pow(10.0, -6.0 / 20.0);
    for (unsigned long i = 0; i < bytes / 4; ++i, ++phase) {
        s[2 * i] = static_cast<int16_t>(std::lround(amplitude * std::sin(phase * 0.1)));
        s[2 * i + 1] = (phase / 50) % 2 ? 32767 : -32767;
    }
    group->Unlock(bytes);
}

} // namespace

TEST(RecorderWindow, RecordsTheMasterOutputFromTheWindow) {
    TestDir dir;
    const std::string ini = dir.file("ZEM.ini");
    std::ofstream(ini) << "[Playback]\nTiming Method=2\n";
    setenv("ZEM_PROFILE", ini.c_str(), 1);
    OutputDevice::SetGeneralConfigPath(dir.path().c_str());
    auto mixer = std::make_unique<AppMixer>(nullptr);
    ManualOutputClock* card = mixer->GetOutputManager()->AddManualDevice("Test card", 2, 44100);
    ProgramProfile profile;
    QMdiArea workspace;
    workspace.resize(1280, 720);
    ZemDocManager documents;
    documents.SetWorkspace(&workspace);
    documents.SetProfile(&profile);
    ZemDocTemplate* recorders = documents.AddDocTemplate(std::make_unique<ZemDocTemplate>(
        136, "\nRecorder\n\n\n\nZEM.Recorder.Document\nZEM Recorder Document", MakeRecorderDocument,
        MakeRecorderFrame, MakeRecorderView));
    AppContext().mixer = mixer.get();
    AppContext().documents = &documents;
    AppContext().workspace = &workspace;
    AppContext().profile = &profile;

    WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    OutputGroup* group = mixer->GetOutputManager()->CreateOutputGroup(0, &format, 44100 * 8);
    ASSERT_NE(group, nullptr);
    group->SetVolume(0, true);
    group->SetHeadphoneMute(true);
    group->Play();

    OpenRecorderWindow(*recorders);
    OpenRecorderWindow(*recorders); // brings the same window back
    ASSERT_EQ(workspace.subWindowList().size(), 1);
    auto* frame = dynamic_cast<CRecorderFrame*>(workspace.activeSubWindow());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), "Recorder");
    EXPECT_LE(frame->width(), 1280);
    EXPECT_LE(frame->height(), 720);
    CRecorderView* view = frame->GetRecorderView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(Child<QComboBox>(view, "source")->itemText(0), "Master output (Test card)");

    const std::string folder = dir.file("My recordings");
    CRecorderView::SetFolderDialog([&](const std::string&) { return folder; });
    QTest::mouseClick(Child<QPushButton>(view, "browse"), Qt::LeftButton);
    EXPECT_EQ(Child<QLineEdit>(view, "folder")->text().toStdString(), folder);
    EXPECT_EQ(profile.GetProfileString("Recorder", "Folder", ""), folder);
    auto* formats = Child<QComboBox>(view, "format");
    formats->setCurrentIndex(2);
    emit formats->activated(2);

    auto* record = Child<QPushButton>(view, "record");
    QTest::mouseClick(record, Qt::LeftButton);
    EXPECT_EQ(record->text(), "Stop");
    EXPECT_FALSE(formats->isEnabled());
    unsigned long phase = 0;
    Feed(group, phase);
    card->Advance(44100);
    auto& recorder = static_cast<CRecorderDoc*>(view->GetDocument())->GetRecorder();
    const unsigned long start = zem::ClockMs();
    while (recorder.GetFramesWritten() < 44100 && zem::ClockMs() - start < 5000)
        zem::SleepMs(5);
    view->Refresh();
    EXPECT_EQ(Child<QLabel>(view, "time")->text(), "00:00:01");
    auto* left = Child<LevelMeterWidget>(view, "meterLeft");
    auto* right = Child<LevelMeterWidget>(view, "meterRight");
    EXPECT_NEAR(left->Peak(), 0.501, 0.002);
    EXPECT_FALSE(left->Clip());
    EXPECT_TRUE(right->Clip());
    const QString name = Child<QLabel>(view, "file")->text();
    EXPECT_TRUE(name.startsWith("ZEM ") && name.endsWith(".flac")) << name.toStdString();
    EXPECT_TRUE(frame->grab().save("zem-recorder.png"));

    QTest::mouseClick(record, Qt::LeftButton);
    EXPECT_EQ(record->text(), "Record");
    SF_INFO info{};
    SNDFILE* f = sf_open((folder + "/" + name.toStdString()).c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(info.frames, 44100);
    EXPECT_EQ(info.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    sf_close(f);

    documents.CloseAllDocuments(true);
    EXPECT_TRUE(workspace.subWindowList().isEmpty());
    delete group;
    AppContext() = ZemAppContext();
    mixer.reset();
    unsetenv("ZEM_PROFILE");
}
