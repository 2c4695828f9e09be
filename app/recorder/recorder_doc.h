// The recorder window's document: it owns the recorder. One is enough for the program; the
// window's entry point brings the open one back instead of making a second.
#pragma once

#include "app/framework/zem_document.h"
#include "app/recorder/recorder.h"

#include <memory>

class CRecorderDoc : public ZemDocument {
public:
    static constexpr const char* kTitle = "Recorder";

    CRecorderDoc();
    // A recording under way is stopped and its file kept.
    ~CRecorderDoc() override;

    zem::rec::Recorder& GetRecorder() { return *m_recorder; }
    // For tests and the program: a recorder of other parts (the default takes the program's
    // output manager and profile from the application context).
    void SetRecorder(std::unique_ptr<zem::rec::Recorder> recorder);

    bool OnNewDocument() override;
    // Closing the window during a recording asks first.
    bool CanCloseFrame(ZemChildFrame* frame) override;

private:
    std::unique_ptr<zem::rec::Recorder> m_recorder;
};
