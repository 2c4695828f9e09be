// What the interface requests do, by code (the reply is the request's result; pointers travel
// as integers):
//   0  the deck's frame (a1 non-zero) or view of a0's channel code; 0 for none
//   1  the mixer board's view; 0 for none
//   2  register a plug-in view type (a1: its ZEM_ViewDescriptor); 3 unregister it, reply 1
//   4, 5  open the file a1 as a document; the deck's channel, else -1
//   6  the deck's engine device; 0 for none
//   7  a new engine device for the file a1, not attached to the mixer (the caller owns it);
//      0 when no type fits or it does not load
//   8  fade the crossfader full left (a0 -4) or right over a1 / 1000 whole seconds; reply 1
//   9  reply 1
//   10 a1 0: the address of the file name the deck's document keeps; else 1; 0 for no deck
//   11 1 when the deck exists
//   above 11: reply 1, nothing done
//
// Threads: the user-interface thread (the request channel brings requests there).
#pragma once

#include "app/shell/request_channel.h"

#include <functional>

struct ZEM_ViewDescriptor;

namespace zem::shell {

class CMainFrame;
class CZEMApp;

class InterfaceRequests {
public:
    using ViewTypeHook = std::function<intptr_t(ZEM_ViewDescriptor*)>;

    InterfaceRequests(CZEMApp& app, CMainFrame& frame);
    intptr_t Handle(int code, const RequestArgs& args);
    // Registering and unregistering plug-in view types belongs to the interface plug-in host;
    // without one, request 2 replies 0 and request 3 1.
    void SetViewTypeHooks(ViewTypeHook add, ViewTypeHook remove);

private:
    CZEMApp& m_app;
    CMainFrame& m_frame;
    ViewTypeHook m_addView;
    ViewTypeHook m_removeView;
};

} // namespace zem::shell
