// Marks the classes and functions a shared library exports; everything else is built hidden.
#pragma once

#define ZEM_EXPORT __attribute__((visibility("default")))
