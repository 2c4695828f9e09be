// A view type that an interface plug-in adds to the program: the plug-in owns the record and
// hands its address to ZEM_Interface_AddView; the host keeps the address until
// ZEM_Interface_RemoveView (or the main window's close) and fills the last two fields.
//
// The three class fields are factories: each makes a new object of the plug-in's class. The
// resources module is the plug-in's library handle; the host reads the template's document
// string from it through the plug-in's exported DllGetResourceString (below).
#pragma once

#include <cstddef>
#include <cstdint>

class ZemChildFrame;
class ZemDocTemplate;
class ZemDocument;
class ZemView;

struct ZEM_ViewDescriptor {
    char name[20]; // menu text, NUL-terminated (the host reads at most 19 characters)
    uint32_t resource;
    ZemDocument* (*makeDocument)();
    ZemChildFrame* (*makeFrame)();
    ZemView* (*makeView)();
    void* resourcesModule;
    uint8_t reserved1;           // not read by the host; plug-ins set 1
    uint8_t reserved2;           // likewise
    uint8_t inFileNew;           // nonzero: also under "&File", "&New"
    uint8_t openAtOnce;          // nonzero: a view opens as soon as the type is registered
    ZemDocTemplate* docTemplate; // filled by the host
    ZemChildFrame* frame;        // filled by the host: the frame most recently opened
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(ZEM_ViewDescriptor) == 52, "ZEM_ViewDescriptor is 52 bytes");
#else
static_assert(sizeof(ZEM_ViewDescriptor) == 80, "ZEM_ViewDescriptor on a 64-bit build");
#endif
static_assert(offsetof(ZEM_ViewDescriptor, resource) == 20, "ZEM_ViewDescriptor resource offset");

// Exported by an interface plug-in: the document string (seven "\n"-separated fields) of the
// view type whose resource number is id, or null when it has none.
typedef const char* (*ZEM_GetResourceStringFunc)(unsigned id);
inline constexpr const char kGetResourceStringExport[] = "DllGetResourceString";
