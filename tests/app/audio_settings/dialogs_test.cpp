// The three dialogs on the offscreen platform over hand-driven cards: the general sheet run
// through its entry point, the advanced sheet's Cancel and OK, and the wizard walked with
// Next and Finish.
#include "app/audio_settings/advanced_audio_sheet.h"
#include "app/audio_settings/audio_settings_sheet.h"
#include "app/audio_settings/audio_texts.h"
#include "app/audio_settings/audio_wizard_sheet.h"
#include "card_rig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zem::audio;

namespace {

template <typename T> T* Find(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

} // namespace

TEST(AudioDialogs, GeneralSettingsSetTheSyncTimeAndTheOffsets) {
    CardRig rig({{"A", 2}, {"B", 2}});
    SetSyncTime(5000);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        QWidget* sheet = QApplication::activeModalWidget();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->windowTitle(), kGeneralSheetTitle);
        auto* sync = Find<QLineEdit>(sheet, "syncTime");
        auto* cards = Find<QListWidget>(sheet, "speedOffsetCards");
        auto* offset = Find<QLineEdit>(sheet, "speedOffset");
        EXPECT_EQ(sync->text(), "5000");
        EXPECT_EQ(cards->count(), 2);
        offset->setText("2.5");
        cards->setCurrentRow(1);
        EXPECT_FLOAT_EQ(rig.devices[0]->GetSpeedOffset(), 2.5f);
        EXPECT_EQ(offset->text(), "0.00");
        // A bad value keeps the card it belongs to selected.
        offset->setText("eleven");
        cards->setCurrentRow(0);
        EXPECT_EQ(cards->currentRow(), 1);
        offset->setText("-1");
        sync->setText("90000");
        Press(sheet, QDialogButtonBox::Ok);
        EXPECT_TRUE(sheet->isVisible());
        sync->setText("1234");
        checked = true;
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(ShowGeneralAudioSettings(nullptr, *rig.outputs));
    ASSERT_TRUE(checked);
    EXPECT_EQ(GetSyncTime(), 1234u);
    EXPECT_FLOAT_EQ(rig.devices[1]->GetSpeedOffset(), -1.f);
    EXPECT_EQ(ShownMessages(), (std::vector<std::string>{kSpeedOffsetRange, kSyncTimeRange}));
}

TEST(AudioDialogs, AdvancedSheetWritesOnOkOnly) {
    CardRig rig({{"Built-in", 2}, {"USB headset", 4}});
    auto edit = [](CAdvancedAudioSettingsSheet& sheet) {
        auto* tabs = sheet.findChild<QTabWidget*>();
        EXPECT_EQ(tabs->count(), 2);
        EXPECT_EQ(tabs->tabText(1), "USB headset");
        QWidget* first = tabs->widget(0);
        auto* decks = Find<QListWidget>(first, "decks");
        EXPECT_EQ(decks->count(), kDeckChannelCount);
        for (int c = 0; c < 4; ++c)
            decks->item(c)->setSelected(true);
        Find<QComboBox>(first, "deckOutput")->setCurrentIndex(0);
        Find<QPushButton>(first, "assignDecks")->click();
        EXPECT_EQ(decks->item(3)->text(), "Deck channel 3: Not on this card");
        EXPECT_EQ(decks->item(4)->text(), "Deck channel 4: Stereo (1/2)");
        QWidget* second = tabs->widget(1);
        Find<QCheckBox>(second, "enabled")->click();
        auto* phones = Find<QComboBox>(second, "headphones");
        EXPECT_EQ(phones->count(), 4);
        phones->setCurrentIndex(3);
        emit phones->activated(3);
    };
    {
        CAdvancedAudioSettingsSheet sheet(*rig.outputs);
        sheet.show();
        edit(sheet);
        sheet.grab().save("zem-advanced-audio.png");
        Press(&sheet, QDialogButtonBox::Cancel);
    }
    rig.Reopen();
    EXPECT_EQ(rig.devices[0]->GetChannelAssignment(0), 1);
    EXPECT_FALSE(rig.devices[1]->GetDisabled());
    EXPECT_EQ(rig.devices[1]->GetHeadphoneAssignment(), 1);
    {
        CAdvancedAudioSettingsSheet sheet(*rig.outputs);
        sheet.show();
        edit(sheet);
        Press(&sheet, QDialogButtonBox::Ok);
        EXPECT_EQ(sheet.result(), QDialog::Accepted);
    }
    rig.Reopen();
    EXPECT_EQ(rig.devices[0]->GetChannelAssignment(0), 0);
    EXPECT_EQ(rig.devices[0]->GetChannelAssignment(3), 0);
    EXPECT_EQ(rig.devices[0]->GetChannelAssignment(4), 1);
    EXPECT_TRUE(rig.devices[1]->GetDisabled());
    EXPECT_EQ(rig.devices[1]->GetHeadphoneAssignment(), 3);
    EXPECT_TRUE(ShownMessages().empty());
}

TEST(AudioDialogs, WizardWalkedToFinishSetsUpTwoCards) {
    CardRig rig({{"Built-in", 2}, {"USB", 2}});
    EngineGlobalDspList dsp;
    CAudioWizardSheet sheet(*rig.outputs, dsp);
    sheet.show();
    auto next = [&] { sheet.button(QWizard::NextButton)->click(); };
    next();
    ASSERT_EQ(sheet.currentId(), CAudioWizardSheet::kCardCount);
    Find<QRadioButton>(&sheet, "cardCount3")->click();
    next();
    EXPECT_EQ(sheet.currentId(), CAudioWizardSheet::kCardCount);
    EXPECT_EQ(ShownMessages(), std::vector<std::string>{kTooManyCards});
    Find<QRadioButton>(&sheet, "cardCount2")->click();
    next();
    ASSERT_EQ(sheet.currentId(), CAudioWizardSheet::kLayout);
    EXPECT_FALSE(Find<QRadioButton>(&sheet, "sharedHeadphones")->isEnabled());
    Find<QRadioButton>(&sheet, "faderLayout")->click();
    next();
    ASSERT_EQ(sheet.currentId(), CAudioWizardSheet::kCards);
    auto* first = Find<QListWidget>(&sheet, "firstCard");
    auto* second = Find<QListWidget>(&sheet, "secondCard");
    EXPECT_TRUE(second->isEnabled());
    EXPECT_EQ(first->count(), 2);
    bool labelled = false;
    for (QLabel* label : sheet.currentPage()->findChildren<QLabel*>())
        labelled = labelled || label->text() == "Choose your LEFT fader soundcard:";
    EXPECT_TRUE(labelled);
    first->setCurrentRow(0);
    second->setCurrentRow(0);
    next();
    EXPECT_EQ(sheet.currentId(), CAudioWizardSheet::kCards);
    EXPECT_EQ(ShownMessages().back(), kSameCard);
    second->setCurrentRow(1);
    sheet.grab().save("zem-wizard-cards.png");
    next();
    ASSERT_EQ(sheet.currentId(), CAudioWizardSheet::kFinish);
    sheet.button(QWizard::FinishButton)->click();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(rig.devices[0]->GetChannelAssignment(4), 1);
    EXPECT_EQ(rig.devices[1]->GetChannelAssignment(4), 0);
    EXPECT_EQ(rig.devices[0]->GetChannelAssignment(5), 0);
    EXPECT_EQ(rig.devices[1]->GetChannelAssignment(5), 1);
    EXPECT_EQ(rig.devices[1]->GetSFXAssignment(), 1);
}
