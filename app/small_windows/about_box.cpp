#include "app/small_windows/about_box.h"

#include "app/small_windows/small_windows_texts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include <string>

namespace zem::small {

QDialog* MakeAboutBox(QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setWindowTitle(QString("About %1").arg(kProgramName));

    auto* logo = new QLabel;
    const QPixmap bitmap(QString("./") + kLogoFile);
    if (!bitmap.isNull())
        logo->setPixmap(bitmap);
    logo->setVisible(!bitmap.isNull());
    logo->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QString("<b>%1</b> Version %2").arg(kProgramName, kVersion));
    name->setObjectName("nameAndVersion");
    auto* credits = new QLabel(kCredits);
    credits->setObjectName("credits");
    credits->setWordWrap(true);
    credits->setMinimumWidth(320);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(credits);
    text->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);

    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
    return dialog;
}

void ShowAboutBox(QWidget* parent) {
    std::unique_ptr<QDialog> dialog(MakeAboutBox(parent));
    dialog->exec();
}

} // namespace zem::small
