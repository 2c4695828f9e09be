#include "app/decks/mixer_view/fade_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>

CFadeDialog::CFadeDialog(const zem::board::FadeDialogValues& preset, QWidget* parent)
    : QDialog(parent), m_percent(new QSpinBox), m_seconds(new QDoubleSpinBox) {
    setWindowTitle("Fade crossfader");
    m_percent->setObjectName("fadePercent");
    m_percent->setRange(-100, 100);
    m_percent->setSuffix(" %");
    m_percent->setValue(preset.percent);
    m_seconds->setObjectName("fadeSeconds");
    // The board makes anything under a second one second long.
    m_seconds->setRange(0.0, 3600.0);
    m_seconds->setDecimals(1);
    m_seconds->setSuffix(" s");
    m_seconds->setValue(preset.seconds);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow("Fade to (-100 left, +100 right):", m_percent);
    form->addRow("Length:", m_seconds);
    form->addRow(buttons);
}

zem::board::FadeDialogValues CFadeDialog::Values() const {
    return {m_percent->value(), static_cast<float>(m_seconds->value())};
}
