// The order the program walks its child windows in: the active child window first, then each
// window below the previous one in the stacking order. Empty when no child window is active.
#pragma once

#include "app/framework/framework_export.h"

#include <vector>

class QMdiArea;
class QMdiSubWindow;
class ZemChildFrame;

ZEM_FRAMEWORK_EXPORT std::vector<QMdiSubWindow*> ZemWindowOrder(const QMdiArea* workspace);

// The active child window when it is one of ours, else null.
ZEM_FRAMEWORK_EXPORT ZemChildFrame* ZemActiveChildFrame(const QMdiArea* workspace);
