// The host's dialogs driven through their buttons, with the file choice and the messages
// handed in so that nothing waits for a user.
#include "test_folder.h"

#include "app/interface_plugins/module_list.h"
#include "app/interface_plugins/new_plugins_dialog.h"
#include "app/interface_plugins/plugin_chooser_dialog.h"
#include "app/interface_plugins/settings_dialog.h"
#include "app/interface_plugins/settings_model.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gmock/gmock.h>

#include <deque>

using namespace zem::interface_plugins;
using ::testing::ElementsAre;

namespace {

std::vector<std::string> Rows(const QListWidget* list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list->count(); ++i)
        rows.push_back(list->item(i)->text().toStdString());
    return rows;
}

class Dialogs : public PluginFolder {
protected:
    std::vector<std::string> messages;
    CInterfaceModules modules{plugins, ini,
                              [this](const std::string& t) { messages.push_back(t); }};
};

} // namespace

TEST_F(Dialogs, SettingsDialogAddsRemovesAndShowsSettings) {
    modules.Add(install("bare"));
    const std::string refusing = install("refusing");
    const std::string playlist = install("playlist");
    std::deque<std::optional<std::string>> choices{refusing, std::nullopt, playlist};
    InterfaceSettingsDialog dialog(modules, [&] {
        auto next = choices.front();
        choices.pop_front();
        return next;
    });
    auto* list = dialog.findChild<QListWidget*>("modules");
    auto* description = dialog.findChild<QPlainTextEdit*>("description");
    auto button = [&](const char* name) { return dialog.findChild<QPushButton*>(name); };
    ASSERT_TRUE(list && description && button("add") && button("remove") && button("settings"));
    EXPECT_THAT(Rows(list), ElementsAre("bare_plugin.so"));
    EXPECT_EQ(description->toPlainText(), "Bare");
    EXPECT_TRUE(description->isReadOnly());

    button("add")->click(); // refused
    button("add")->click(); // cancelled
    EXPECT_THAT(messages, ElementsAre("Unable to initialize DLLInterfaceModule!"));
    EXPECT_EQ(modules.Count(), 1u);
    button("add")->click();
    EXPECT_THAT(Rows(list), ElementsAre("bare_plugin.so", "playlist_plugin.so"));
    EXPECT_EQ(description->toPlainText(), "Playlists: ZEM and M3U");

    button("settings")->click();
    list->setCurrentRow(0);
    button("settings")->click();
    EXPECT_THAT(messages,
                ElementsAre("Unable to initialize DLLInterfaceModule!", "No settings..."));
    button("remove")->click();
    EXPECT_THAT(Rows(list), ElementsAre("playlist_plugin.so"));
    EXPECT_THAT(logLines(), ElementsAre("bare constructor", "playlist constructor",
                                        "playlist settings", "bare destructor"));

    InterfaceSettingsModel(modules).Finish();
    EXPECT_EQ(readFile(modules.ConfigPath()), "playlist_plugin.so\n");
    EXPECT_EQ(logLines().back(), "playlist update");
}

TEST_F(Dialogs, ChooserListsInterfacePluginsAndAnswersThePath) {
    install("refusing");
    const std::string bare = install("bare");
    install("no_entry");
    PluginChooserDialog dialog(ListInterfacePlugins(plugins));
    auto* list = dialog.findChild<QListWidget*>("plugins");
    auto* description = dialog.findChild<QPlainTextEdit*>("description");
    ASSERT_TRUE(list && description);
    EXPECT_THAT(Rows(list), ElementsAre("bare_plugin.so"));
    EXPECT_EQ(description->toPlainText(), "Bare");
    EXPECT_EQ(dialog.ChosenPath(), bare);
    // Listing never constructs.
    EXPECT_TRUE(logLines().empty());
}

TEST_F(Dialogs, NewPluginsDialogAnswersTheCheckedPaths) {
    NewPluginsDialog dialog({"/p/a.so", "/p/b.so", "/p/c.so"});
    auto* list = dialog.findChild<QListWidget*>("plugins");
    ASSERT_NE(list, nullptr);
    EXPECT_THAT(dialog.CheckedPaths(), ElementsAre("/p/a.so", "/p/b.so", "/p/c.so"));
    list->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_THAT(dialog.CheckedPaths(), ElementsAre("/p/a.so", "/p/c.so"));
}
