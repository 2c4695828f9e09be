#include "plugins/fader_sides/fader_sides_view.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace fader_sides {

namespace {

constexpr int kRefreshMs = 250;

} // namespace

FaderSidesView::FaderSidesView(QWidget* parent) : ZemView(parent) {
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(24);
    addColumn(m_left, "left", QStringLiteral("Left side"), 0);
    addColumn(m_right, "right", QStringLiteral("Right side"), 1);

    m_fade = new QPushButton(QStringLiteral("Fade to right"), this);
    m_fade->setObjectName(QStringLiteral("fade"));
    grid->setRowStretch(5, 1); // a taller window keeps the texts at the top, the button below
    grid->addWidget(m_fade, 6, 0, 1, 2);
    connect(m_fade, &QPushButton::clicked, this, [this] {
        m_model.Fade();
        Refresh(); // the button names the next direction at once, not at the next tick
    });

    auto* timer = new QTimer(this); // stops with the view
    connect(timer, &QTimer::timeout, this, &FaderSidesView::Refresh);
    timer->start(kRefreshMs);
    Refresh();
}

void FaderSidesView::addColumn(Column& column, const char* side, const QString& heading,
                               int gridColumn) {
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* title = new QLabel(heading, this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 0, gridColumn);

    // Object names let tests (and style sheets) find the labels: "leftChannel", "rightTime"...
    const auto make = [&](const char* what, int row) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(side) + QString::fromLatin1(what));
        grid->addWidget(label, row, gridColumn);
        return label;
    };
    column.channel = make("Channel", 1);
    column.file = make("File", 2);
    column.time = make("Time", 3);
    column.state = make("State", 4);
    // The layout keeps every other label whole. A long file name would widen the window without
    // end, so its label keeps room for about 24 characters and shows the full name as a tool tip.
    column.file->setMinimumWidth(column.file->fontMetrics().averageCharWidth() * 24);
    column.file->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void FaderSidesView::draw(const Column& column, const DeckSide& deck) {
    const SideTexts texts = TextsOf(deck);
    column.channel->setText(QString::fromStdString(texts.channel));
    const QString file = QString::fromStdString(texts.file);
    column.file->setText(file);
    column.file->setToolTip(file);
    column.time->setText(QString::fromStdString(texts.time));
    column.state->setText(QString::fromStdString(texts.state));
}

void FaderSidesView::Refresh() {
    m_model.Refresh();
    draw(m_left, m_model.Left());
    draw(m_right, m_model.Right());
    m_fade->setText(QString::fromStdString(m_model.FadeButtonText()));
}

} // namespace fader_sides
