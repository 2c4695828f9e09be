#include "app/recorder/recorder_doc.h"

#include "app/decks/app_context.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "platform/ui_hooks.h"

CRecorderDoc::CRecorderDoc() {
    OutputManager* outputs = AppContext().mixer ? AppContext().mixer->GetOutputManager() : nullptr;
    m_recorder = std::make_unique<zem::rec::Recorder>(outputs, AppContext().profile);
}

CRecorderDoc::~CRecorderDoc() {
    m_recorder->Stop();
}

void CRecorderDoc::SetRecorder(std::unique_ptr<zem::rec::Recorder> recorder) {
    if (!recorder)
        return;
    m_recorder->Stop();
    m_recorder = std::move(recorder);
    UpdateAllViews(nullptr);
}

bool CRecorderDoc::OnNewDocument() {
    if (!ZemDocument::OnNewDocument())
        return false;
    SetTitle(QString::fromUtf8(kTitle));
    return true;
}

bool CRecorderDoc::CanCloseFrame(ZemChildFrame* frame) {
    if (m_recorder->IsRecording() &&
        !zem::AskYesNo("A recording is under way. Stop it and close the recorder?", false))
        return false;
    return ZemDocument::CanCloseFrame(frame);
}
