#include "app/effects/deck_effects_dialog.h"

#include "app/effects/effect_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace {

struct ListButtons {
    QPushButton* add;
    QPushButton* remove;
    QPushButton* settings;
};

// Both effect lists look alike: the list with its buttons beside it, the file name below.
ListButtons BuildListLayout(QWidget* owner, QGridLayout* grid, const char* caption,
                            QListWidget* list, QLineEdit* fileName) {
    list->setObjectName("effects");
    fileName->setObjectName("fileName");
    fileName->setReadOnly(true);
    ListButtons b{new QPushButton("&Add...", owner), new QPushButton("&Remove", owner),
                  new QPushButton("&Settings...", owner)};
    b.add->setObjectName("add");
    b.remove->setObjectName("remove");
    b.settings->setObjectName("settings");
    for (QPushButton* button : {b.add, b.remove, b.settings})
        button->setAutoDefault(false);
    grid->addWidget(new QLabel(caption), 0, 0, 1, 2);
    grid->addWidget(list, 1, 0, 4, 1);
    grid->addWidget(b.add, 1, 1);
    grid->addWidget(b.remove, 2, 1);
    grid->addWidget(b.settings, 3, 1);
    grid->setRowStretch(4, 1);
    grid->addWidget(new QLabel("Library file:"), 5, 0, 1, 2);
    grid->addWidget(fileName, 6, 0, 1, 2);
    return b;
}

template <class Logic>
void FillList(Logic& logic, QListWidget* list, QLineEdit* fileName,
              const std::function<std::string(const typename Logic::Entry&)>& text) {
    const QSignalBlocker blocker(list);
    list->clear();
    for (const auto& entry : logic.GetEntries())
        list->addItem(QString::fromStdString(text(entry)));
    list->setCurrentRow(logic.GetSelection());
    fileName->setText(QString::fromStdString(logic.GetFileName()));
}

// The selection shows its file name; the buttons act on the list, then it is shown again.
template <class Logic>
void ConnectList(QWidget* owner, Logic& logic, QListWidget* list, QLineEdit* fileName,
                 const ListButtons& b, const std::function<void()>& refresh) {
    QObject::connect(list, &QListWidget::currentRowChanged, owner, [&logic, fileName](int row) {
        logic.Select(row);
        fileName->setText(QString::fromStdString(logic.GetFileName()));
    });
    QObject::connect(b.add, &QPushButton::clicked, owner, [&logic, refresh] {
        logic.Add();
        refresh();
    });
    QObject::connect(b.remove, &QPushButton::clicked, owner, [&logic, refresh] {
        logic.Remove();
        refresh();
    });
    QObject::connect(b.settings, &QPushButton::clicked, owner, [&logic] { logic.Settings(); });
}

zem::effects::ChooseEffectFn OrChooser(zem::effects::ChooseEffectFn choose, QWidget* parent) {
    if (choose)
        return choose;
    return [parent] { return RunEffectChooser(parent); };
}

} // namespace

CDeckEffectsDialog::CDeckEffectsDialog(MixerDevice& deck, QWidget* parent,
                                       zem::effects::ChooseEffectFn choose)
    : QDialog(parent), m_logic(deck, OrChooser(std::move(choose), this)), m_list(new QListWidget),
      m_fileName(new QLineEdit) {
    setWindowTitle("DSP Plugins");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const ListButtons b = BuildListLayout(
        this, grid, "Effects on this deck, in processing order:", m_list, m_fileName);
    layout->addLayout(grid);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(close);
    ConnectList(this, m_logic, m_list, m_fileName, b, [this] { Refresh(); });
    Refresh();
    resize(460, 300);
}

void CDeckEffectsDialog::Refresh() {
    using Entry = zem::effects::DeckEffectList::Entry;
    FillList<zem::effects::DeckEffectList>(m_logic, m_list, m_fileName,
                                           [](const Entry& e) { return e.text; });
}

CDeviceSettingsDSP::CDeviceSettingsDSP(zem::effects::GlobalDSPList& list, QWidget* parent)
    : QWidget(parent), m_logic(list), m_list(new QListWidget), m_fileName(new QLineEdit) {
    auto* grid = new QGridLayout(this);
    const ListButtons b = BuildListLayout(
        this, grid, "Effects every newly opened deck loads, in processing order:", m_list,
        m_fileName);
    ConnectList(this, m_logic, m_list, m_fileName, b, [this] { Refresh(); });
    Refresh();
}

void CDeviceSettingsDSP::Refresh() {
    using Entry = zem::effects::GlobalDSPList::Entry;
    FillList<zem::effects::GlobalDSPList>(m_logic, m_list, m_fileName,
                                          [](const Entry& e) { return e.description; });
}

void ShowDeckEffectsDialog(QWidget* parent, MixerDevice& deck) {
    CDeckEffectsDialog dialog(deck, parent);
    dialog.exec();
}
