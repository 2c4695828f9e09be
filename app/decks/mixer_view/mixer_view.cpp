#include "app/decks/mixer_view/mixer_view.h"

#include "app/decks/app_context.h"
#include "app/decks/mixer_board/alsa_master_volume.h"
#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_board/centre_volumes.h"
#include "app/decks/mixer_view/fade_dialog.h"
#include "app/framework/zem_document.h"
#include "contracts/skin_module.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

using zem::board::FaderSide;
using zem::board::MixerBoard;

namespace {

// The crossfader marks the stretch between its thumb and the centre under its groove.
class CrossfaderSlider : public QSlider {
public:
    CrossfaderSlider() : QSlider(Qt::Horizontal) {}
    void SetMark(int from, int to) {
        if (from != m_from || to != m_to) {
            m_from = from;
            m_to = to;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QSlider::paintEvent(event);
        if (m_from == m_to)
            return;
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        const QRect groove =
            style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
        const QRect handle =
            style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
        const int span = groove.width() - handle.width();
        auto x = [&](int value) {
            return groove.x() + handle.width() / 2 +
                   QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
        };
        QPainter p(this);
        p.fillRect(
            QRect(QPoint(x(m_from), handle.bottom() + 2), QPoint(x(m_to), handle.bottom() + 4)),
            palette().highlight());
    }

private:
    int m_from = 0;
    int m_to = 0;
};

std::optional<int> Chosen(const QComboBox* box, int index) {
    if (index < 0)
        return std::nullopt;
    return box->itemData(index).toInt();
}

// Rebuilds the items only when the channels changed, so an open drop-down is left alone.
void ShowSelector(QComboBox* box, const zem::board::ChannelSelector& s) {
    const QSignalBlocker block(box);
    bool same = box->count() == static_cast<int>(s.channels.size());
    for (int i = 0; same && i < box->count(); ++i)
        same = box->itemData(i).toInt() == s.channels[static_cast<size_t>(i)];
    if (!same) {
        box->clear();
        for (int ch : s.channels)
            box->addItem(QString::number(ch), ch);
    }
    box->setCurrentIndex(s.selected ? box->findData(*s.selected) : -1);
}

void ShowValue(QSlider* slider, int value) {
    const QSignalBlocker block(slider);
    slider->setValue(value);
}

QComboBox* NewSelector(const char* name) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setMinimumContentsLength(3);
    return box;
}

} // namespace

CMixerView::CMixerView(AppMixer& mixer, std::unique_ptr<zem::board::MasterVolume> master,
                       std::unique_ptr<zem::board::BoardClock> clock,
                       const std::string& centreVolumeFile)
    : m_masterVolume(master ? std::move(master) : std::make_unique<zem::board::AlsaMasterVolume>()),
      m_clock(clock ? std::move(clock) : std::make_unique<zem::board::ProcessClock>()) {
    zem::board::MixerBoardUi& ui = *this;
    m_board = std::make_unique<MixerBoard>(
        mixer, ui, *m_clock, m_store, *m_masterVolume,
        centreVolumeFile.empty() ? zem::board::DefaultCentreVolumeFilePath() : centreVolumeFile);
    m_fadeTimer = new QTimer(this);
    m_fadeTimer->setInterval(MixerBoard::kFadeTimerMs);
    connect(m_fadeTimer, &QTimer::timeout, this, [this] { m_board->OnFadeTimer(); });
    BuildControls();
}

CMixerView::~CMixerView() {
    m_fadeTimer->stop();
    if (AppContext().mixerView == this)
        AppContext().mixerView = nullptr;
    if (!m_open)
        return;
    m_board->SaveSettings();
    // The board is the console: without it the program ends. Queued, so that a main window
    // already closing (and taking the board with it) is not closed a second time.
    if (QMainWindow* main = AppContext().mainWindow) {
        QPointer<QMainWindow> guard(main);
        QMetaObject::invokeMethod(
            main,
            [guard] {
                if (guard && guard->isVisible())
                    guard->close();
            },
            Qt::QueuedConnection);
    }
}

void CMixerView::BuildControls() {
    auto* grid = new QGridLayout;
    static const char* const stripNames[] = {"strip1", "strip2", "strip3"};
    static const char* const selectorNames[] = {"strip1Channel", "strip2Channel", "strip3Channel"};
    for (int i = 0; i < MixerBoard::kStrips; ++i) {
        Strip& s = m_strips[static_cast<size_t>(i)];
        s.selector = NewSelector(selectorNames[i]);
        s.slider = new QSlider(Qt::Vertical);
        s.slider->setObjectName(stripNames[i]);
        s.slider->setProperty(kSkinControlProperty, SkinMixerControl::kStrip1 + i);
        s.selector->setProperty(kSkinControlProperty, SkinMixerControl::kStrip1Channel + i);
        s.slider->setRange(0, MixerBoard::kStripMax);
        s.slider->setPageStep(MixerBoard::kStripPage);
        s.slider->setSingleStep(100);
        // Position 0, the loudest, sits at the top, and up keys move the thumb up.
        s.slider->setInvertedAppearance(true);
        s.slider->setInvertedControls(true);
        s.slider->setTickPosition(QSlider::TicksBothSides);
        s.slider->setTickInterval(MixerBoard::kStripPage);
        s.slider->setMinimumHeight(170);
        s.slider->setValue(MixerBoard::kStripStart);
        grid->addWidget(new QLabel(QString("Strip %1").arg(i + 1)), 0, i, Qt::AlignHCenter);
        grid->addWidget(s.selector, 1, i);
        grid->addWidget(s.slider, 2, i, Qt::AlignHCenter);
        connect(s.selector, &QComboBox::activated, this, [this, i, box = s.selector](int index) {
            m_board->SelectStripChannel(i, Chosen(box, index));
            Refresh();
        });
        connect(s.slider, &QSlider::valueChanged, this,
                [this, i](int value) { m_board->MoveStripSlider(i, value); });
    }

    m_headphones = new QListWidget;
    m_headphones->setObjectName("headphones");
    m_headphones->setProperty(kSkinControlProperty, SkinMixerControl::kHeadphones);
    m_headphones->setSelectionMode(QAbstractItemView::MultiSelection);
    m_headphones->setFixedWidth(110);
    grid->addWidget(new QLabel("Headphones"), 0, 3, Qt::AlignHCenter);
    grid->addWidget(m_headphones, 1, 3, 2, 1);
    connect(m_headphones, &QListWidget::itemSelectionChanged, this, [this] { HeadphonesChosen(); });

    m_master = new QSlider(Qt::Vertical);
    m_master->setObjectName("masterFader");
    m_master->setProperty(kSkinControlProperty, SkinMixerControl::kMaster);
    m_master->setTickPosition(QSlider::TicksBothSides);
    grid->addWidget(new QLabel("Master"), 0, 4, Qt::AlignHCenter);
    grid->addWidget(m_master, 1, 4, 2, 1, Qt::AlignHCenter);
    connect(m_master, &QSlider::valueChanged, this,
            [this](int value) { m_board->MoveMasterSlider(value); });

    auto* fader = new QHBoxLayout;
    m_faderA = NewSelector("faderA");
    m_faderB = NewSelector("faderB");
    auto* crossfader = new CrossfaderSlider;
    m_crossfader = crossfader;
    m_crossfader->setObjectName("crossfader");
    m_crossfader->setProperty(kSkinControlProperty, SkinMixerControl::kCrossfader);
    m_faderA->setProperty(kSkinControlProperty, SkinMixerControl::kFaderA);
    m_faderB->setProperty(kSkinControlProperty, SkinMixerControl::kFaderB);
    m_crossfader->setRange(0, MixerBoard::kCrossfaderMax);
    m_crossfader->setPageStep(MixerBoard::kCrossfaderPage);
    m_crossfader->setSingleStep(MixerBoard::kMoveStep);
    m_crossfader->setTickPosition(QSlider::TicksAbove);
    m_crossfader->setTickInterval(25);
    m_crossfader->setMinimumWidth(220);
    m_crossfader->setMinimumHeight(34);
    m_crossfader->setValue(MixerBoard::kCrossfaderCentre);
    fader->addWidget(new QLabel("A"));
    fader->addWidget(m_faderA);
    fader->addWidget(m_crossfader, 1);
    fader->addWidget(m_faderB);
    fader->addWidget(new QLabel("B"));
    connect(m_crossfader, &QSlider::valueChanged, this, [this](int value) {
        m_board->MoveCrossfader(value);
        Refresh();
    });
    for (auto [box, side] : {std::pair{m_faderA, FaderSide::A}, std::pair{m_faderB, FaderSide::B}})
        connect(box, &QComboBox::activated, this, [this, box = box, side = side](int index) {
            m_board->SelectFaderChannel(side, Chosen(box, index));
        });

    m_centre = new QLabel;
    m_centre->setObjectName("centreVolume");
    m_centre->setProperty(kSkinControlProperty, SkinMixerControl::kCentreText);
    m_centre->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(fader);
    layout->addWidget(m_centre);
}

void CMixerView::HeadphonesChosen() {
    for (int i = 0; i < m_headphones->count(); ++i) {
        const QListWidgetItem* item = m_headphones->item(i);
        m_board->SetHeadphoneSelected(item->data(Qt::UserRole).toInt(), item->isSelected());
    }
}

void CMixerView::Refresh() {
    for (int i = 0; i < MixerBoard::kStrips; ++i) {
        const Strip& s = m_strips[static_cast<size_t>(i)];
        ShowSelector(s.selector, m_board->GetStripSelector(i));
        ShowValue(s.slider, m_board->GetStripPosition(i));
    }
    ShowSelector(m_faderA, m_board->GetFaderSelector(FaderSide::A));
    ShowSelector(m_faderB, m_board->GetFaderSelector(FaderSide::B));
    ShowValue(m_crossfader, m_board->GetCrossfaderPosition());
    static_cast<CrossfaderSlider*>(m_crossfader)
        ->SetMark(m_board->GetCrossfaderSelectionStart(), m_board->GetCrossfaderSelectionEnd());

    {
        const QSignalBlocker block(m_headphones);
        const auto& items = m_board->GetHeadphoneItems();
        bool same = m_headphones->count() == static_cast<int>(items.size());
        for (int i = 0; same && i < m_headphones->count(); ++i)
            same = m_headphones->item(i)->data(Qt::UserRole).toInt() ==
                   items[static_cast<size_t>(i)].channel;
        if (!same) {
            m_headphones->clear();
            for (const auto& h : items) {
                auto* item = new QListWidgetItem(
                    QString::fromStdString(MixerBoard::HeadphoneItemText(h.channel)));
                item->setData(Qt::UserRole, h.channel);
                m_headphones->addItem(item);
            }
        }
        for (int i = 0; i < m_headphones->count(); ++i)
            m_headphones->item(i)->setSelected(items[static_cast<size_t>(i)].selected);
    }

    {
        const QSignalBlocker block(m_master);
        const bool bound = m_board->IsMasterBound();
        m_master->setEnabled(bound);
        const long lo = std::min(m_board->GetMasterMinimum(), m_board->GetMasterMaximum());
        const long hi = std::max(m_board->GetMasterMinimum(), m_board->GetMasterMaximum());
        m_master->setRange(static_cast<int>(lo), static_cast<int>(hi));
        m_master->setPageStep(std::max(1, static_cast<int>(m_board->GetMasterPage())));
        m_master->setTickInterval(std::max(1, static_cast<int>(m_board->GetMasterPage())));
        m_master->setValue(static_cast<int>(m_board->GetMasterPosition()));
    }
    m_centre->setText(QString::fromStdString(m_board->GetCenterText()));
}

void CMixerView::OnInitialUpdate() {
    m_board->InitialUpdate();
    m_open = true;
    AppContext().mixerView = this;
    if (ZemDocument* document = GetDocument())
        document->SetTitle(MixerBoard::Title());
    Refresh();
}

bool CMixerView::OnCommand(int id) {
    return m_board->HandlesCommand(id) && m_board->OnCommand(id);
}

bool CMixerView::OnUpdateCommand(int id, ZemCommandState& state) {
    if (!m_board->HandlesCommand(id))
        return false;
    const bool headphone =
        (id >= zem::board::kCmdHeadphoneChannel0 && id <= zem::board::kCmdHeadphoneChannel4) ||
        id == zem::board::kCmdToggleLeftMixerChannel ||
        id == zem::board::kCmdToggleRightMixerChannel;
    if (headphone)
        state.SetCheck(m_board->IsCommandChecked(id));
    return true;
}

void CMixerView::ShowCenterText(const std::string& text) {
    m_centre->setText(QString::fromStdString(text));
    // The main window's crossfader pane carries the control identifier as its name.
    if (QMainWindow* main = AppContext().mainWindow)
        if (auto* pane = main->findChild<QLabel*>(QStringLiteral("59143")))
            pane->setText(QString::fromStdString(text));
    CentreTextChanged();
}

void CMixerView::StartFadeTimer() {
    m_fadeTimer->start();
}

void CMixerView::StopFadeTimer() {
    m_fadeTimer->stop();
}

bool CMixerView::AskFade(zem::board::FadeDialogValues& values) {
    CFadeDialog dialog(values, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.Values();
    return true;
}

void CMixerView::BoardChanged() {
    Refresh();
}
