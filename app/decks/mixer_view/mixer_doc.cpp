#include "app/decks/mixer_view/mixer_doc.h"
