// How the program makes and opens a deck's wave editor window.
#pragma once

class CZEMDoc;
class ZemChildFrame;
class ZemDocTemplate;
class ZemView;

// For the wave editor document template (its documents are the decks' own).
ZemChildFrame* MakeWaveEditorFrame();
ZemView* MakeWaveEditorView();

// Brings the deck's wave editor window to the front, or opens one on the deck's document.
void OpenWaveEditor(ZemDocTemplate& waveEditorTemplate, CZEMDoc& deck);
