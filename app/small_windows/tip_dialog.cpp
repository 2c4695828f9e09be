#include "app/small_windows/tip_dialog.h"

#include "app/small_windows/small_windows_texts.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zem::small {

CTipDlg::CTipDlg(QWidget* parent, ZemProfile& profile, const std::string& path)
    : QDialog(parent), m_tips(profile, path) {
    setWindowTitle("Tip of the Day");

    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* heading = new QLabel("<b>Did you know...</b>");
    m_tip = new QLabel;
    m_tip->setObjectName("tipText");
    m_tip->setWordWrap(true);
    m_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tip->setTextFormat(Qt::PlainText);
    m_tip->setMinimumSize(360, 90);
    m_note = new QLabel;
    m_note->setWordWrap(true);
    m_note->setTextFormat(Qt::PlainText);

    auto* text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(m_tip, 1);
    text->addWidget(m_note);
    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);
    auto* inside = new QHBoxLayout(panel);
    inside->addWidget(icon);
    inside->addLayout(text, 1);

    m_startUp = new QCheckBox("&Show tips at start-up");
    m_startUp->setChecked(m_tips.ShowAtStartUp());
    m_next = new QPushButton("&Next Tip");
    m_next->setAutoDefault(false);
    m_close = new QPushButton("Close");
    m_close->setDefault(true);
    connect(m_next, &QPushButton::clicked, this, [this] {
        m_tips.Next();
        showCurrent();
    });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_startUp);
    buttons->addStretch(1);
    buttons->addWidget(m_next);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);

    m_close->setFocus();
    showCurrent();
}

CTipDlg::~CTipDlg() {
    if (!m_stored)
        m_tips.StoreFilePos();
}

QString CTipDlg::TipText() const {
    return m_tip->text();
}

void CTipDlg::showCurrent() {
    m_tip->setText(QString::fromStdString(m_tips.Current()));
    switch (m_tips.Source()) {
    case TipSource::File:
        m_note->hide();
        break;
    case TipSource::Missing:
        m_note->setText(kNoTipsFileNote);
        m_note->show();
        break;
    case TipSource::Unreadable:
        m_note->setText(kUnreadableTipsNote);
        m_note->show();
        break;
    }
    m_next->setEnabled(m_tips.Source() == TipSource::File);
}

void CTipDlg::done(int result) {
    if (result == QDialog::Accepted)
        m_tips.SetShowAtStartUp(m_startUp->isChecked());
    m_tips.StoreFilePos();
    m_stored = true;
    QDialog::done(result);
}

void ShowTipOfTheDay(QWidget* parent, ZemProfile& profile) {
    CTipDlg dialog(parent, profile, kTipsFile);
    dialog.exec();
}

} // namespace zem::small
