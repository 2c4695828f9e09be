#include "app/recorder/capture_source.h"

#include "contracts/soundrail.h"

namespace zem::rec {
namespace {

class MasterSource : public CaptureSource {
public:
    MasterSource(OutputManager& outputs, OutputCapture* capture)
        : outputs_(outputs), capture_(capture) {
        WAVEFORMATEX format{};
        capture_->GetWaveFormat(&format);
        rate_ = format.nSamplesPerSec;
    }
    ~MasterSource() override { outputs_.CloseMasterCapture(capture_); }
    unsigned Rate() const override { return rate_; }
    int Channels() const override { return 2; }
    uint64_t Read(int16_t* samples, uint64_t frames) override {
        return capture_->ReadCapture(reinterpret_cast<unsigned char*>(samples),
                                     static_cast<unsigned long>(frames * 4)) /
               4;
    }
    bool Lost(std::string&) override { return false; }
    uint64_t Dropped() override { return capture_->GetDroppedFrames(); }

private:
    OutputManager& outputs_;
    OutputCapture* capture_;
    unsigned rate_ = 44100;
};

class InputSource : public CaptureSource {
public:
    explicit InputSource(InputDevice* input) : input_(input) {
        WAVEFORMATEX format{};
        input_->GetWaveFormat(&format);
        rate_ = format.nSamplesPerSec;
        channels_ = format.nChannels;
    }
    ~InputSource() override { input_->StopCapture(); }
    unsigned Rate() const override { return rate_; }
    int Channels() const override { return channels_; }
    uint64_t Read(int16_t* samples, uint64_t frames) override {
        const unsigned long frameBytes = 2ul * channels_;
        return input_->ReadCapture(reinterpret_cast<unsigned char*>(samples),
                                   static_cast<unsigned long>(frames * frameBytes)) /
               frameBytes;
    }
    bool Lost(std::string& why) override {
        if (input_->IsCapturing())
            return false;
        why = input_->GetLastError();
        if (why.empty())
            why = "The input stopped recording.";
        return true;
    }
    uint64_t Dropped() override { return 0; }

private:
    InputDevice* input_;
    unsigned rate_ = 44100;
    int channels_ = 2;
};

} // namespace

std::unique_ptr<CaptureSource> OpenCaptureSource(OutputManager& outputs, int source,
                                                 std::string& error) {
    if (source <= 0) {
        OutputCapture* capture = outputs.OpenMasterCapture();
        if (!capture) {
            error = "No sound card plays the master output.";
            return nullptr;
        }
        return std::make_unique<MasterSource>(outputs, capture);
    }
    InputDevice* input = outputs.GetInputDevice(source - 1);
    if (!input) {
        error = "The chosen input is not there any more.";
        return nullptr;
    }
    if (!input->StartCapture()) {
        error = input->GetLastError();
        if (error.empty())
            error = "The input could not be opened.";
        return nullptr;
    }
    return std::make_unique<InputSource>(input);
}

} // namespace zem::rec
