// The mixer board's document: it holds nothing; the board's state lives with its view.
#pragma once

#include "app/framework/zem_document.h"

class CMixerDoc : public ZemDocument {};
