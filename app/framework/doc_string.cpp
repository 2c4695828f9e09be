#include "app/framework/doc_string.h"

#include <strings.h>

namespace {

// Start of field index and its length, or false when there is no such field.
bool findField(const std::string& s, int index, std::size_t& start, std::size_t& length) {
    if (index < 0)
        return false;
    std::size_t pos = 0;
    for (int i = 0; i < index; ++i) {
        pos = s.find('\n', pos);
        if (pos == std::string::npos)
            return false;
        ++pos;
    }
    const std::size_t end = s.find('\n', pos);
    start = pos;
    length = (end == std::string::npos ? s.size() : end) - pos;
    return true;
}

} // namespace

std::string ZemGetDocStringField(const std::string& docString, int index) {
    std::size_t start = 0, length = 0;
    if (!findField(docString, index, start, length))
        return {};
    return docString.substr(start, length);
}

bool ZemSetDocStringField(std::string& docString, int index, const std::string& value) {
    std::size_t start = 0, length = 0;
    if (!findField(docString, index, start, length))
        return false;
    docString.replace(start, length, value);
    return true;
}

std::string ZemFileExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

bool ZemExtensionListHas(const std::string& extensionList, const std::string& extension) {
    if (extension.empty())
        return false;
    std::size_t pos = 0;
    while (pos <= extensionList.size()) {
        std::size_t end = extensionList.find(';', pos);
        if (end == std::string::npos)
            end = extensionList.size();
        const std::string token = extensionList.substr(pos, end - pos);
        if (!token.empty() && strcasecmp(token.c_str(), extension.c_str()) == 0)
            return true;
        pos = end + 1;
    }
    return false;
}

ZemConfidence ZemMatchExtensions(const std::string& extensionList, const std::string& path) {
    return ZemExtensionListHas(extensionList, ZemFileExtension(path)) ? kConfidenceYesNative
                                                                      : kConfidenceYesForeign;
}
