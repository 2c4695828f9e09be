#include "app/interface_plugins/view_strings.h"

#include "contracts/view_descriptor.h"
#include "platform/library.h"

#include <cstring>

namespace zem::interface_plugins {

std::string ViewName(const ZEM_ViewDescriptor& view) {
    return std::string(view.name, strnlen(view.name, sizeof view.name - 1));
}

std::string ViewDocumentString(const ZEM_ViewDescriptor& view) {
    const auto get = reinterpret_cast<ZEM_GetResourceStringFunc>(
        GetLibrarySymbol(view.resourcesModule, kGetResourceStringExport));
    if (const char* text = get ? get(view.resource) : nullptr)
        return text;
    // Built by appending: g++'s -O3 flags a false overlap in the operator+ chain.
    std::string fields(1, '\n');
    fields.append(ViewName(view));
    fields.append(5, '\n');
    return fields;
}

} // namespace zem::interface_plugins
