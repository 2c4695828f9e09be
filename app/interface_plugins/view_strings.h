// What the host reads from a plug-in's view descriptor as text: its name and the document
// string of its template.
#pragma once

#include <string>

struct ZEM_ViewDescriptor;

namespace zem::interface_plugins {

// The menu text: at most 19 characters, so a name that fills its field without an ending NUL
// is still read safely.
std::string ViewName(const ZEM_ViewDescriptor& view);

// The plug-in's DllGetResourceString(resource) from its resources module; when the plug-in
// exports none or has no string for the resource, one naming the document after the view
// ("\n<name>\n\n\n\n\n", no file-new name, so the standard new-document action is unchanged).
std::string ViewDocumentString(const ZEM_ViewDescriptor& view);

} // namespace zem::interface_plugins
