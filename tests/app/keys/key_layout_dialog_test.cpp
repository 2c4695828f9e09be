// The "Keyboard layout" dialog on the program's command table, driven through its widgets.
#include "app/keys/key_layout_dialog.h"

#include "app/keys/accelerator_map.h"
#include "app/keys/command_table.h"
#include "platform/ui_hooks.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zem::keys;

namespace {

std::vector<std::string> g_messages;

template <class W = QWidget> W* Find(QWidget& dialog, const char* name) {
    return dialog.findChild<W*>(QString::fromLatin1(name));
}

QStringList Keys(QWidget& dialog) {
    QStringList texts;
    for (const QListWidgetItem* i :
         Find<QListWidget>(dialog, "currentKeys")->findItems("*", Qt::MatchWildcard))
        texts << i->text();
    return texts;
}

void Choose(QWidget& dialog, const QString& command) {
    auto* categories = Find<QComboBox>(dialog, "category");
    categories->setCurrentIndex(categories->findText("Device"));
    auto* commands = Find<QListWidget>(dialog, "commands");
    commands->setCurrentItem(commands->findItems(command, Qt::MatchExactly).value(0));
}

void Click(QWidget& dialog, const char* button) {
    QTest::mouseClick(Find<QPushButton>(dialog, button), Qt::LeftButton);
}

} // namespace

TEST(KeyLayoutDialog, CapturesAssignsRefusesAndAppliesOnOk) {
    CAcceleratorManager map;
    RegisterCommandTable(map);
    map.CreateDefaultTable();
    int built = 0;
    map.SetTableBuilder([&built](const CAcceleratorManager&) { ++built; });
    zem::SetUiHooks({[](const char* text) { g_messages.emplace_back(text); }, nullptr, nullptr});
    KeyLayoutDialog dialog(map);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* newKey = Find<QLineEdit>(dialog, "newKey");

    Choose(dialog, "ControlsPlay");
    EXPECT_EQ(Keys(dialog), QStringList{"Z"});
    QTest::keyPress(newKey, Qt::Key_Control);
    QTest::keyPress(newKey, Qt::Key_Shift, Qt::ControlModifier);
    QTest::keyClick(newKey, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(newKey->text(), "Ctrl+Shift+F5");
    Click(dialog, "assign");
    EXPECT_EQ(Keys(dialog), (QStringList{"Z", "Ctrl+Shift+F5"}));
    QTest::keyClick(newKey, Qt::Key_Q);
    Click(dialog, "assign");
    EXPECT_EQ(Find<QLabel>(dialog, "assignedTo")->text(), "Mixer ControlsPlayLeftChannel");
    EXPECT_EQ(newKey->selectedText(), "Q");

    // The keypad's digits are the NumPad keys; Tab still leaves the field.
    QTest::keyClick(newKey, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(newKey->text(), "NUMPAD5");
    newKey->setFocus();
    QTest::keyClick(newKey, Qt::Key_Tab);
    EXPECT_FALSE(newKey->hasFocus());

    Choose(dialog, "ControlsGotoCuePosition");
    auto* keys = Find<QListWidget>(dialog, "currentKeys");
    keys->setCurrentItem(keys->findItems("NUMPAD5", Qt::MatchExactly).value(0));
    Click(dialog, "remove");
    EXPECT_EQ(g_messages, std::vector<std::string>{"Unable to remove this\naccelerator (Locked)"});
    EXPECT_EQ(keys->count(), 10);
    zem::SetUiHooks({});

    EXPECT_EQ(built, 0);
    Click(dialog, "ok");
    EXPECT_EQ(built, 1);
    const auto applied = [&map] { return map.Find(32820)->Keys().back().GetText(); };
    EXPECT_EQ(applied(), "Ctrl+Shift+F5");

    // A second run, through the program's entry point: Reset All, then Cancel.
    QTimer::singleShot(0, [] {
        auto* running = qobject_cast<KeyLayoutDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(running, nullptr);
        Choose(*running, "ControlsPlay");
        Click(*running, "resetAll");
        EXPECT_EQ(Keys(*running), QStringList{"Z"});
        Click(*running, "cancel");
    });
    EXPECT_FALSE(RunKeyLayoutDialog(nullptr, map));
    EXPECT_EQ(built, 1);
    EXPECT_EQ(applied(), "Ctrl+Shift+F5");
}

TEST(KeyLayoutDialog, EditingNeedsCommandsAndResetNeedsDefaults) {
    CAcceleratorManager empty;
    KeyLayoutDialog none(empty);
    for (const char* name : {"assign", "remove", "resetAll", "newKey"})
        EXPECT_FALSE(Find(none, name)->isEnabled()) << name;
    CAcceleratorManager noDefaults;
    RegisterCommandTable(noDefaults);
    KeyLayoutDialog fresh(noDefaults);
    EXPECT_FALSE(Find(fresh, "resetAll")->isEnabled());
}
