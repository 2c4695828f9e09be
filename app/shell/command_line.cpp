#include "app/shell/command_line.h"

#include <algorithm>
#include <cctype>

namespace zem::shell {

namespace {

bool EqualsNoCase(const std::string& a, const char* b) {
    const std::string other(b);
    return a.size() == other.size() &&
           std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& startDir) {
    CommandLine cl;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.find("-log") != std::string::npos)
            cl.log = true;
        if (EqualsNoCase(a, "-Embedding") || EqualsNoCase(a, "-Automation"))
            cl.automation = true;
        if (a == "--home" || a == "--screenshot" || a == "--widget-map") {
            if (i + 1 >= args.size()) {
                cl.errors.push_back(a + " needs a value");
                break;
            }
            (a == "--home"         ? cl.home
             : a == "--screenshot" ? cl.screenshot
                                   : cl.widgetMap) = args[++i];
        } else if (a.rfind("--", 0) == 0) {
            cl.errors.push_back("unknown option " + a);
        } else if (a.empty() || a[0] == '-' || (a[0] == '/' && a.size() == 2)) {
            // Flags of the standard command line ("-log", "/p", "-Embedding") open nothing.
        } else if (a[0] == '/' || startDir.empty()) {
            cl.files.push_back(a);
        } else {
            cl.files.push_back(startDir + "/" + a);
        }
    }
    return cl;
}

std::string DroppedFilesText(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& p : paths)
        text += p + "|";
    return text;
}

std::string FirstDroppedFile(const std::string& text) {
    return text.substr(0, text.find('|'));
}

} // namespace zem::shell
