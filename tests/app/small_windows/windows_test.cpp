#include "app/small_windows/about_box.h"
#include "app/small_windows/help_menu.h"
#include "app/small_windows/small_windows_texts.h"
#include "app/small_windows/splash_dialog.h"
#include "app/small_windows/tip_dialog.h"
#include "tests/app/framework/memory_profile.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

using namespace zem::small;

namespace {

QStringList Items(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QString("--") : a->text());
    return texts;
}

TEST(HelpMenu, BarWithoutHelpGetsOneWithOnlyTheTip) {
    QMenuBar bar;
    bar.addMenu("&File");
    QMenu* help = EnsureTipOfTheDayItem(bar);
    ASSERT_EQ(help, FindHelpMenu(bar));
    EXPECT_EQ(bar.actions().last()->menu(), help);
    EXPECT_EQ(Items(help), QStringList{"Ti&p of the Day..."});
    EXPECT_EQ(help->actions().first()->data().toInt(), kCmdTipOfTheDay);
}

TEST(HelpMenu, TipGoesFirstOnceAndAboutIsNotDuplicated) {
    QMenuBar bar;
    QMenu* other = bar.addMenu("Help"); // not the one: found by its exact text
    BuildHelpMenu(bar);
    QMenu* help = BuildHelpMenu(bar);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(EnsureTipOfTheDayItem(bar), help);
    EXPECT_EQ(Items(help), (QStringList{"Ti&p of the Day...", "--", "&About ZEM..."}));
    EXPECT_EQ(help->actions().last()->data().toInt(), kCmdAbout);
    EXPECT_TRUE(other->actions().isEmpty());
}

TEST(HelpMenu, AnExistingTipItemIsKept) {
    QMenuBar bar;
    QMenu* help = bar.addMenu("&Help");
    help->addAction("Ti&p of the Day...");
    help->addAction("Contents");
    EnsureTipOfTheDayItem(bar);
    EXPECT_EQ(Items(help), (QStringList{"Ti&p of the Day...", "Contents"}));
}

TEST(Splash, ClosesByItselfUnlessTheBoxWasTouched) {
    long long now = 1000;
    CSplashDialog splash(
        nullptr, [&now] { return now; }, 3000, "./QXLogo.bmp");
    splash.show();
    splash.grab().save("zem-splash.png");
    now = 3999;
    splash.Tick();
    EXPECT_TRUE(splash.isVisible());
    now = 4000;
    splash.Tick();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(splash.ShowNextTime());

    CSplashDialog held(
        nullptr, [&now] { return now; }, 3000, "./QXLogo.bmp");
    held.show();
    held.DoNotShowBox()->click();
    now += 60000;
    held.Tick();
    EXPECT_TRUE(held.isVisible());
    QTest::mouseClick(&held, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(held.isVisible());
    EXPECT_FALSE(held.ShowNextTime());
}

// The entry point over a real modal run: tick the box, press a key.
TEST(Splash, EntryPointReturnsWhatTheBoxSays) {
    for (const bool tick : {false, true}) {
        // Asked until the splash is up, and acted on at the second sighting: the first may
        // come while the dialog is still being shown, before its loop runs.
        QTimer poll;
        int seen = 0;
        QObject::connect(&poll, &QTimer::timeout, [&poll, &seen, tick] {
            CSplashDialog* splash = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* s = qobject_cast<CSplashDialog*>(w); s && s->isVisible())
                    splash = s;
            if (!splash || ++seen < 2)
                return;
            poll.stop();
            if (tick)
                splash->DoNotShowBox()->setChecked(true);
            QTest::keyClick(splash, Qt::Key_A);
        });
        poll.start(10);
        EXPECT_EQ(ShowSplashDialog(nullptr), !tick);
    }
}

TEST(TipDialog, NextCloseAndEscape) {
    {
        std::ofstream("dialog-tips.txt")
            << "; test tips\nPress Q to play the deck on the left side of the crossfader.\n"
               "Second tip\nThird tip\n";
    }
    MemoryProfile profile;
    {
        CTipDlg dialog(nullptr, profile, "dialog-tips.txt");
        dialog.show();
        EXPECT_EQ(dialog.TipText(), "Press Q to play the deck on the left side of the crossfader.");
        EXPECT_TRUE(dialog.StartUpBox()->isChecked());
        dialog.grab().save("zem-tip.png");
        dialog.NextButton()->click();
        EXPECT_EQ(dialog.TipText(), "Second tip");
        dialog.StartUpBox()->setChecked(false);
        QTest::keyClick(&dialog, Qt::Key_Return); // Close is the default button
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(profile.GetProfileInt("Tip", "StartUp", -1), 1);
    {
        CTipDlg dialog(nullptr, profile, "dialog-tips.txt");
        dialog.show();
        EXPECT_EQ(dialog.TipText(), "Third tip");
        EXPECT_FALSE(dialog.StartUpBox()->isChecked());
        dialog.StartUpBox()->setChecked(true);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }
    // Escape left the setting as it was; the place still moved on, so the round wraps.
    EXPECT_EQ(profile.GetProfileInt("Tip", "StartUp", -1), 1);
    CTipDlg again(nullptr, profile, "dialog-tips.txt");
    EXPECT_EQ(again.TipText(), "Press Q to play the deck on the left side of the crossfader.");
}

TEST(TipDialog, MissingFileSaysSoAndCannotGoOn) {
    MemoryProfile profile;
    CTipDlg dialog(nullptr, profile, "no-such-tips.txt");
    EXPECT_EQ(dialog.TipText(), kBuiltInTip);
    EXPECT_FALSE(dialog.NextButton()->isEnabled());
}

TEST(AboutBox, NameVersionCreditsAndOk) {
    std::unique_ptr<QDialog> about(MakeAboutBox(nullptr));
    about->show();
    const auto* name = about->findChild<QLabel*>("nameAndVersion");
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->text().contains("ZEM"));
    EXPECT_TRUE(name->text().contains("1.80.04"));
    const auto* credits = about->findChild<QLabel*>("credits");
    ASSERT_NE(credits, nullptr);
    for (const char* library : {"Qt", "PortAudio", "libsndfile", "libmpg123", "libsamplerate"})
        EXPECT_TRUE(credits->text().contains(library)) << library;
    about->grab().save("zem-about.png");
    QTest::keyClick(about.get(), Qt::Key_Return);
    EXPECT_EQ(about->result(), QDialog::Accepted);
}

} // namespace
