#include "app/effects/effect_chooser_dialog.h"

#include "engine/foundations/standard_dirs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

CEffectChooserDialog::CEffectChooserDialog(QWidget* parent)
    : QDialog(parent), m_chooser(ZEM_GetZEMPath(2)), m_list(new QListWidget),
      m_fileName(new QLineEdit) {
    setWindowTitle("Choose a DSP effect");
    m_list->setObjectName("effects");
    m_fileName->setObjectName("fileName");
    m_fileName->setReadOnly(true);
    for (const auto& entry : m_chooser.GetEntries())
        m_list->addItem(QString::fromStdString(entry.text));
    m_list->setCurrentRow(m_chooser.GetSelection());
    m_fileName->setText(QString::fromStdString(m_chooser.GetFileName()));
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_chooser.Select(row);
        m_fileName->setText(QString::fromStdString(m_chooser.GetFileName()));
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Effects in the plug-in folder:"));
    layout->addWidget(m_list);
    auto* form = new QFormLayout;
    form->addRow("Library file:", m_fileName);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(420, 320);
}

void CEffectChooserDialog::done(int result) {
    m_chosen = m_chooser.Finish(result == QDialog::Accepted);
    QDialog::done(result);
}

DLLEffectsModule* RunEffectChooser(QWidget* parent) {
    CEffectChooserDialog dialog(parent);
    dialog.exec();
    return dialog.GetChosenModule();
}
