// How the deck and mixer board templates make their skinned frames and views, on the
// program's skin.
#pragma once

class ZemChildFrame;
class ZemView;

ZemChildFrame* NewDeckFrameSkins();
ZemView* NewDeckViewSkins();
ZemView* NewMixerViewSkins();
