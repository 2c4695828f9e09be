#include "app/shell/interface_requests.h"

#include "app/decks/app_context.h"
#include "app/decks/deck_view/zem_doc.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/decks/mixer_view/mixer_view.h"
#include "app/framework/zem_child_frame.h"
#include "app/framework/zem_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/zem_app.h"
#include "engine/deck/mixer_device.h"
#include "engine/foundations/zem_exception.h"

#include <memory>
#include <string>

namespace zem::shell {

namespace {

constexpr int kSideLeft = -4;

intptr_t FromPointer(const void* p) {
    return reinterpret_cast<intptr_t>(p);
}

const char* PathArgument(intptr_t a1) {
    return reinterpret_cast<const char*>(a1);
}

} // namespace

InterfaceRequests::InterfaceRequests(CZEMApp& app, CMainFrame& frame)
    : m_app(app), m_frame(frame) {}

void InterfaceRequests::SetViewTypeHooks(ViewTypeHook add, ViewTypeHook remove) {
    m_addView = std::move(add);
    m_removeView = std::move(remove);
}

intptr_t InterfaceRequests::Handle(int code, const RequestArgs& args) {
    const int channel = static_cast<int>(args.a0);
    switch (code) {
    case 0: {
        ZemChildFrame* frame = m_frame.FindDeckFrame(channel);
        if (!frame)
            return 0;
        return args.a1 ? FromPointer(frame) : FromPointer(frame->GetActiveView());
    }
    case 1:
        return FromPointer(AppContext().mixerView);
    case 2:
        return m_addView ? m_addView(reinterpret_cast<ZEM_ViewDescriptor*>(args.a1)) : 0;
    case 3:
        if (m_removeView)
            m_removeView(reinterpret_cast<ZEM_ViewDescriptor*>(args.a1));
        return 1;
    case 4:
    case 5: {
        const char* path = PathArgument(args.a1);
        if (!path)
            return -1;
        auto* deck = dynamic_cast<CZEMDoc*>(m_app.OpenDocumentFile(path));
        return deck && deck->GetDevice() ? deck->GetDevice()->GetChannel() : -1;
    }
    case 6:
        return FromPointer(m_frame.FindDeck(channel));
    case 7: {
        const char* path = PathArgument(args.a1);
        if (!path || !AppContext().mixer)
            return 0;
        std::string file = path;
        const size_t dot = file.rfind('.');
        // The extension from the last "."; a name without one is its own extension.
        std::string extension = dot == std::string::npos ? file : file.substr(dot);
        std::unique_ptr<MixerDevice> device(AppContext().mixer->GetDeviceType(extension.data()));
        if (!device)
            return 0;
        try {
            device->LoadFile(file.data());
        } catch (ZEMException&) {
            return 0; // the caller asked for a device, not for a message
        }
        return FromPointer(device.release());
    }
    case 8:
        if (CMixerView* board = AppContext().mixerView)
            board->Board().FadeFader(channel == kSideLeft ? -100 : 100,
                                     static_cast<float>(args.a1 / 1000));
        return 1;
    case 9:
        return 1;
    case 10: {
        ZemChildFrame* frame = m_frame.FindDeckFrame(channel);
        auto* deck = frame && frame->GetActiveView()
                         ? dynamic_cast<CZEMDoc*>(frame->GetActiveView()->GetDocument())
                         : nullptr;
        if (!deck)
            return 0;
        return args.a1 ? 1 : FromPointer(deck->GetDeckDocument().GetPathName());
    }
    case 11:
        return m_frame.FindDeck(channel) ? 1 : 0;
    default:
        return 1;
    }
}

} // namespace zem::shell
