// A well-behaved interface plug-in: two view types, "ZEM Playlist" (with a document string of
// its own) and "M3U Playlist" (offered under "&File", "&New"), registered in its constructor and
// removed in its destructor; update and settings say that they ran.
#include "plugin_log.h"

#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_view.h"

#include "contracts/hostlink.h"
#include "contracts/interface_module.h"
#include "contracts/view_descriptor.h"
#include <QSize>

#include <cstring>

namespace {

void* g_module = nullptr;

ZemDocument* MakeDocument() {
    return new ZemDocument;
}
ZemChildFrame* MakeFrame() {
    return new ZemChildFrame;
}
// A view that knows the size it wants, as a real plug-in's does.
class SizedView : public ZemView {
public:
    QSize sizeHint() const override { return {360, 240}; }
};

ZemView* MakeView() {
    return new SizedView;
}

ZEM_ViewDescriptor g_zemView{
    "ZEM Playlist", 200, MakeDocument, MakeFrame, MakeView, nullptr, 1, 1, 0, 0, nullptr, nullptr};
ZEM_ViewDescriptor g_m3uView{
    "M3U Playlist", 201, MakeDocument, MakeFrame, MakeView, nullptr, 1, 1, 1, 0, nullptr, nullptr};

void Construct(void*) {
    PluginLog("playlist constructor");
    g_zemView.resourcesModule = g_module;
    g_m3uView.resourcesModule = g_module;
    ZEM_Interface_AddView(&g_zemView);
    ZEM_Interface_AddView(&g_m3uView);
}
void Destruct(void*) {
    PluginLog("playlist destructor");
    ZEM_Interface_RemoveView(&g_m3uView);
    ZEM_Interface_RemoveView(&g_zemView);
}
void Update(void*) {
    PluginLog("playlist update");
}
void Settings(void*) {
    PluginLog("playlist settings");
}

} // namespace

PLUGIN_EXPORT int DLLInitializeInterfaceModuleFunctionTable(InterfaceModuleFunctionTable** table) {
    **table = {nullptr, Construct, Destruct, Update, Settings};
    return 1;
}

PLUGIN_EXPORT int DllGetInterfaceModuleInfo(InterfaceModuleInfo* info) {
    g_module = info->module;
    std::strcpy(info->description, "Playlists: ZEM and M3U");
    info->initialise = DLLInitializeInterfaceModuleFunctionTable;
    return 1;
}

PLUGIN_EXPORT const char* DllGetResourceString(unsigned id) {
    return id == 200 ? "\nPlaylist\n\nZEM playlists\n.zpl\nZEM.Playlist\nZEM Playlist" : nullptr;
}
