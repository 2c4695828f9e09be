#include "app/recorder/recorder_view.h"

#include "app/recorder/level_meter_widget.h"
#include "app/recorder/recorder_doc.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using zem::rec::Recorder;
using zem::rec::RecordFormat;

namespace {

std::string SystemFolderDialog(const std::string& current) {
    const QString folder = QFileDialog::getExistingDirectory(
        nullptr, QStringLiteral("Recording folder"), QString::fromLocal8Bit(current.c_str()));
    return folder.toLocal8Bit().toStdString();
}

CRecorderView::FolderDialog& Dialog() {
    static CRecorderView::FolderDialog dialog = SystemFolderDialog;
    return dialog;
}

QString TimeText(double seconds) {
    const long total = static_cast<long>(seconds);
    return QString::asprintf("%02ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
}

QString SizeText(uint64_t bytes) {
    if (bytes < 1024 * 1024)
        return QString::asprintf("%.1f KB", bytes / 1024.0);
    if (bytes < 1024ull * 1024 * 1024)
        return QString::asprintf("%.1f MB", bytes / (1024.0 * 1024.0));
    return QString::asprintf("%.2f GB", bytes / (1024.0 * 1024.0 * 1024.0));
}

QString FileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return QString::fromLocal8Bit(
        (slash == std::string::npos ? path : path.substr(slash + 1)).c_str());
}

} // namespace

CRecorderView::CRecorderView(QWidget* parent) : ZemView(parent) {
    build();
}

void CRecorderView::SetFolderDialog(FolderDialog dialog) {
    Dialog() = dialog ? std::move(dialog) : FolderDialog(SystemFolderDialog);
}

CRecorderDoc* CRecorderView::GetRecorderDoc() const {
    return dynamic_cast<CRecorderDoc*>(GetDocument());
}

void CRecorderView::build() {
    auto* grid = new QGridLayout;
    m_source = new QComboBox;
    m_source->setObjectName("source");
    m_source->setToolTip(QStringLiteral("What is recorded: what the audience hears, or an input"));
    m_format = new QComboBox;
    m_format->setObjectName("format");
    for (int f = 0; f < zem::rec::kFormatCount; ++f)
        m_format->addItem(QString::fromUtf8(zem::rec::FormatLabel(static_cast<RecordFormat>(f))));
    m_folder = new QLineEdit;
    m_folder->setObjectName("folder");
    m_folder->setReadOnly(true);
    m_folder->setMinimumWidth(280);
    m_browse = new QPushButton(QStringLiteral("Browse..."));
    m_browse->setObjectName("browse");
    auto* sourceLabel = new QLabel(QStringLiteral("&Source:"));
    sourceLabel->setBuddy(m_source);
    auto* formatLabel = new QLabel(QStringLiteral("F&ormat:"));
    formatLabel->setBuddy(m_format);
    auto* folderLabel = new QLabel(QStringLiteral("Fol&der:"));
    folderLabel->setBuddy(m_browse);
    grid->addWidget(sourceLabel, 0, 0);
    grid->addWidget(m_source, 0, 1, 1, 2);
    grid->addWidget(formatLabel, 1, 0);
    grid->addWidget(m_format, 1, 1, 1, 2);
    grid->addWidget(folderLabel, 2, 0);
    grid->addWidget(m_folder, 2, 1);
    grid->addWidget(m_browse, 2, 2);

    m_record = new QPushButton(QStringLiteral("Record"));
    m_record->setObjectName("record");
    m_record->setMinimumHeight(48);
    QFont big = m_record->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    m_record->setFont(big);

    auto* info = new QGridLayout;
    m_time = new QLabel(TimeText(0));
    m_time->setObjectName("time");
    QFont timeFont = m_time->font();
    timeFont.setPointSize(timeFont.pointSize() + 4);
    m_time->setFont(timeFont);
    m_size = new QLabel(SizeText(0));
    m_size->setObjectName("size");
    m_file = new QLabel(QStringLiteral("-"));
    m_file->setObjectName("file");
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    info->addWidget(new QLabel(QStringLiteral("Elapsed (h:m:s):")), 0, 0);
    info->addWidget(m_time, 0, 1);
    info->addWidget(new QLabel(QStringLiteral("File size:")), 1, 0);
    info->addWidget(m_size, 1, 1);
    info->addWidget(new QLabel(QStringLiteral("File:")), 2, 0);
    info->addWidget(m_file, 2, 1);
    info->setColumnStretch(1, 1);

    auto* meters = new QGridLayout;
    const char* names[2] = {"meterLeft", "meterRight"};
    const char* labels[2] = {"L", "R"};
    for (int c = 0; c < 2; ++c) {
        m_meters[c] = new LevelMeterWidget;
        m_meters[c]->setObjectName(names[c]);
        meters->addWidget(new QLabel(QString::fromUtf8(labels[c])), c, 0);
        meters->addWidget(m_meters[c], c, 1);
    }
    meters->addWidget(new QLabel(QStringLiteral("Level: bar RMS, line peak, -60 to 0 dB; "
                                                "red light: clipped in the last 2 s")),
                      2, 1);

    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addWidget(m_record);
    column->addLayout(info);
    column->addLayout(meters);

    setTabOrder(m_source, m_format);
    setTabOrder(m_format, m_browse);
    setTabOrder(m_browse, m_record);

    connect(m_source, &QComboBox::activated, this, [this](int index) {
        if (CRecorderDoc* doc = GetRecorderDoc())
            doc->GetRecorder().SetSource(index);
    });
    connect(m_format, &QComboBox::activated, this, [this](int index) {
        if (CRecorderDoc* doc = GetRecorderDoc())
            doc->GetRecorder().SetFormat(zem::rec::FormatFromInt(index));
    });
    connect(m_browse, &QPushButton::clicked, this, &CRecorderView::browse);
    connect(m_record, &QPushButton::clicked, this, &CRecorderView::toggleRecording);

    m_timer = new QTimer(this);
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &CRecorderView::Refresh);
}

void CRecorderView::fillChoices() {
    CRecorderDoc* doc = GetRecorderDoc();
    if (!doc)
        return;
    Recorder& r = doc->GetRecorder();
    m_source->clear();
    for (const std::string& name : r.SourceNames())
        m_source->addItem(QString::fromUtf8(name.c_str()));
    m_source->setCurrentIndex(std::min(r.GetSource(), m_source->count() - 1));
    m_format->setCurrentIndex(static_cast<int>(r.GetFormat()));
    m_folder->setText(QString::fromLocal8Bit(r.GetFolder().c_str()));
}

void CRecorderView::OnInitialUpdate() {
    fillChoices();
    Refresh();
    m_timer->start();
}

void CRecorderView::OnUpdate(ZemView*, long) {
    fillChoices();
    Refresh();
}

void CRecorderView::browse() {
    CRecorderDoc* doc = GetRecorderDoc();
    if (!doc)
        return;
    const std::string folder = Dialog()(doc->GetRecorder().GetFolder());
    if (folder.empty())
        return;
    doc->GetRecorder().SetFolder(folder);
    m_folder->setText(QString::fromLocal8Bit(doc->GetRecorder().GetFolder().c_str()));
}

void CRecorderView::toggleRecording() {
    CRecorderDoc* doc = GetRecorderDoc();
    if (!doc)
        return;
    Recorder& r = doc->GetRecorder();
    if (r.IsRecording()) {
        r.Stop();
    } else {
        // The chosen input may have gone since the list was filled.
        r.SetSource(std::max(0, m_source->currentIndex()));
        r.Start();
    }
    Refresh();
}

void CRecorderView::Refresh() {
    CRecorderDoc* doc = GetRecorderDoc();
    if (!doc)
        return;
    Recorder& r = doc->GetRecorder();
    r.Poll();
    const bool recording = r.IsRecording();
    m_record->setText(recording ? QStringLiteral("Stop") : QStringLiteral("Record"));
    m_record->setStyleSheet(recording ? QStringLiteral("color: white; background: #c02020;")
                                      : QString());
    m_source->setEnabled(!recording);
    m_format->setEnabled(!recording);
    m_browse->setEnabled(!recording);
    m_time->setText(TimeText(r.GetElapsedSeconds()));
    m_size->setText(SizeText(r.GetFileBytes()));
    m_file->setText(r.GetFilePath().empty() ? QStringLiteral("-") : FileName(r.GetFilePath()));
    const auto levels = r.TakeLevels();
    const bool mono = r.GetChannels() == 1;
    for (int c = 0; c < 2; ++c) {
        const zem::rec::ChannelLevel& l = levels[mono ? 0 : c];
        m_meters[c]->SetLevels(l.peak, l.rms, l.clip);
    }
}
