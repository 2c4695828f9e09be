// What the mixer board's document template makes.
#pragma once

class ZemChildFrame;
class ZemDocument;
class ZemView;

ZemDocument* NewMixerDocument();
ZemChildFrame* NewMixerFrame();
// Null while the program has no mixer in its context.
ZemView* NewMixerView();
