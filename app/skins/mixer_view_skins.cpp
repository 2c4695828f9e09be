#include "app/skins/mixer_view_skins.h"

#include "app/decks/mixer_board/board_commands.h"

#include <QPainter>
#include <QPushButton>

using namespace zem::skins;

CMixerViewSkins::CMixerViewSkins(AppMixer& mixer, const CSkin& skin, const SkinModuleInfo& module,
                                 std::unique_ptr<zem::board::MasterVolume> master,
                                 std::unique_ptr<zem::board::BoardClock> clock,
                                 const std::string& centreVolumeFile)
    : CMixerView(mixer, std::move(master), std::move(clock), centreVolumeFile) {
    m_faderType = new QPushButton(QStringLiteral("Fader type"), this);
    m_faderType->setObjectName(QStringLiteral("faderType"));
    m_faderType->setProperty(kSkinControlProperty, SkinMixerControl::kFaderType);
    m_faderType->setCheckable(true);
    m_faderType->setFocusPolicy(Qt::TabFocus);
    m_faderType->setToolTip(QStringLiteral("Toggle fader type"));
    connect(m_faderType, &QPushButton::clicked, this, [this] {
        OnCommand(zem::board::kCmdToggleFaderType);
        CentreTextChanged();
    });

    m_skinned = new SkinnedWindow(*this, skin, module, SkinWindow::Mixer);
    m_skinned->Apply();
}

CMixerViewSkins::~CMixerViewSkins() {
    // The controls are destroyed after this class's part of the window; their last events must
    // not reach a filter that asks this part.
    delete m_skinned;
    m_skinned = nullptr;
}

QSize CMixerViewSkins::sizeHint() const {
    return m_skinned->WindowSize();
}

void CMixerViewSkins::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_skinned->PaintBackground(painter, rect(), QRectF(rect()));
}

void CMixerViewSkins::CentreTextChanged() {
    m_faderType->setChecked(Board().GetFaderType() != 0);
}
