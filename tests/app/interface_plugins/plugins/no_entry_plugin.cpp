// A library in the plug-ins folder that is no interface plug-in: it lacks the entry point.
#include "plugin_log.h"

PLUGIN_EXPORT int SomethingElse() {
    return 1;
}
