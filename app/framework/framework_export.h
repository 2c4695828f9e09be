// Marks what the framework library exports to the program and to interface plug-ins; everything
// else is built hidden.
#pragma once

#define ZEM_FRAMEWORK_EXPORT __attribute__((visibility("default")))
