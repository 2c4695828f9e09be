#include "app/shell/main_frame.h"

#include "app/decks/app_context.h"
#include "app/decks/deck_view/mixer_device_view.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/decks/mixer_board/board_commands.h"
#include "app/decks/mixer_board/channel_codes.h"
#include "app/decks/mixer_view/mixer_view.h"
#include "app/framework/command_router.h"
#include "app/framework/placement.h"
#include "app/framework/recent_file_list.h"
#include "app/framework/window_order.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_doc_manager.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_view.h"
#include "app/shell/command_line.h"
#include "app/shell/shell_dialogs.h"
#include "app/shell/shell_settings.h"
#include "app/shell/shell_texts.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QStatusBar>
#include <QUrl>

#include <cstdio>

namespace zem::shell {

namespace {

using namespace zem::board;

// Gap between cascaded deck windows.
constexpr int kCascadeStep = 24;

CMixerDeviceView* DeckViewOf(const QMdiSubWindow* window) {
    const auto* frame = dynamic_cast<const ZemChildFrame*>(window);
    return frame ? dynamic_cast<CMixerDeviceView*>(frame->GetActiveView()) : nullptr;
}

MixerDevice* DeckOf(const QMdiSubWindow* window) {
    CMixerDeviceView* view = DeckViewOf(window);
    auto* doc = view ? dynamic_cast<CZEMDoc*>(view->GetDocument()) : nullptr;
    return doc ? doc->GetDevice() : nullptr;
}

bool IsMixerFrame(const ZemChildFrame* frame) {
    return frame && dynamic_cast<CMixerView*>(frame->GetActiveView());
}

} // namespace

CMainFrame::CMainFrame(ZemDocManager& documents, ZemProfile& profile, ShellDialogs& dialogs)
    : m_documents(documents), m_profile(profile), m_dialogs(dialogs),
      m_workspace(new QMdiArea(this)), m_centerPane(new QLabel(kInitialCenterText)),
      m_router(new ZemCommandRouter(m_workspace, this)) {
    setWindowTitle(kAppTitle);
    resize(kDefaultWidth, kDefaultHeight);
    m_workspace->setObjectName("workspace");
    setCentralWidget(m_workspace);
    m_documents.SetWorkspace(m_workspace);

    // The pane is at least its fixed width, and never cuts its text.
    m_centerPane->setObjectName(QString::number(kCenterPaneId));
    m_centerPane->setMinimumWidth(kCenterPaneWidth);
    m_centerPane->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(m_centerPane);

    m_router->AddFallbackTarget(this);
    buildMenus();
    setAcceptDrops(true);
    ApplyBackground();
}

CMainFrame::~CMainFrame() {
    m_documents.SetWorkspace(nullptr);
}

QAction* CMainFrame::addCommand(QMenu* menu, int id, const char* text) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setData(id);
    return action;
}

void CMainFrame::buildMenus() {
    m_fileMenu = menuBar()->addMenu("&File");
    // Filled with the interface plug-ins' view types that ask for it.
    m_fileMenu->addMenu("&New");
    addCommand(m_fileMenu, kCommandFileOpen, kMenuOpen);
    addCommand(m_fileMenu, kCommandFileClose, "&Close");
    m_recentSeparator = m_fileMenu->addSeparator();
    for (int i = 0; i < ZemRecentFileList::kDefaultSize; ++i) {
        QAction* a = addCommand(m_fileMenu, kCmdRecentFileFirst + i, "");
        a->setVisible(false);
        m_recentActions.push_back(a);
    }
    m_fileMenu->addSeparator();
    addCommand(m_fileMenu, kCmdFileExit, kMenuExit);

    QMenu* mixer = menuBar()->addMenu("&Mixer");
    for (auto [id, text] : {std::pair{kCmdPlayLeftChannel, kMenuPlayLeft},
                            {kCmdStopLeftChannel, kMenuStopLeft},
                            {kCmdShowLeftChannel, kMenuShowLeft},
                            {kCmdPlayRightChannel, kMenuPlayRight},
                            {kCmdStopRightChannel, kMenuStopRight},
                            {kCmdShowRightChannel, kMenuShowRight},
                            {kCmdShowNextChannel, kMenuShowNext}})
        addCommand(mixer, id, text);
    mixer->addSeparator();
    addCommand(mixer, kCmdRecorder, "&Recorder...");
    mixer->addSeparator();
    QMenu* crossfader = mixer->addMenu("&Crossfader");
    QMenu* headphones = mixer->addMenu("&Headphone cueing");
    for (const BoardCommand& c : kBoardCommands) {
        if (c.id == kCmdMixerSettings)
            continue;
        const bool cue = c.id >= kCmdHeadphoneChannel0 && c.id <= kCmdToggleRightMixerChannel;
        QAction* a = addCommand(cue ? headphones : crossfader, c.id, c.menuText);
        a->setCheckable(cue);
        if (c.id == kCmdCrossfader0_100 || c.id == kCmdMoveFaderRight)
            crossfader->addSeparator();
    }

    QMenu* settings = menuBar()->addMenu("&Settings");
    addCommand(settings, kCmdDeviceSettings, "&Device settings...");
    addCommand(settings, kCmdMixerSettings, MenuText(kCmdMixerSettings));
    // Where the engine's and the wizard's messages send the user.
    QMenu* audio = settings->addMenu("A&udio settings");
    addCommand(audio, kCmdAudioGeneralSettings, "General settings...");
    addCommand(audio, kCmdAdvancedSettings, "A&dvanced settings...");
    addCommand(audio, kCmdAudioSetupWizard, "&Audio setup wizard...");
    settings->addSeparator();
    QMenu* skins = settings->addMenu("S&kins");
    addCommand(skins, kCmdSkinsEnabled, "Enable skins")->setCheckable(true);
    addCommand(skins, kCmdSkinSettings, "Skin settings...");
    skins->addSeparator();
    addCommand(skins, kCmdBackgroundEnabled, "Enable background")->setCheckable(true);
    addCommand(skins, kCmdBackgroundSettings, "Background settings...");
    QMenu* ui = settings->addMenu("&Interface");
    addCommand(ui, kCmdGeneralSettings, "General...");
    addCommand(ui, kCmdKeyboardLayout, "Keyboard layout...");
    addCommand(ui, kCmdInterfacePluginSettings, "Interface plugin settings...");
    // Filled with the interface plug-ins' view types.
    ui->addMenu("Interface views");

    QMenu* pads = menuBar()->addMenu("Sound F&X");
    addCommand(pads, kCmdSoundFxSettings, "&Settings...");

    QMenu* window = menuBar()->addMenu("&Window");
    addCommand(window, kCmdWindowCascade, "&Cascade");
    addCommand(window, kCmdWindowTile, "&Tile");

    QMenu* help = zem::small::BuildHelpMenu(*menuBar());
    zem::small::EnsureTipOfTheDayItem(*menuBar());
    m_help = std::make_unique<zem::small::HelpCommands>(this, m_profile);
    AddCommandTarget(m_help.get());

    for (QMenu* menu : {m_fileMenu, mixer, settings, pads, window, help}) {
        m_router->AttachMenu(menu);
        // Whatever rebuilt the menu bar meanwhile, the tip of the day heads the Help menu.
        connect(menu, &QMenu::aboutToShow, this,
                [this] { zem::small::EnsureTipOfTheDayItem(*menuBar()); });
    }
    // Files opened since the menu last showed are in the list by now.
    connect(m_fileMenu, &QMenu::aboutToShow, this, [this] {
        if (const ZemRecentFileList* list = m_documents.GetRecentFileList())
            UpdateRecentFiles(*list);
    });
}

void CMainFrame::AddCommandTarget(ZemCommandTarget* target) {
    m_router->AddFallbackTarget(target);
}

void CMainFrame::UpdateRecentFiles(const ZemRecentFileList& list) {
    const auto& entries = list.Entries();
    for (size_t i = 0; i < m_recentActions.size(); ++i) {
        const bool used = i < entries.size();
        m_recentActions[i]->setVisible(used);
        if (used)
            m_recentActions[i]->setText(QString::fromStdString(list.MenuText(static_cast<int>(i))));
    }
    m_recentSeparator->setVisible(!entries.empty());
}

void CMainFrame::SetCenterText(const QString& text) {
    m_centerPane->setText(text);
}

QString CMainFrame::CenterText() const {
    return m_centerPane->text();
}

bool CMainFrame::ApplyBackground() {
    ShellSettings settings(m_profile);
    m_hasBitmap = false;
    QBrush brush = palette().brush(QPalette::Dark);
    if (settings.BackgroundEnabled()) {
        const std::string path = settings.BackgroundBitmap();
        QPixmap bitmap;
        if (bitmap.load(QString::fromStdString(path))) {
            // A texture brush repeats from the top-left corner of the workspace.
            brush = QBrush(bitmap);
            m_hasBitmap = true;
        } else {
            std::vector<char> text(sizeof kBackgroundLoadFailed + path.size());
            std::snprintf(text.data(), text.size(), kBackgroundLoadFailed, path.c_str());
            m_dialogs.ShowMessage(text.data());
        }
    }
    m_workspace->setBackground(brush);
    return m_hasBitmap;
}

ZemDocument* CMainFrame::OpenDocument(const std::string& path) {
    ZemDocument* doc = m_documents.OpenDocumentFile(QString::fromStdString(path));
    if (doc && !doc->GetViews().empty())
        PlaceChildFrame(doc->GetViews().front()->GetParentFrame());
    return doc;
}

void CMainFrame::PlaceChildFrame(ZemChildFrame* frame) {
    if (!frame)
        return;
    ZemPlacement stored;
    if (ZemLoadPlacement(m_profile, frame->GetPlacementSection(), frame->GetPlacementKeyBase(),
                         stored))
        return;
    // Before the window is first shown the workspace has no size of its own yet.
    QSize area = m_workspace->viewport()->size();
    if (!isVisible() || area.width() < 200)
        area = size() - QSize(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    const QSize own = frame->size().expandedTo(frame->minimumSizeHint());
    if (IsMixerFrame(frame)) {
        frame->move(std::max(0, (area.width() - own.width()) / 2),
                    std::max(0, area.height() - own.height()));
        return;
    }
    if (!DeckViewOf(frame)) {
        // Any other window (a plug-in's, such as a playlist) goes to the bottom-left corner,
        // beside the board, where the decks along the top leave it in sight.
        frame->move(0, std::max(0, area.height() - own.height()));
        return;
    }
    int earlier = 0;
    for (QMdiSubWindow* w : m_workspace->subWindowList())
        if (w != frame && DeckViewOf(w))
            ++earlier;
    if (earlier == 0)
        frame->move(0, 0);
    else if (earlier == 1)
        frame->move(std::max(0, area.width() - own.width()), 0);
    else
        frame->move(kCascadeStep * (earlier - 1), kCascadeStep * (earlier - 1));
}

std::vector<std::string> CMainFrame::FilesOfDrop(const QMimeData& data) {
    std::vector<std::string> files;
    if (data.hasUrls()) {
        for (const QUrl& url : data.urls())
            if (url.isLocalFile())
                files.push_back(url.toLocalFile().toStdString());
        if (!files.empty())
            return files;
    }
    if (data.hasText()) {
        const std::string first = FirstDroppedFile(data.text().toStdString());
        if (!first.empty())
            files.push_back(first);
    }
    return files;
}

int CMainFrame::AnswerDragStep(int step, const QMimeData* data, const QPoint& pos) {
    constexpr int kEffectNone = 0, kEffectMove = 2;
    switch (step) {
    case 0:
    case 1: {
        // The empty workspace is the workspace's viewport: the frame's direct children are the
        // workspace (with its viewport and scroll bars) and the status bar.
        QWidget* under = childAt(pos);
        const bool onFrame =
            under && (under == m_workspace || under->parentWidget() == m_workspace ||
                      under == statusBar() || under->parentWidget() == statusBar());
        return onFrame ? kEffectMove : kEffectNone;
    }
    case 3: {
        if (!data || !data->hasText())
            return 0;
        const std::string first = FirstDroppedFile(data->text().toStdString());
        if (!first.empty())
            OpenDocument(first);
        return 1;
    }
    default:
        return 1;
    }
}

// Files from the desktop are copied, never moved (a move would let the file manager delete
// the song); the move answer is for text dragged inside the program (playlist rows).
void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls())
        event->acceptProposedAction();
    else if (data->hasText() && AnswerDragStep(0, data, event->position().toPoint()) != 0) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    }
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls()) {
        event->acceptProposedAction();
    } else if (data->hasText() && AnswerDragStep(1, data, event->position().toPoint()) != 0) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() ? OpenDropped(*data) > 0
                        : AnswerDragStep(3, data, event->position().toPoint()) == 1)
        event->acceptProposedAction();
}

int CMainFrame::OpenDropped(const QMimeData& data) {
    int opened = 0;
    for (const std::string& f : FilesOfDrop(data))
        opened += OpenDocument(f) != nullptr;
    return opened;
}

ZemChildFrame* CMainFrame::FindDeckFrame(int code) const {
    const std::vector<QMdiSubWindow*> order = ZemWindowOrder(m_workspace);
    std::vector<DeckWindowEntry> entries;
    entries.reserve(order.size());
    for (QMdiSubWindow* w : order) {
        MixerDevice* deck = DeckOf(w);
        entries.push_back({deck != nullptr, deck ? deck->GetChannel() : 0});
    }
    AppMixer* mixer = AppContext().mixer;
    const int a = mixer ? mixer->GetFaderChannelA() : kNoFaderChannel;
    const int b = mixer ? mixer->GetFaderChannelB() : kNoFaderChannel;
    const int index = ResolveChannelCode(code, entries, a, b);
    return index < 0 ? nullptr : dynamic_cast<ZemChildFrame*>(order[static_cast<size_t>(index)]);
}

MixerDevice* CMainFrame::FindDeck(int code) const {
    return DeckOf(FindDeckFrame(code));
}

bool CMainFrame::ShowDeck(int code) {
    ZemChildFrame* frame = FindDeckFrame(code);
    if (!frame)
        return false;
    if (frame->isMinimized())
        frame->showNormal();
    m_workspace->setActiveSubWindow(frame);
    return true;
}

bool CMainFrame::OnCommand(int id) {
    switch (id) {
    case kCmdPlayLeftChannel:
    case kCmdPlayRightChannel:
        if (MixerDevice* deck =
                FindDeck(id == kCmdPlayLeftChannel ? kChannelFaderLeft : kChannelFaderRight)) {
            if (deck->IsPlaying())
                deck->Stop();
            else
                deck->Play();
        }
        return true;
    case kCmdStopLeftChannel:
    case kCmdStopRightChannel:
        if (MixerDevice* deck =
                FindDeck(id == kCmdStopLeftChannel ? kChannelFaderLeft : kChannelFaderRight))
            deck->Stop();
        return true;
    case kCmdShowLeftChannel:
        ShowDeck(kChannelFaderLeft);
        return true;
    case kCmdShowRightChannel:
        ShowDeck(kChannelFaderRight);
        return true;
    case kCmdShowNextChannel:
        ShowDeck(kChannelNextToo);
        return true;
    case kCmdWindowCascade:
        m_workspace->cascadeSubWindows();
        return true;
    case kCmdWindowTile:
        m_workspace->tileSubWindows();
        return true;
    default:
        break;
    }
    CMixerView* view = AppContext().mixerView;
    if (!view || !view->Board().HandlesCommand(id))
        return false;
    view->Board().OnCommand(id);
    // The board's slider follows as if the user had scrolled it.
    if ((id >= kCmdCrossfader100_0 && id <= kCmdCrossfader0_100) || id == kCmdMoveFaderLeft ||
        id == kCmdMoveFaderRight)
        view->FaderScrolled();
    return true;
}

bool CMainFrame::OnUpdateCommand(int id, ZemCommandState& state) {
    switch (id) {
    case kCmdPlayLeftChannel:
    case kCmdStopLeftChannel:
    case kCmdShowLeftChannel:
        state.Enable(FindDeckFrame(kChannelFaderLeft) != nullptr);
        return true;
    case kCmdPlayRightChannel:
    case kCmdStopRightChannel:
    case kCmdShowRightChannel:
        state.Enable(FindDeckFrame(kChannelFaderRight) != nullptr);
        return true;
    case kCmdShowNextChannel:
        state.Enable(FindDeckFrame(kChannelNextToo) != nullptr);
        return true;
    case kCmdWindowCascade:
    case kCmdWindowTile:
        state.Enable(!m_workspace->subWindowList().isEmpty());
        return true;
    default:
        break;
    }
    if (id == kCmdMixerSettings || !MenuText(id))
        return false;
    CMixerView* view = AppContext().mixerView;
    state.Enable(view != nullptr);
    if (id >= kCmdHeadphoneChannel0 && id <= kCmdToggleRightMixerChannel)
        state.SetCheck(view && view->Board().IsCommandChecked(id));
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_closeHandler && !m_closeHandler()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace zem::shell
