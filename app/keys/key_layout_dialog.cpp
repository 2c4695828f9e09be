#include "app/keys/key_layout_dialog.h"

#include "app/keys/accelerator_map.h"
#include "app/keys/key_names.h"
#include "app/keys/virtual_keys.h"
#include "platform/ui_hooks.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <limits>

namespace zem::keys {

namespace {

constexpr uint16_t kVkShift = 0x10;
constexpr uint16_t kVkControl = 0x11;
constexpr uint16_t kVkMenu = 0x12;

// The widest key text the lists and the capture field must show whole.
constexpr const char* kWidestKey = "Ctrl+Alt+Shift+VK_OEM_CLEAR";

bool MovesFocus(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The key-map key of a press. With Num Lock off the keypad sends its navigation keys, which the
// key map holds as the plain keys, as the bindings then see them.
bool KeyOfPress(const QKeyEvent* event, uint8_t& flags, uint16_t& vk) {
    const QKeyCombination key = event->keyCombination();
    if (VirtualKeyOf(key, flags, vk))
        return true;
    return (key.keyboardModifiers() & Qt::KeypadModifier) &&
           VirtualKeyOf(QKeyCombination(key.keyboardModifiers() & ~Qt::KeypadModifier, key.key()),
                        flags, vk);
}

// Wide enough for every text of the list without a horizontal scroll bar.
void FitWidth(QListWidget* list, const QStringList& texts) {
    int widest = 0;
    for (const QString& t : texts)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(t));
    list->setMinimumWidth(widest + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width() +
                          4 * list->fontMetrics().averageCharWidth());
}

} // namespace

KeyCaptureField::KeyCaptureField(KeyEditor& editor, QWidget* parent)
    : QLineEdit(parent), m_editor(editor) {
    // Nothing is typed, pasted or dropped into it; key presses only.
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setMinimumWidth(fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestKey)) +
                    4 * fontMetrics().averageCharWidth());
}

void KeyCaptureField::Refresh() {
    setText(QString::fromStdString(m_editor.CaptureText()));
}

bool KeyCaptureField::event(QEvent* event) {
    // Keys that would trigger a mnemonic or shortcut of the dialog come here instead.
    if (event->type() == QEvent::ShortcutOverride && !MovesFocus(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void KeyCaptureField::keyPressEvent(QKeyEvent* event) {
    event->accept();
    uint8_t flags = 0;
    uint16_t vk = 0;
    if (event->isAutoRepeat() || !KeyOfPress(event, flags, vk))
        return;
    if (vk != kVkShift && vk != kVkControl && vk != kVkMenu) {
        // The modifiers held with the key count even when their presses came before the field
        // had the focus or went to an earlier combination; Shift also when the character needs
        // it on the US layout.
        if (flags & kFlagControl)
            m_editor.CaptureKeyPress(kVkControl);
        if (flags & kFlagAlt)
            m_editor.CaptureKeyPress(kVkMenu);
        if (flags & kFlagShift)
            m_editor.CaptureKeyPress(kVkShift);
    }
    m_editor.CaptureKeyPress(vk);
    Refresh();
}

void KeyCaptureField::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
}

KeyLayoutDialog::KeyLayoutDialog(CAcceleratorManager& map, QWidget* parent)
    : QDialog(parent), m_map(map), m_editor(map) {
    setWindowTitle(tr("Keyboard layout"));

    m_category = new QComboBox;
    m_category->setObjectName(QStringLiteral("category"));
    m_commands = new QListWidget;
    m_commands->setObjectName(QStringLiteral("commands"));
    m_currentKeys = new QListWidget;
    m_currentKeys->setObjectName(QStringLiteral("currentKeys"));
    m_newKey = new KeyCaptureField(m_editor);
    m_newKey->setObjectName(QStringLiteral("newKey"));
    m_assignedTo = new QLabel;
    m_assignedTo->setObjectName(QStringLiteral("assignedTo"));
    m_assignedTo->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* assign = new QPushButton(tr("&Assign"));
    assign->setObjectName(QStringLiteral("assign"));
    auto* remove = new QPushButton(tr("&Remove"));
    remove->setObjectName(QStringLiteral("remove"));
    auto* resetAll = new QPushButton(tr("Re&set All"));
    resetAll->setObjectName(QStringLiteral("resetAll"));
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));

    auto label = [](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text);
        l->setBuddy(buddy);
        return l;
    };

    QStringList allCommands;
    int widestName = 0;
    for (const std::string& c : m_editor.Categories()) {
        m_category->addItem(QString::fromStdString(c));
        for (const std::string& command : m_editor.Commands(c)) {
            allCommands << QString::fromStdString(command);
            widestName = std::max(widestName, m_assignedTo->fontMetrics().horizontalAdvance(
                                                  QString::fromStdString(c + " " + command)));
        }
    }
    FitWidth(m_commands, allCommands);
    FitWidth(m_currentKeys, {QString::fromLatin1(kWidestKey)});
    m_commands->setMinimumHeight(m_commands->fontMetrics().height() * 16);
    m_currentKeys->setMinimumHeight(m_currentKeys->fontMetrics().height() * 6);

    auto* top = new QHBoxLayout;
    top->addWidget(label(tr("Cate&gory:"), m_category));
    top->addWidget(m_category, 1);

    auto* grid = new QGridLayout(this);
    grid->addLayout(top, 0, 0, 1, 3);
    grid->addWidget(label(tr("&Commands:"), m_commands), 1, 0);
    grid->addWidget(label(tr("Current &Keys:"), m_currentKeys), 1, 1);
    grid->addWidget(m_commands, 2, 0, 5, 1);
    grid->addWidget(m_currentKeys, 2, 1);
    grid->addWidget(remove, 2, 2, Qt::AlignTop);
    grid->addWidget(label(tr("Select &New Shortcut Key:"), m_newKey), 3, 1);
    grid->addWidget(m_newKey, 4, 1);
    grid->addWidget(assign, 4, 2);
    grid->addWidget(new QLabel(tr("Currently assigned to :")), 5, 1, 1, 2);
    grid->addWidget(m_assignedTo, 6, 1, 1, 2, Qt::AlignTop);
    grid->addWidget(resetAll, 7, 0, Qt::AlignLeft);
    grid->addWidget(buttons, 7, 1, 1, 2);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    // The owner's name must not widen the dialog when it appears.
    m_assignedTo->setMinimumSize(widestName, m_assignedTo->fontMetrics().height());
    m_assignedTo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    const bool canEdit = m_editor.CanEdit();
    for (QWidget* w : {static_cast<QWidget*>(assign), static_cast<QWidget*>(remove),
                       static_cast<QWidget*>(m_newKey)})
        w->setEnabled(canEdit);
    resetAll->setEnabled(m_editor.CanReset());

    connect(m_category, &QComboBox::currentIndexChanged, this, &KeyLayoutDialog::chooseCategory);
    connect(m_commands, &QListWidget::currentRowChanged, this, &KeyLayoutDialog::chooseCommand);
    connect(assign, &QPushButton::clicked, this, &KeyLayoutDialog::assign);
    connect(remove, &QPushButton::clicked, this, &KeyLayoutDialog::remove);
    connect(resetAll, &QPushButton::clicked, this, &KeyLayoutDialog::resetAll);
    connect(buttons, &QDialogButtonBox::accepted, this, &KeyLayoutDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &KeyLayoutDialog::reject);
    chooseCategory();
}

void KeyLayoutDialog::accept() {
    m_editor.ApplyTo(m_map);
    QDialog::accept();
}

void KeyLayoutDialog::chooseCategory() {
    const std::string category = m_category->currentText().toStdString();
    {
        const QSignalBlocker blocker(m_commands);
        m_commands->clear();
        for (const std::string& command : m_editor.Commands(category))
            m_commands->addItem(QString::fromStdString(command));
        // The editor keeps its last command until another is chosen; choosing the first keeps
        // the keys on view those Assign and Remove act on.
        m_commands->setCurrentRow(m_commands->count() > 0 ? 0 : -1);
    }
    chooseCommand();
}

void KeyLayoutDialog::chooseCommand() {
    const QListWidgetItem* item = m_commands->currentItem();
    if (item)
        m_editor.SelectCommand(m_category->currentText().toStdString(), item->text().toStdString());
    fillCurrentKeys(0);
    m_newKey->Refresh();
    m_assignedTo->clear();
}

void KeyLayoutDialog::fillCurrentKeys(int selectRow) {
    m_currentKeys->clear();
    if (!m_commands->currentItem())
        return;
    for (const std::string& key : m_editor.CurrentKeys())
        m_currentKeys->addItem(QString::fromStdString(key));
    if (m_currentKeys->count() > 0)
        m_currentKeys->setCurrentRow(std::clamp(selectRow, 0, m_currentKeys->count() - 1));
}

void KeyLayoutDialog::assign() {
    if (!m_commands->currentItem())
        return;
    if (m_editor.Assign()) {
        fillCurrentKeys(m_currentKeys->count());
        m_assignedTo->clear();
        m_newKey->Refresh();
        return;
    }
    m_assignedTo->setText(QString::fromStdString(m_editor.AssignedTo()));
    if (!m_editor.AssignedTo().empty()) {
        // Ready for another key at once.
        m_newKey->setFocus(Qt::OtherFocusReason);
        m_newKey->selectAll();
    }
}

void KeyLayoutDialog::remove() {
    if (!m_commands->currentItem())
        return;
    const int row = m_currentKeys->currentRow();
    std::string message;
    if (m_editor.Remove(row < 0 ? std::numeric_limits<size_t>::max() : static_cast<size_t>(row),
                        message))
        fillCurrentKeys(row);
    else
        zem::ShowMessageBox(message.c_str());
}

void KeyLayoutDialog::resetAll() {
    m_editor.ResetAll();
    chooseCommand();
}

bool RunKeyLayoutDialog(QWidget* parent, CAcceleratorManager& map) {
    KeyLayoutDialog dialog(map, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zem::keys
