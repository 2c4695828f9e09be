#include "app/shell/general_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>

namespace zem::shell {

bool RunGeneralDialog(QWidget* parent, int& setting) {
    QDialog dialog(parent);
    dialog.setWindowTitle("General");
    auto* layout = new QGridLayout(&dialog);
    layout->addWidget(new QLabel("User interface thread priority:"), 0, 0, 1, 4);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName("threadPriority");
    slider->setRange(0, 3);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setValue(setting >= 0 && setting <= 3 ? setting : 0);
    layout->addWidget(slider, 1, 0, 1, 4);
    const char* const names[] = {"Normal", "Above normal", "Highest", "Time critical"};
    for (int i = 0; i < 4; ++i)
        layout->addWidget(new QLabel(names[i]), 2, i,
                          i == 0   ? Qt::AlignLeft
                          : i == 3 ? Qt::AlignRight
                                   : Qt::AlignHCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons, 3, 0, 1, 4);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    setting = slider->value();
    return true;
}

} // namespace zem::shell
