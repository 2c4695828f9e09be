#include "app/equalizer/equalizer_view.h"

#include "app/decks/app_context.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/equalizer/equalizer_frame.h"
#include "app/equalizer/equalizer_ids.h"
#include "app/framework/command_target.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_profile.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace zem::eqwin;

namespace {

// Used only when the window has no profile at all: nothing is remembered then.
class DiscardingProfile : public ZemProfile {
public:
    int GetProfileInt(const std::string&, const std::string&, int def) override { return def; }
    void WriteProfileInt(const std::string&, const std::string&, int) override {}
    std::string GetProfileString(const std::string&, const std::string&,
                                 const std::string& def) override {
        return def;
    }
    void WriteProfileString(const std::string&, const std::string&, const std::string&) override {}
};

std::string SystemPresetDialog(const PresetDialogRequest& r) {
    QFileDialog dialog(nullptr, r.save ? QStringLiteral("Save equalizer preset")
                                       : QStringLiteral("Load equalizer preset"));
    dialog.setDirectory(QString::fromLocal8Bit(r.folder.c_str()));
    dialog.setNameFilters(
        {QString::fromUtf8(r.filterName.c_str()), QString::fromUtf8(r.allFilesName.c_str())});
    dialog.setDefaultSuffix(QString::fromUtf8(r.defaultExtension.c_str()).mid(1));
    dialog.selectFile(QString::fromLocal8Bit(r.defaultName.c_str()));
    dialog.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A save asks before replacing a file (the dialog's default, kept on purpose).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toLocal8Bit().toStdString();
}

PresetDialog& Dialog() {
    static PresetDialog dialog = SystemPresetDialog;
    return dialog;
}

QString FrequencyText(float hz) {
    if (hz >= 1000)
        return QString::number(hz / 1000.0, 'g', 3) + QStringLiteral(" kHz");
    return QString::number(std::lround(hz)) + QStringLiteral(" Hz");
}

QString DecibelText(float boost) {
    const double db = boost > 0 ? 20.0 * std::log10(boost) : -20.0;
    // No "-0.0" for a flat band.
    const double shown = std::fabs(db) < 0.05 ? 0.0 : db;
    return QString::asprintf("%+.1f dB", shown);
}

QString IdName(const char* kind, int id) {
    return QStringLiteral("%1%2").arg(QString::fromUtf8(kind)).arg(id);
}

} // namespace

CEqualizerView::CEqualizerView(QWidget* parent) : ZemView(parent) {
    build();
}

CEqualizerView::~CEqualizerView() {
    OnDestroyWindow();
}

CZEMDoc* CEqualizerView::GetDeckDocument() const {
    return dynamic_cast<CZEMDoc*>(GetDocument());
}

MixerDevice* CEqualizerView::GetDevice() const {
    CZEMDoc* doc = GetDeckDocument();
    return doc ? doc->GetDevice() : nullptr;
}

EqualizerWindowLogic& CEqualizerView::GetLogic() {
    if (!m_logic) {
        ZemChildFrame* frame = GetParentFrame();
        ZemProfile* profile = frame ? frame->GetProfile() : nullptr;
        if (!profile)
            profile = AppContext().profile;
        if (!profile) {
            m_fallbackProfile = std::make_unique<DiscardingProfile>();
            profile = m_fallbackProfile.get();
        }
        m_logic = std::make_unique<EqualizerWindowLogic>(*profile);
        m_logic->SetPresetDialog(
            [](const PresetDialogRequest& r) { return Dialog() ? Dialog()(r) : std::string(); });
    }
    // Never a deck of an earlier song: the document may have replaced or ejected it.
    m_logic->SetDevice(GetDevice());
    return *m_logic;
}

void CEqualizerView::SetPresetDialog(PresetDialog dialog) {
    Dialog() = dialog ? std::move(dialog) : PresetDialog(SystemPresetDialog);
}

void CEqualizerView::build() {
    auto* outer = new QVBoxLayout(this);
    m_grid = new QGridLayout();
    m_grid->setHorizontalSpacing(6);
    outer->addLayout(m_grid);
    const QFontMetrics metrics(font());
    const int columnWidth = std::max(metrics.horizontalAdvance(QStringLiteral("-20.0 dB")),
                                     metrics.horizontalAdvance(QStringLiteral("10.0 kHz"))) +
                            8;
    // Column by column, so that Tab walks each band's fader, then its kill button.
    for (int band = 0; band < kBandCount; ++band) {
        auto* level = new QLabel(this);
        level->setAlignment(Qt::AlignCenter);
        level->setMinimumWidth(columnWidth);
        level->setObjectName(IdName("level", band));
        auto* fader = new QSlider(Qt::Vertical, this);
        fader->setRange(kFaderMin, kFaderMax);
        fader->setPageStep(kFaderPage);
        fader->setSingleStep(50);
        fader->setValue(kFaderFlat);
        // Position 0 (+20 dB) at the top; Up and Page Up move the knob up.
        fader->setInvertedAppearance(true);
        fader->setInvertedControls(true);
        fader->setTickPosition(QSlider::TicksBothSides);
        fader->setTickInterval(kFaderPage);
        fader->setMinimumHeight(180);
        fader->setObjectName(IdName("fader", band));
        auto* kill = new QPushButton(QStringLiteral("Kill"), this);
        kill->setCheckable(true);
        kill->setToolTip(QStringLiteral("Cut this band to silence at its centre frequency"));
        kill->setObjectName(IdName("kill", KillButtonOfBand(band)));
        m_grid->addWidget(level, 0, band, Qt::AlignHCenter);
        m_grid->addWidget(fader, 1, band, Qt::AlignHCenter);
        m_grid->addWidget(kill, 2, band);
        m_levels[band] = level;
        m_faders[band] = fader;
        m_kills[band] = kill;
        connect(fader, &QSlider::valueChanged, this, [this, band](int position) {
            GetLogic().MoveFader(band, position);
            const EqualizerWindowState state = GetLogic().Refresh();
            if (band < state.bands)
                updateLevel(band, state.boost[band], state.frequency[band]);
        });
        connect(kill, &QPushButton::clicked, this, [this, band](bool checked) {
            GetLogic().ClickKill(band, checked);
            Refresh();
        });
    }
    const char* groupTexts[kGroupCount] = {"Kill low", "Kill mid", "Kill high"};
    for (int group = 0; group < kGroupCount; ++group) {
        auto* button = new QPushButton(QString::fromUtf8(groupTexts[group]), this);
        button->setCheckable(true);
        button->setObjectName(IdName("groupKill", kGroupKillIds[group]));
        m_grid->addWidget(button, 3, kGroupFirstBand[group], 1,
                          kGroupLastBand[group] - kGroupFirstBand[group] + 1);
        m_groups[group] = button;
        connect(button, &QPushButton::clicked, this, [this, group](bool checked) {
            GetLogic().ClickGroup(group, checked);
            Refresh();
        });
    }

    auto* row = new QHBoxLayout();
    outer->addLayout(row);
    m_enable = new QCheckBox(QStringLiteral("Equalizer on"), this);
    m_enable->setObjectName(IdName("enable", kEnableBoxId));
    m_threeBand = new QCheckBox(QStringLiteral("Three bands"), this);
    m_threeBand->setToolTip(QStringLiteral("Switch between the 10-band and the 3-band equalizer"));
    m_threeBand->setObjectName(IdName("threeBand", kThreeBandBoxId));
    m_reset = new QPushButton(QStringLiteral("Reset"), this);
    m_reset->setToolTip(QStringLiteral("All bands flat (0 dB) and not killed"));
    m_reset->setObjectName(IdName("reset", kResetButtonId));
    m_presets = new QPushButton(QStringLiteral("Presets"), this);
    m_presets->setObjectName(IdName("presets", kMenuButtonId));
    row->addWidget(m_enable);
    row->addWidget(m_threeBand);
    row->addStretch(1);
    row->addWidget(m_reset);
    row->addWidget(m_presets);
    connect(m_enable, &QCheckBox::clicked, this, [this](bool checked) {
        GetLogic().SetEnabled(checked);
        Refresh();
    });
    connect(m_threeBand, &QCheckBox::clicked, this, [this] {
        GetLogic().ToggleThreeBand();
        Refresh();
    });
    connect(m_reset, &QPushButton::clicked, this, [this] {
        GetLogic().Reset();
        Refresh();
    });
    buildMenu();
    m_presets->setMenu(m_menu);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    // A killed band must stand out at a glance from across the booth.
    setStyleSheet(
        QStringLiteral("QPushButton:checked { background-color: #b83232; color: white;"
                       " border: 1px solid #7a1f1f; border-radius: 3px; padding: 4px; }"));
}

void CEqualizerView::buildMenu() {
    m_menu = new QMenu(this);
    m_menu->setObjectName(IdName("menu", kPresetMenuId));
    auto add = [this](QMenu* menu, const char* text, int command) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setData(command);
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    };
    QMenu* load = m_menu->addMenu(QStringLiteral("&Load"));
    add(load, "&Preset...\tCtrl+O", kCmdLoadPreset);
    add(load, "&Default", kCmdLoadDefault);
    QMenu* save = m_menu->addMenu(QStringLiteral("&Save"));
    add(save, "&Preset...", kCmdSavePreset);
    add(save, "&Auto-load preset...", kCmdSaveAutoLoad);
    add(save, "&Default", kCmdSaveDefault);
    QMenu* remove = m_menu->addMenu(QStringLiteral("&Remove"));
    add(remove, "&Auto-load preset", kCmdRemoveAutoLoad);
    m_menu->addSeparator();
    add(m_menu, "About...", kCmdAbout);
}

void CEqualizerView::OnInitialUpdate() {
    ZemView::OnInitialUpdate();
    Refresh();
}

void CEqualizerView::OnUpdate(ZemView*, long) {
    Refresh();
}

bool CEqualizerView::OnCommand(int id) {
    if (id == kCommandFileClose) {
        // Closes this window only; the deck stays open in its own.
        if (ZemChildFrame* frame = GetParentFrame())
            frame->close();
        return true;
    }
    if (!GetLogic().OnCommand(id))
        return ZemView::OnCommand(id);
    Refresh();
    return true;
}

bool CEqualizerView::OnUpdateCommand(int id, ZemCommandState& state) {
    if (id == kCommandFileClose)
        return true;
    if (!GetLogic().HandlesCommand(id))
        return ZemView::OnUpdateCommand(id, state);
    state.Enable(GetDevice() != nullptr);
    if (id == kCmdToggleThreeBand)
        state.SetCheck(GetLogic().Refresh().threeBand);
    return true;
}

void CEqualizerView::updateLevel(int band, float boost, float frequency) {
    m_levels[band]->setText(FrequencyText(frequency) + QLatin1Char('\n') + DecibelText(boost));
    m_faders[band]->setToolTip(QStringLiteral("Boost or cut at %1, from -20 dB (bottom) to +20 dB "
                                              "(top)")
                                   .arg(FrequencyText(frequency)));
}

void CEqualizerView::Refresh() {
    const EqualizerWindowState state = GetLogic().Refresh();
    setEnabled(GetDevice() != nullptr);
    if (!GetDevice())
        return;
    showForm(state.form);
    for (int band = 0; band < state.bands && band < kBandCount; ++band) {
        const QSignalBlocker block(m_faders[band]);
        m_faders[band]->setValue(state.position[band]);
        m_kills[band]->setChecked(state.killed[band]);
        updateLevel(band, state.boost[band], state.frequency[band]);
    }
    for (int group = 0; group < kGroupCount; ++group)
        m_groups[group]->setChecked(state.groupKilled[group]);
    m_threeBand->setChecked(state.threeBand);
    m_enable->setChecked(state.enabled);
}

void CEqualizerView::showForm(int form) {
    if (form == m_form)
        return;
    m_form = form;
    const int shown = form == kThreeBandForm ? 3 : kBandCount;
    for (int band = 0; band < kBandCount; ++band) {
        m_levels[band]->setVisible(band < shown);
        m_faders[band]->setVisible(band < shown);
        m_kills[band]->setVisible(band < shown);
    }
    // Three bands have nothing for the mid and high groups to act on.
    m_groups[1]->setVisible(shown == kBandCount);
    m_groups[2]->setVisible(shown == kBandCount);
    m_groups[0]->setText(shown == kBandCount ? QStringLiteral("Kill low")
                                             : QStringLiteral("Kill all"));
    if (auto* frame = dynamic_cast<CEqualizerFrame*>(GetParentFrame()))
        frame->FitToView();
}

void CEqualizerView::OnDestroyWindow() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    if (GetDocument())
        GetLogic().OnWindowDestroyed();
}
