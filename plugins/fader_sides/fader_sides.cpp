// "Fader sides", the example interface plug-in: one window that shows the decks on the
// crossfader's two sides and fades between them. It is written only against what a third party
// has: the contracts (interface_module.h, view_descriptor.h, hostlink.h), Hostlink and the
// ZemFramework library. Copy this folder to start a plug-in of your own.
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_document.h"
#include "contracts/export.h"
#include "contracts/hostlink.h"
#include "contracts/interface_module.h"
#include "contracts/view_descriptor.h"
#include "plugins/fader_sides/fader_sides_model.h"
#include "plugins/fader_sides/fader_sides_view.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

// Names the view type's document string; any number works, it only has to be the one
// DllGetResourceString answers for.
constexpr unsigned kViewResource = 300;

// The window shows live deck state and keeps no data, so the document adds nothing; a plug-in
// of your own keeps its data there. A frame may also take a placement key (SetPlacementKey in
// its constructor), so that the program remembers where the window was.
class FaderSidesDocument : public ZemDocument {};

class FaderSidesFrame : public ZemChildFrame {
public:
    // The workspace sizes a frame when it is added, before its view exists, and leaves it that
    // small; so once the view is in, the frame grows to the view's size and keeps the view's
    // minimum, which keeps every label readable.
    void OnInitialUpdateFrame(ZemDocument* document, bool makeVisible) override {
        const QSize least = minimumSizeHint();
        SetMinimumTrackSize(least.width(), least.height());
        resize(size().expandedTo(sizeHint()));
        ZemChildFrame::OnInitialUpdateFrame(document, makeVisible);
    }
};

// The host makes a document, a frame and a view through these whenever the window opens.
ZemDocument* MakeDocument() {
    return new FaderSidesDocument;
}
ZemChildFrame* MakeFrame() {
    return new FaderSidesFrame;
}
ZemView* MakeView() {
    return new fader_sides::FaderSidesView;
}

// The host keeps this record's address from AddView to RemoveView and fills its last two
// fields, so it must live as long as the library: a static.
ZEM_ViewDescriptor g_view{
    "Fader sides",
    kViewResource,
    MakeDocument,
    MakeFrame,
    MakeView,
    nullptr, // resourcesModule: this library's handle, known once the host asked for the info
    1,       // reserved1
    1,       // reserved2
    0,       // inFileNew: opened from "Interface views" only
    0,       // openAtOnce: the user opens it
    nullptr,
    nullptr,
};

// This library as the host loaded it; the host reads the document string through it.
void* g_module = nullptr;

void Construct(void*) {
    g_view.resourcesModule = g_module;
    ZEM_Interface_AddView(&g_view);
}

void Destruct(void*) {
    // Closes the open "Fader sides" windows as well, before the library goes.
    ZEM_Interface_RemoveView(&g_view);
}

// The plug-in's settings entry is an about box. It is opened without waiting for it, so the
// caller (and a test) carries on at once; the box deletes itself when closed.
void Settings(void*) {
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Fader sides"),
                                QString::fromStdString(fader_sides::AboutText()), QMessageBox::Ok,
                                QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace

// The host calls this with the address of its own table, which the plug-in fills. data comes
// back with every call; update may stay null, as here, and is then skipped.
extern "C" ZEM_EXPORT int
DLLInitializeInterfaceModuleFunctionTable(InterfaceModuleFunctionTable** table) {
    if (!table || !*table)
        return 0;
    **table = {nullptr, Construct, Destruct, nullptr, Settings};
    return 1;
}

// The entry point the host looks for. It runs when the program scans the plug-ins folder too,
// without the constructor following, so it does nothing but fill the record.
extern "C" ZEM_EXPORT int DllGetInterfaceModuleInfo(InterfaceModuleInfo* info) {
    if (!info)
        return 0;
    g_module = info->module;
    std::snprintf(info->description, sizeof info->description,
                  "Fader sides: the decks on the crossfader's sides");
    info->initialise = DLLInitializeInterfaceModuleFunctionTable;
    return 1;
}

// The view type's document string: window title, document name (windows are titled
// "FaderSides1", "FaderSides2"...), no file-new name (a non-empty one would put the type into
// "&File", "&New"'s choice), no filter name or extensions (it opens no files), file type id and
// name.
extern "C" ZEM_EXPORT const char* DllGetResourceString(unsigned id) {
    return id == kViewResource ? "Fader sides\nFaderSides\n\n\n\nZEM.FaderSides\nZEM Fader sides"
                               : nullptr;
}
