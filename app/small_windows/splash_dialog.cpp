#include "app/small_windows/splash_dialog.h"

#include "app/small_windows/small_windows_texts.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

namespace zem::small {

namespace {
constexpr int kTickMs = 100;
constexpr int kLogoSize = 128;
} // namespace

CSplashDialog::CSplashDialog(QWidget* parent, std::function<long long()> clockMs,
                             long long showForMs, const std::string& logoPath)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_countdown(std::move(clockMs), showForMs) {
    setWindowTitle(kProgramName);

    auto* logo = new QLabel;
    const QPixmap bitmap(QString::fromStdString(logoPath));
    if (!bitmap.isNull())
        logo->setPixmap(bitmap.scaled(kLogoSize, kLogoSize, Qt::KeepAspectRatio));
    logo->setVisible(!bitmap.isNull());

    auto* name = new QLabel(kProgramName);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 4);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QString("Version %1").arg(kVersion));
    version->setObjectName("version");
    auto* what = new QLabel("DJ mixing for your desktop");

    m_box = new QCheckBox("&Do not show this again");
    connect(m_box, &QCheckBox::toggled, this, [this] { m_countdown.Hold(); });

    auto* text = new QVBoxLayout;
    text->addStretch(1);
    text->addWidget(name);
    text->addWidget(version);
    text->addWidget(what);
    text->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addSpacing(16);
    top->addLayout(text, 1);
    // Without a title bar the frame is what sets the splash off from the windows behind it.
    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(24, 24, 24, 16);
    inside->addLayout(top, 1);
    inside->addWidget(m_box);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);

    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &CSplashDialog::Tick);
    m_timer->start(kTickMs);
}

bool CSplashDialog::ShowNextTime() const {
    return !m_box->isChecked();
}

void CSplashDialog::Tick() {
    if (m_countdown.ShouldClose())
        accept();
}

void CSplashDialog::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
    accept();
}

void CSplashDialog::keyPressEvent(QKeyEvent* event) {
    // Space belongs to the box while it has the focus; the box takes it before we see it.
    event->accept();
    accept();
}

bool ShowSplashDialog(QWidget* parent) {
    QElapsedTimer started;
    started.start();
    CSplashDialog dialog(
        parent, [started] { return started.elapsed(); }, kSplashShowMs,
        std::string("./") + kLogoFile);
    dialog.exec();
    return dialog.ShowNextTime();
}

} // namespace zem::small
