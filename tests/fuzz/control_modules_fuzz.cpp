// "ControlModules.cfg" from any bytes: the names read must write a file that reads back to the
// same names, and no name may hold a separator, a line end or more than a line's characters.
#include "app/interface_plugins/control_modules_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zem::interface_plugins;
    const std::vector<std::string> names =
        ParseControlModules(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& name : names)
        if (name.empty() || name.size() > kControlModulesLine ||
            name.find_first_of(std::string_view("/\\\n\0", 4)) != std::string::npos)
            __builtin_trap();
    if (ParseControlModules(FormatControlModules(names)) != names)
        __builtin_trap();
    return 0;
}
