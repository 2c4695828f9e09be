// How a deck template makes its document, frame and view.
#pragma once

class ZemChildFrame;
class ZemDocument;
class ZemView;

// A deck document on the program's mixer; null while the program has no mixer.
ZemDocument* NewDeckDocument();
ZemChildFrame* NewDeckFrame();
ZemView* NewDeckView();
