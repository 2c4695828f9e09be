#include "app/keys/key_bindings.h"

#include "app/decks/deck_view/deck_frame.h"
#include "app/decks/deck_view/mixer_device_view.h"
#include "app/decks/deck_window/deck_commands.h"
#include "app/framework/command_router.h"
#include "app/keys/accelerator_map.h"
#include "app/keys/virtual_keys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace zem::keys {

namespace {

CDeckFrame* ActiveDeckFrame(QMdiArea& workspace) {
    return dynamic_cast<CDeckFrame*>(workspace.activeSubWindow());
}

// The keypad's virtual keys: the digits, then * + , - . /.
constexpr uint16_t kVkNumpad0 = 0x60;
constexpr uint16_t kVkNumpad9 = 0x69;
constexpr uint16_t kVkDivide = 0x6F;

bool IsTextInput(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget);
}

} // namespace

CKeyBindings::CKeyBindings(QMainWindow& mainWindow, QMdiArea& workspace, ZemCommandRouter& router)
    : QObject(&mainWindow), m_mainWindow(mainWindow), m_workspace(workspace), m_router(router) {
    qApp->installEventFilter(this);
}

CKeyBindings::~CKeyBindings() {
    qApp->removeEventFilter(this);
    for (QAction* a : m_actions)
        delete a;
}

void CKeyBindings::Build(const CAcceleratorManager& map) {
    m_map = &map;
    for (QAction* a : m_actions)
        delete a;
    m_actions.clear();
    for (const auto& [id, command] : map.Commands())
        for (const CAccelsOb& k : command->Keys()) {
            const QKeyCombination key = QtKeyOf(k.GetFlags(), k.GetKey());
            if (key.key() == Qt::Key_unknown)
                continue;
            auto* action = new QAction(&m_mainWindow);
            action->setShortcut(QKeySequence(key));
            action->setShortcutContext(Qt::WindowShortcut);
            // One command per press: a held key does not repeat it (a bend lasts while held).
            action->setAutoRepeat(false);
            const int commandId = id;
            const uint16_t vk = k.GetKey();
            const Qt::KeyboardModifiers keys = key.keyboardModifiers();
            connect(action, &QAction::triggered, this,
                    [this, commandId, vk, keys] { fire(commandId, vk, keys); });
            m_mainWindow.addAction(action);
            m_actions.push_back(action);
        }
    for (QAction* top : m_mainWindow.menuBar()->actions())
        if (QMenu* menu = top->menu())
            rewriteHints(menu);
}

QString CKeyBindings::WithKeyHint(const QString& menuText, const QString& keyText) {
    const qsizetype tab = menuText.lastIndexOf(QLatin1Char('\t'));
    return (tab < 0 ? menuText : menuText.left(tab)) + QLatin1Char('\t') + keyText;
}

void CKeyBindings::rewriteHints(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            rewriteHints(sub);
            continue;
        }
        int id = 0;
        if (!ZemCommandRouter::CommandOf(action, id) || !m_map)
            continue;
        const CommandKeys* command = m_map->Find(static_cast<uint16_t>(id));
        if (!command)
            continue;
        const QString key = QString::fromStdString(command->FirstKeyText());
        action->setText(WithKeyHint(action->text(), key));
    }
}

// Qt's shortcuts do not tell the keypad's keys from the main keyboard's on every platform (on
// X11 NumPad 3 fires the shortcut of 3), so the keypad's own keys are matched here: the
// shortcut override is claimed, and the key press fires the command with its keypad digit.
bool CKeyBindings::HandleKeypadKey(QObject* watched, QKeyEvent* key) {
    if (!(key->modifiers() & Qt::KeypadModifier) || !CountsForMainWindow(watched) ||
        IsTextInput(QApplication::focusWidget()))
        return false;
    uint8_t flags = 0;
    uint16_t vk = 0;
    if (!VirtualKeyOf(key->keyCombination(), flags, vk) || vk < kVkNumpad0 || vk > kVkDivide)
        return false;
    const Qt::KeyboardModifiers m = key->modifiers();
    const uint16_t id = CommandOfKey(vk, m);
    if (id == 0)
        return false;
    key->accept();
    if (key->type() == QEvent::KeyPress && !key->isAutoRepeat())
        fire(id, vk, m & ~Qt::KeypadModifier);
    return true;
}

bool CKeyBindings::CountsForMainWindow(QObject* watched) const {
    // A key event reaches the filter once per widget it passes; the one for the focus widget
    // (or the main window itself, when nothing has the focus) counts.
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != &m_mainWindow)
        return false;
    QWidget* focus = QApplication::focusWidget();
    return watched == focus || (!focus && watched == &m_mainWindow);
}

uint16_t CKeyBindings::CommandOfKey(uint16_t vk, Qt::KeyboardModifiers m) const {
    return m_map->FindCommandOfKey(vk, m & Qt::ControlModifier, m & Qt::AltModifier,
                                   m & Qt::ShiftModifier);
}

void CKeyBindings::fire(int id, uint16_t vk, Qt::KeyboardModifiers keys) {
    using namespace zem::deckwin;
    if (id == kCmdRestoreCue || id == kCmdStoreCue) {
        // The cue number is the keypad digit that fired the command.
        if (CDeckFrame* frame = ActiveDeckFrame(m_workspace))
            if (CMixerDeviceView* view = frame->GetDeckView())
                view->ExecuteDeckCommand(
                    id, keys, vk >= kVkNumpad0 && vk <= kVkNumpad9 ? vk - kVkNumpad0 : 0);
        return;
    }
    m_router.Route(id);
}

bool CKeyBindings::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) && m_map &&
        HandleKeypadKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::KeyRelease && m_map) {
        const auto* key = static_cast<QKeyEvent*>(event);
        uint8_t flags = 0;
        uint16_t vk = 0;
        if (!key->isAutoRepeat() && CountsForMainWindow(watched) &&
            VirtualKeyOf(key->keyCombination(), flags, vk)) {
            const Qt::KeyboardModifiers held = QApplication::queryKeyboardModifiers();
            if (const uint16_t id = CommandOfKey(vk, held))
                if (CDeckFrame* frame = ActiveDeckFrame(m_workspace))
                    frame->ForwardKeyRelease(id, held);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zem::keys
