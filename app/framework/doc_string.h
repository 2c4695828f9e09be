// A document template's document string: seven fields separated by "\n", in this order: window
// title, document name, file-new name, filter name, filter extension(s), registry file type id,
// registry file type name. Missing trailing fields read as empty. Plain text handling, kept
// apart from the widgets so that it can be checked without a display.
#pragma once

#include "app/framework/framework_export.h"

#include <string>

enum ZemDocStringIndex {
    kDocStringWindowTitle = 0,
    kDocStringDocName = 1,
    kDocStringFileNewName = 2,
    kDocStringFilterName = 3,
    kDocStringFilterExt = 4,
    kDocStringRegFileTypeId = 5,
    kDocStringRegFileTypeName = 6,
};

// How strongly a template claims a file; higher wins, the first of equal answers wins.
enum ZemConfidence {
    kConfidenceNoAttempt = 0,
    kConfidenceMaybeForeign = 1,
    kConfidenceMaybeNative = 2,
    kConfidenceYesForeign = 3,
    kConfidenceYesNative = 4,
    kConfidenceYesAlreadyOpen = 5,
};

// Field index (counted from 0), or empty when the string has no such field.
ZEM_FRAMEWORK_EXPORT std::string ZemGetDocStringField(const std::string& docString, int index);

// Replaces field index with value and returns true; false, with docString untouched, when the
// string has no field of that index.
ZEM_FRAMEWORK_EXPORT bool ZemSetDocStringField(std::string& docString, int index,
                                               const std::string& value);

// The extension of path including its dot, taken from the last "."; empty when there is none.
ZEM_FRAMEWORK_EXPORT std::string ZemFileExtension(const std::string& path);

// Whether extension (with its dot) is one of the ";"-separated tokens of extensionList,
// compared without regard to case. An empty extension matches nothing.
ZEM_FRAMEWORK_EXPORT bool ZemExtensionListHas(const std::string& extensionList,
                                              const std::string& extension);

// A template's answer for path given its filter extension field: yes-native when the file's
// extension is listed, yes-foreign otherwise. Never already-open, so a file can be open in
// several documents at once.
ZEM_FRAMEWORK_EXPORT ZemConfidence ZemMatchExtensions(const std::string& extensionList,
                                                      const std::string& path);
