// The "Device settings..." sheet on the offscreen platform: its pages, a bad value that keeps
// its page, OK and Cancel, and a picture of the first and the Buffering page.
#include "../../engine/mixer/mixer_rig.h"
#include "../framework/memory_profile.h"
#include "app/device_settings/device_settings_sheet.h"
#include "platform/ui_hooks.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

std::vector<std::string> g_sheetMessages;

struct SheetRig : MixerRig {
    MemoryProfile profile;
    SheetRig() {
        g_sheetMessages.clear();
        zem::SetUiHooks({[](const char* t) { g_sheetMessages.emplace_back(t); }, nullptr, nullptr});
    }
    ~SheetRig() { zem::SetUiHooks({}); }
};

QLineEdit* Edit(QWidget& sheet, const char* key) {
    auto* edit = sheet.findChild<QLineEdit*>(key);
    EXPECT_NE(edit, nullptr) << key;
    return edit;
}

} // namespace

TEST(DeviceSettingsSheet, PagesInOrderBadValueStaysOkWrites) {
    SheetRig rig;
    rig.profile.WriteProfileInt("Playback", "Timing Method", 2);
    CDeviceSettingsSheet sheet(*rig.mixer, rig.profile);
    EXPECT_EQ(sheet.windowTitle(), "Device settings...");
    QTabWidget* tabs = sheet.Tabs();
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    EXPECT_EQ(titles, (QStringList{"Pitch", "Jog wheel", "DSP", "Playback", "On open",
                                   "Input plug-ins", "Buffering"}));
    // A stored method that is neither button checks neither.
    EXPECT_FALSE(sheet.findChild<QRadioButton*>("Timing Method 0")->isChecked());
    EXPECT_FALSE(sheet.findChild<QRadioButton*>("Timing Method 1")->isChecked());

    Edit(sheet, "Pitch change")->setText("abc");
    tabs->setCurrentIndex(6);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(g_sheetMessages,
              std::vector<std::string>{"Please enter a number between 0 and 100."});
    sheet.accept();
    EXPECT_NE(sheet.result(), QDialog::Accepted);
    EXPECT_TRUE(
        rig.profile.GetProfileString("General device settings", "Pitch change", "").empty());

    Edit(sheet, "Pitch change")->setText("15");
    tabs->setCurrentIndex(6);
    EXPECT_EQ(tabs->currentIndex(), 6);
    Edit(sheet, "Block size (k)")->setText("32");
    sheet.findChild<QRadioButton*>("Timing Method 0")->setChecked(true);
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(rig.profile.GetProfileString("General device settings", "Pitch change", ""), "0.15");
    EXPECT_EQ(rig.profile.GetProfileInt("Playback", "Block size (k)", 0), 32);
    EXPECT_EQ(rig.profile.GetProfileInt("Playback", "Timing Method", -1), 0);
}

TEST(DeviceSettingsSheet, CancelWritesNothing) {
    SheetRig rig;
    CDeviceSettingsSheet sheet(*rig.mixer, rig.profile);
    Edit(sheet, "Buffer size")->setText("900");
    sheet.reject();
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
    EXPECT_TRUE(rig.profile.values.empty());
}

TEST(DeviceSettingsSheet, Picture) {
    SheetRig rig;
    CDeviceSettingsSheet sheet(*rig.mixer, rig.profile);
    sheet.show();
    std::vector<QPixmap> shots;
    for (int page : {0, 6, 3, 5, 2}) {
        sheet.Tabs()->setCurrentIndex(page);
        shots.push_back(sheet.grab());
    }
    QPixmap both(shots[0].width() * 2, shots[0].height() * 3);
    both.fill(Qt::white);
    QPainter painter(&both);
    for (size_t i = 0; i < shots.size(); ++i)
        painter.drawPixmap(shots[0].width() * static_cast<int>(i % 2),
                           shots[0].height() * static_cast<int>(i / 2), shots[i]);
    painter.end();
    EXPECT_TRUE(both.save("zem-device-settings.png"));
    EXPECT_LE(sheet.width(), 1280);
    EXPECT_LE(sheet.height(), 720);
}
