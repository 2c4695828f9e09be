#include "app/device_settings/settings_page_widgets.h"

#include "app/device_settings/input_plugins.h"
#include "app/device_settings/settings_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

using zem::settings::Field;
using zem::settings::FieldKind;

namespace {

QWidget* EditFor(Field& field) {
    auto* edit = new QLineEdit(QString::fromStdString(field.text));
    edit->setMaximumWidth(120);
    QObject::connect(edit, &QLineEdit::textChanged,
                     [&field](const QString& text) { field.text = text.toStdString(); });
    return edit;
}

QWidget* CheckFor(Field& field) {
    auto* box = new QCheckBox(field.def.label);
    box->setChecked(field.value != 0);
    QObject::connect(box, &QCheckBox::toggled, [&field](bool on) { field.value = on ? 1 : 0; });
    return box;
}

QWidget* RadiosFor(Field& field) {
    auto* group = new QGroupBox(field.def.label);
    auto* buttons = new QButtonGroup(group);
    auto* layout = new QVBoxLayout(group);
    const char* texts[2] = {"Multimedia timer", "Playback thread"};
    for (int id = 0; id < 2; ++id) {
        auto* radio = new QRadioButton(texts[id]);
        radio->setObjectName(QString("%1 %2").arg(field.def.key).arg(id));
        radio->setChecked(field.value == id);
        buttons->addButton(radio, id);
        layout->addWidget(radio);
    }
    QObject::connect(buttons, &QButtonGroup::idToggled, [&field](int id, bool on) {
        if (on)
            field.value = id;
    });
    return group;
}

QWidget* SliderFor(Field& field) {
    auto* box = new QWidget;
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(field.def.key);
    slider->setRange(static_cast<int>(field.def.min), static_cast<int>(field.def.max));
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setValue(field.value);
    QObject::connect(slider, &QSlider::valueChanged, [&field](int value) { field.value = value; });
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(slider, 0, 0, 1, 2);
    grid->addWidget(new QLabel("Normal"), 1, 0, Qt::AlignLeft);
    grid->addWidget(new QLabel("Time critical"), 1, 1, Qt::AlignRight);
    return box;
}

} // namespace

QWidget* BuildFieldsPage(zem::settings::SettingsPage& page) {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    for (Field& field : page.Fields()) {
        QWidget* control = nullptr;
        switch (field.def.kind) {
        case FieldKind::Check:
            control = CheckFor(field);
            form->addRow(control);
            break;
        case FieldKind::Radio:
            control = RadiosFor(field);
            form->addRow(control);
            break;
        case FieldKind::Slider:
            control = SliderFor(field);
            form->addRow(QString(field.def.label) + ":", control);
            break;
        default:
            control = EditFor(field);
            form->addRow(QString(field.def.label) + ":", control);
            break;
        }
        if (control->objectName().isEmpty())
            control->setObjectName(field.def.key);
    }
    layout->addStretch(1);
    return widget;
}

QWidget* BuildInputPluginsPage(zem::settings::InputPluginsPage& page) {
    auto* widget = new QWidget;
    auto* list = new QListWidget;
    list->setObjectName("modules");
    auto* description = new QLineEdit;
    description->setObjectName("description");
    description->setReadOnly(true);
    auto* type = new QLabel;
    type->setObjectName("moduleType");
    auto* configure = new QPushButton("&Configure...");
    configure->setObjectName("configure");
    auto* about = new QPushButton("A&bout...");
    about->setObjectName("about");
    for (QPushButton* button : {configure, about})
        button->setAutoDefault(false);
    for (const auto& entry : page.GetEntries())
        list->addItem(QString::fromStdString(entry.fileName));
    auto show = [&page, description, type] {
        description->setText(QString::fromStdString(page.GetDescription()));
        const int i = page.GetSelection();
        type->setText(i < 0 ? QString() : QString::fromStdString(page.GetEntries()[i].typeName));
    };
    list->setCurrentRow(page.GetSelection());
    show();
    QObject::connect(list, &QListWidget::currentRowChanged, [&page, show](int row) {
        page.Select(row);
        show();
    });
    QObject::connect(configure, &QPushButton::clicked, [&page] { page.Configure(); });
    QObject::connect(about, &QPushButton::clicked, [&page] { page.About(); });
    auto* grid = new QGridLayout(widget);
    grid->addWidget(new QLabel("Input plug-ins that decode songs:"), 0, 0, 1, 2);
    grid->addWidget(list, 1, 0, 3, 1);
    grid->addWidget(configure, 1, 1);
    grid->addWidget(about, 2, 1);
    grid->setRowStretch(3, 1);
    auto* form = new QFormLayout;
    form->addRow("Description:", description);
    form->addRow("Type:", type);
    grid->addLayout(form, 4, 0, 1, 2);
    return widget;
}
