// The command map on the main window: one action per key of every command, so that a key fires
// its command whatever window is active (the cue commands on the active deck, with the digit
// of the key that fired them), the main menu's key hints, and key releases handed to the
// active deck so that held-key commands (bends) end when the key is let go. While a text field
// has the focus it takes the keys it types, and no command fires.
//
// Threads: the user-interface thread only.
#pragma once

#include <QKeyEvent>
#include <QObject>

#include <vector>

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;
class ZemCommandRouter;

namespace zem::keys {

class CAcceleratorManager;

class CKeyBindings : public QObject {
    Q_OBJECT
public:
    // Everything must outlive the bindings.
    CKeyBindings(QMainWindow& mainWindow, QMdiArea& workspace, ZemCommandRouter& router);
    ~CKeyBindings() override;

    // Makes the actions of every key of the map and rewrites the main menu's key hints; the
    // map's accelerator table.
    void Build(const CAcceleratorManager& map);
    const CAcceleratorManager* Map() const { return m_map; }

    // The menu text with its key hint: the text before the last tab, a tab and the key text.
    static QString WithKeyHint(const QString& menuText, const QString& keyText);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleKeypadKey(QObject* watched, QKeyEvent* key);
    bool CountsForMainWindow(QObject* watched) const;
    uint16_t CommandOfKey(uint16_t vk, Qt::KeyboardModifiers modifiers) const;
    void fire(int id, uint16_t vk, Qt::KeyboardModifiers keys);
    void rewriteHints(QMenu* menu);

    QMainWindow& m_mainWindow;
    QMdiArea& m_workspace;
    ZemCommandRouter& m_router;
    const CAcceleratorManager* m_map = nullptr;
    std::vector<QAction*> m_actions;
};

} // namespace zem::keys
