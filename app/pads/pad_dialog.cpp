#include "app/pads/pad_dialog.h"

#include "engine/deck/mixer_device.h"
#include "engine/foundations/zem_exception.h"
#include "engine/mixer/mixer.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace zem::pads {

namespace {

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setAutoDefault(false);
    return b;
}

QString FileName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return QString::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1));
}

} // namespace

PadDialog::PadDialog(CPadTable& pads, Mixer& mixer, PadHost& host, PadDialogHooks hooks,
                     QWidget* parent)
    : QDialog(parent), m_pads(pads), m_mixer(mixer), m_host(host), m_hooks(std::move(hooks)) {
    setWindowTitle(QStringLiteral("Sound effects"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("pads"));
    m_list->setMinimumSize(220, 180);
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setReadOnly(true);
    m_path->setMinimumWidth(280);
    m_volume = new QSlider(Qt::Horizontal, this);
    m_volume->setObjectName(QStringLiteral("volume"));
    m_volume->setRange(0, 10000);
    m_volume->setTickInterval(1000);
    m_volume->setPageStep(1000);
    m_volume->setTickPosition(QSlider::TicksBelow);
    m_stop = new QCheckBox(QStringLiteral("&Stop if playing"), this);
    m_stop->setObjectName(QStringLiteral("stopIfPlaying"));
    m_key = new QLabel(this);
    m_key->setObjectName(QStringLiteral("key"));

    auto* add = Button("&Add...", "add", this);
    auto* remove = Button("&Remove", "remove", this);
    auto* test = Button("&Test", "test", this);
    auto* apply = Button("A&pply", "apply", this);
    auto* keys = Button("&Keys...", "keys", this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* details = new QGridLayout;
    details->addWidget(new QLabel(QStringLiteral("File:"), this), 0, 0);
    details->addWidget(m_path, 0, 1, 1, 2);
    details->addWidget(new QLabel(QStringLiteral("Volume:"), this), 1, 0);
    details->addWidget(m_volume, 1, 1, 1, 2);
    details->addWidget(m_stop, 2, 1, 1, 2);
    details->addWidget(new QLabel(QStringLiteral("Key:"), this), 3, 0);
    details->addWidget(m_key, 3, 1);
    details->addWidget(keys, 3, 2);
    auto* side = new QVBoxLayout;
    side->addLayout(details);
    auto* actions = new QHBoxLayout;
    for (QPushButton* b : {test, apply})
        actions->addWidget(b);
    actions->addStretch(1);
    side->addLayout(actions);
    side->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(add);
    listButtons->addWidget(remove);
    left->addLayout(listButtons);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(side, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int) { ShowSelected(); });
    connect(add, &QPushButton::clicked, this, [this] {
        if (m_hooks.chooseFile)
            if (const std::string path = m_hooks.chooseFile(this); !path.empty())
                AddFile(path);
    });
    connect(remove, &QPushButton::clicked, this, &PadDialog::RemoveSelected);
    connect(test, &QPushButton::clicked, this, &PadDialog::Test);
    connect(apply, &QPushButton::clicked, this, &PadDialog::Apply);
    connect(keys, &QPushButton::clicked, this, [this] {
        if (m_hooks.openKeyMap)
            m_hooks.openKeyMap(this);
        ShowSelected();
    });
    // The preview follows the slider while it is dragged and where it is let go.
    connect(m_volume, &QSlider::valueChanged, this, [this](int value) {
        if (m_preview)
            m_preview->SetVolume(value / 100, kVChannel0);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Rebuild(0);
}

PadDialog::~PadDialog() {
    StopPreview();
}

void PadDialog::Rebuild(int select) {
    m_list->clear();
    for (const PadRecord& pad : m_pads.Pads())
        m_list->addItem(FileName(pad.Path()));
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::clamp(select, 0, m_list->count() - 1));
    ShowSelected();
}

void PadDialog::Select(int row) {
    m_list->setCurrentRow(row);
}

void PadDialog::ShowSelected() {
    const int row = m_list->currentRow();
    const bool has = row >= 0 && row < static_cast<int>(m_pads.Pads().size());
    const PadRecord* pad = has ? &m_pads.Pads()[static_cast<size_t>(row)] : nullptr;
    m_path->setText(pad ? QString::fromStdString(pad->Path()) : QString());
    m_volume->setValue(pad ? pad->volume * 100 : 0);
    m_stop->setChecked(pad && pad->stopIfPlaying);
    m_key->setText(pad && m_hooks.keyText ? QString::fromStdString(m_hooks.keyText(pad->command))
                                          : QString());
}

void PadDialog::Apply() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_pads.Pads().size()))
        return;
    PadRecord& pad = m_pads.At(static_cast<size_t>(row));
    pad.volume = m_volume->value() / 100;
    pad.stopIfPlaying = m_stop->isChecked() ? 1 : 0;
}

void PadDialog::accept() {
    Apply();
    QDialog::accept();
}

void PadDialog::AddFile(const std::string& path) {
    PadRecord record;
    record.SetPath(path);
    record.volume = 100;
    record.command = 0;
    m_pads.Add(record);
    Rebuild(static_cast<int>(m_pads.Pads().size()) - 1);
}

void PadDialog::RemoveSelected() {
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_pads.Remove(static_cast<size_t>(row));
    Rebuild(row);
}

void PadDialog::StopPreview() {
    if (m_preview)
        m_mixer.RemoveEffect(m_preview);
    m_preview = nullptr;
}

void PadDialog::Test() {
    if (m_preview) {
        StopPreview();
        // With stop-if-playing a second press only stops the preview, as the pad's key would.
        if (m_stop->isChecked())
            return;
    }
    const std::string path = m_path->text().toStdString();
    if (path.empty()) {
        m_host.ShowMessage(kNoPadToPlayText);
        return;
    }
    try {
        m_preview = AddPadDevice(m_mixer, path);
        if (!m_preview)
            return;
        m_preview->SetVolume(m_volume->value() / 100, kVChannel0);
        m_preview->Play();
    } catch (ZEMException& e) {
        m_host.ShowMessage(e.GetMessage());
    }
}

} // namespace zem::pads
