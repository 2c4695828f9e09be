// An interface plug-in that drives the program the way a third party's would: a view type
// "Driver view" (also under "&New"), and, from a thread of its own, the deck on the crossfader's
// left started with an event 300 ms in whose callback (on the deck's playback thread) starts the
// right deck and fades over to it. What it saw is kept for the test, which finds it through the
// exported GetDriverReport.
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_document.h"
#include "app/framework/zem_view.h"
#include "contracts/hostlink.h"
#include "contracts/interface_module.h"
#include "contracts/view_descriptor.h"
#include "driver_report.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#define DRIVER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

DriverReport g_report;
std::thread g_thread;

ZemDocument* MakeDocument() {
    return new ZemDocument;
}
ZemChildFrame* MakeFrame() {
    return new ZemChildFrame;
}
ZemView* MakeView() {
    return new ZemView;
}

ZEM_ViewDescriptor g_view{
    "Driver view", 300, MakeDocument, MakeFrame, MakeView, nullptr, 1, 1, 1, 0, nullptr, nullptr};

bool FadeStart(unsigned long progress, unsigned long trigger, int, int, void*) {
    g_report.lateness = static_cast<long>(progress) - static_cast<long>(trigger);
    g_report.rightStarted = ZEM_Device_Play(-5);
    g_report.faded = ZEM_Mixer_FadeFader(-5, 1000);
    ++g_report.fired;
    g_report.done = true;
    return true;
}

void Drive() {
    // The program opens its command line's songs after the plug-ins load.
    for (int i = 0; i < 500 && ZEM_Device_GetChannelID(-4) < 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const int left = ZEM_Device_GetChannelID(-4);
    g_report.leftChannel = left;
    if (left < 0 || !ZEM_Device_AddProgressEvent(300, FadeStart, nullptr, 1, left)) {
        g_report.done = true;
        return;
    }
    g_report.played = ZEM_Device_Play(left);
}

void Construct(void*) {
    ++g_report.constructed;
    ZEM_Interface_AddView(&g_view);
    g_thread = std::thread(Drive);
}

void Destruct(void*) {
    if (g_thread.joinable())
        g_thread.join();
    ZEM_Interface_RemoveView(&g_view);
    ++g_report.destructed;
}

} // namespace

DRIVER_EXPORT int DLLInitializeInterfaceModuleFunctionTable(InterfaceModuleFunctionTable** table) {
    **table = {nullptr, Construct, Destruct, nullptr, nullptr};
    return 1;
}

DRIVER_EXPORT int DllGetInterfaceModuleInfo(InterfaceModuleInfo* info) {
    g_view.resourcesModule = info->module;
    std::strcpy(info->description, "Drives the decks for the tests");
    info->initialise = DLLInitializeInterfaceModuleFunctionTable;
    return 1;
}

DRIVER_EXPORT const char* DllGetResourceString(unsigned id) {
    return id == 300 ? "Driver\nDriver\n\n\n\nZEM.Driver\nDriver view" : nullptr;
}

DRIVER_EXPORT DriverReport* GetDriverReport() {
    return &g_report;
}
