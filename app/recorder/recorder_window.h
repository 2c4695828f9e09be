// How the program makes and opens the recorder window (document template 136).
#pragma once

class ZemChildFrame;
class ZemDocTemplate;
class ZemDocument;
class ZemView;

ZemDocument* MakeRecorderDocument();
ZemChildFrame* MakeRecorderFrame();
ZemView* MakeRecorderView();

// Brings the open recorder window to the front, or opens one.
void OpenRecorderWindow(ZemDocTemplate& recorderTemplate);
