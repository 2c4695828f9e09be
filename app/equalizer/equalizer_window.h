// How the program makes and opens a deck's equalizer window.
#pragma once

class CZEMDoc;
class ZemChildFrame;
class ZemDocTemplate;
class ZemView;

// For the equalizer document template (its documents are the decks' own).
ZemChildFrame* MakeEqualizerFrame();
ZemView* MakeEqualizerView();

// Brings the deck's equalizer window to the front, or opens one on the deck's document.
void OpenEqualizerWindow(ZemDocTemplate& equalizerTemplate, CZEMDoc& deck);
