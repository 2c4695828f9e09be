// zem-render's script parser on arbitrary text: it must never crash, and whatever it accepts
// must keep its promises (times in order and in range, values within their commands' limits).
#include "tools/render/render_script.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ScriptParseResult r = ParseRenderScript(text);
    if (!r.error.empty()) {
        if (!r.commands.empty() || r.errorLine <= 0)
            std::abort();
        return 0;
    }
    double last = 0;
    for (const ScriptCommand& c : r.commands) {
        if (c.time < last || c.time > 24 * 3600.0 || c.line <= 0 || c.channel > 255)
            std::abort();
        last = c.time;
        switch (c.op) {
        case ScriptOp::Crossfader:
        case ScriptOp::Fade:
            if (c.value < -100 || c.value > 100 || c.duration < 0)
                std::abort();
            break;
        case ScriptOp::Pitch:
            if (c.value < -50 || c.value > 100)
                std::abort();
            break;
        case ScriptOp::CueStore:
        case ScriptOp::CueEnd:
        case ScriptOp::CueJump:
        case ScriptOp::LoopOn:
            if (c.index < 0 || c.index > 9)
                std::abort();
            break;
        default:
            break;
        }
    }
    return 0;
}
