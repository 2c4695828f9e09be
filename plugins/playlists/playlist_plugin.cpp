// The playlist plug-in's entry points: its description, its function table, and the two view
// types "ZEM Playlist" (".zpl") and "M3U Playlist" (".m3u") that it registers with the host.
#include "app/framework/zem_child_frame.h"
#include "contracts/export.h"
#include "contracts/hostlink.h"
#include "contracts/interface_module.h"
#include "contracts/view_descriptor.h"
#include "plugins/playlists/formats/playlist_format.h"
#include "plugins/playlists/playlist_doc.h"
#include "plugins/playlists/playlist_frame.h"
#include "plugins/playlists/playlist_texts.h"
#include "plugins/playlists/playlist_view.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void* g_module = nullptr;

// The descriptor blocks the initialiser handed out. The host also initialises a plug-in it only
// scans and then unloads without constructing it, so the destructor never frees that block:
// whatever is left goes when the library is unloaded.
struct Blocks {
    std::vector<ZEM_ViewDescriptor*> live;
    ~Blocks() {
        for (ZEM_ViewDescriptor* b : live)
            std::free(b);
    }
};
Blocks& TheBlocks() {
    static Blocks blocks;
    return blocks;
}

ZemDocument* MakeDocument() {
    return new playlists::CPlaylistDoc;
}
ZemChildFrame* MakeFrame() {
    return new playlists::CPlaylistFrame;
}
ZemView* MakeView() {
    return new playlists::CPlaylistView;
}

void Fill(ZEM_ViewDescriptor& d, const char* name, unsigned resource, uint8_t inFileNew) {
    std::snprintf(d.name, sizeof d.name, "%s", name);
    d.resource = resource;
    d.makeDocument = MakeDocument;
    d.makeFrame = MakeFrame;
    d.makeView = MakeView;
    d.resourcesModule = g_module;
    d.reserved1 = 1;
    d.reserved2 = 1;
    d.inFileNew = inFileNew;
    d.openAtOnce = 0;
}

// data is the block of the two descriptors that the initialiser allocated.
void Construct(void* data) {
    auto* views = static_cast<ZEM_ViewDescriptor*>(data);
    if (!views)
        return;
    Fill(views[0], "ZEM Playlist", playlists::kZplResource, 1);
    ZEM_Interface_AddView(&views[0]);
    Fill(views[1], "M3U Playlist", playlists::kM3uResource, 0);
    ZEM_Interface_AddView(&views[1]);
}

void Destruct(void* data) {
    auto* views = static_cast<ZEM_ViewDescriptor*>(data);
    if (!views)
        return;
    // Closes the open playlists as well, before the library goes.
    ZEM_Interface_RemoveView(&views[0]);
    ZEM_Interface_RemoveView(&views[1]);
    std::erase(TheBlocks().live, views);
    std::free(views);
}

void About(void*) {
    char text[128];
    std::snprintf(text, sizeof text, playlists::kAboutFormat, playlists::kPlaylistVersion);
    // Opened without waiting, so the host's settings dialog carries on; deletes itself.
    auto* box =
        new QMessageBox(QMessageBox::Information, QStringLiteral("Playlist"),
                        QString::fromUtf8(text), QMessageBox::Ok, QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace

extern "C" ZEM_EXPORT int
DLLInitializeInterfaceModuleFunctionTable(InterfaceModuleFunctionTable** table) {
    if (!table || !*table)
        return 0;
    auto* views = static_cast<ZEM_ViewDescriptor*>(std::calloc(2, sizeof(ZEM_ViewDescriptor)));
    if (!views)
        return 0;
    TheBlocks().live.push_back(views);
    for (int i = 0; i < 2; ++i) {
        views[i].reserved1 = views[i].reserved2 = 1;
        views[i].inFileNew = views[i].openAtOnce = 1;
    }
    InterfaceModuleFunctionTable& t = **table;
    t.data = views;
    t.constructor = Construct;
    t.destructor = Destruct;
    t.settings = About; // update stays as the host set it
    return 1;
}

extern "C" ZEM_EXPORT int DllGetInterfaceModuleInfo(InterfaceModuleInfo* info) {
    if (!info)
        return 0;
    g_module = info->module;
    std::snprintf(info->description, sizeof info->description, "%s", playlists::kPluginDescription);
    info->initialise = DLLInitializeInterfaceModuleFunctionTable;
    return 1;
}

extern "C" ZEM_EXPORT const char* DllGetResourceString(unsigned id) {
    if (id == playlists::kZplResource)
        return playlists::kZplDocString;
    if (id == playlists::kM3uResource)
        return playlists::kM3uDocString;
    return nullptr;
}
