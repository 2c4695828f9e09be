#include "app/recorder/recorder.h"

#include "app/framework/zem_profile.h"
#include "app/recorder/recording_name.h"
#include "contracts/soundrail.h"
#include "platform/clock.h"
#include "platform/ui_hooks.h"

#include <chrono>
#include <filesystem>

namespace zem::rec {
namespace {

// About 20 ms of audio per pass: the meters move smoothly and the ring never comes close to
// full.
constexpr auto kWakeInterval = std::chrono::milliseconds(20);
constexpr uint64_t kChunkFrames = 4096;

std::tm SystemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

Recorder::Recorder(OutputManager* outputs, ZemProfile* profile, Clock clock, LocalTime localTime)
    : outputs_(outputs), profile_(profile),
      localTime_(localTime ? std::move(localTime) : SystemLocalTime),
      meter_(clock ? std::move(clock) : Clock(zem::ClockMs)) {
    folder_ = RecordingFolder(profile_);
    if (profile_) {
        format_ = FormatFromInt(profile_->GetProfileInt(kProfileSection, kFormatKey, 0));
        source_ = std::max(0, profile_->GetProfileInt(kProfileSection, kSourceKey, 0));
    }
    chunk_.resize(kChunkFrames * kMaxMeterChannels);
}

Recorder::~Recorder() {
    Stop();
}

std::vector<std::string> Recorder::SourceNames() const {
    std::vector<std::string> names;
    std::string master = "Master output";
    if (outputs_) {
        std::vector<OutputDevice*> cards;
        outputs_->GetOutputDevicesList(cards);
        for (OutputDevice* card : cards) {
            if (!card->GetDisabled() && card->GetMasterChannel() != 0) {
                master += std::string(" (") + card->GetOutputDeviceName() + ")";
                break;
            }
        }
    }
    names.push_back(master);
    if (outputs_) {
        std::vector<InputDevice*> inputs;
        outputs_->GetInputDevicesList(inputs);
        for (InputDevice* input : inputs)
            names.push_back(std::string("Input: ") + input->GetInputDeviceName());
    }
    return names;
}

void Recorder::SetSource(int source) {
    source_ = std::max(0, source);
    if (profile_)
        profile_->WriteProfileInt(kProfileSection, kSourceKey, source_);
}

void Recorder::SetFormat(RecordFormat format) {
    format_ = format;
    if (profile_)
        profile_->WriteProfileInt(kProfileSection, kFormatKey, static_cast<int>(format));
}

void Recorder::SetFolder(const std::string& folder) {
    folder_ = folder.empty() ? DefaultRecordingFolder() : folder;
    if (profile_)
        profile_->WriteProfileString(kProfileSection, kFolderKey, folder);
}

bool Recorder::Start() {
    if (IsRecording())
        return true;
    if (!outputs_) {
        zem::ShowMessageBox("The recording could not start: there is no sound output.");
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    if (!std::filesystem::is_directory(folder_, ec)) {
        const std::string text = "The recording could not start: the folder \"" + folder_ +
                                 "\" cannot be created. Choose another recording folder.";
        zem::ShowMessageBox(text.c_str());
        return false;
    }
    std::string error;
    capture_ = OpenCaptureSource(*outputs_, source_, error);
    if (!capture_) {
        const std::string text = "The recording could not start: " + error;
        zem::ShowMessageBox(text.c_str());
        return false;
    }
    rate_ = capture_->Rate();
    channels_ = capture_->Channels();
    const std::string path = UniqueRecordingPath(folder_, localTime_(), FormatExtension(format_));
    if (!file_.Open(path, format_, rate_, channels_, error)) {
        capture_.reset();
        const std::string text = "The recording could not start: " + error;
        zem::ShowMessageBox(text.c_str());
        return false;
    }
    path_ = path;
    headerAt_ = 0;
    frames_.store(0);
    bytes_.store(file_.FileBytes());
    dropped_.store(0);
    failed_.store(false);
    failure_.clear();
    {
        std::lock_guard<std::mutex> lock(meterMutex_);
        meter_.Reset(channels_);
    }
    {
        std::lock_guard<std::mutex> lock(wakeMutex_);
        quit_ = false;
    }
    worker_ = std::thread([this] { Run(); });
    return true;
}

void Recorder::Stop() {
    if (!worker_.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(wakeMutex_);
        quit_ = true;
    }
    wake_.notify_all();
    worker_.join();
    Finish();
}

void Recorder::Poll() {
    if (!worker_.joinable() || !failed_.load(std::memory_order_acquire))
        return;
    worker_.join();
    Finish();
    const std::string text = "The recording stopped: " + failure_ + " What was recorded up to " +
                             "then is kept in \"" + path_ + "\".";
    zem::ShowMessageBox(text.c_str());
}

void Recorder::Finish() {
    file_.Close();
    capture_.reset();
    bytes_.store(file_.FileBytes());
}

double Recorder::GetElapsedSeconds() const {
    return rate_ ? static_cast<double>(frames_.load()) / rate_ : 0.0;
}

std::array<ChannelLevel, kMaxMeterChannels> Recorder::TakeLevels() {
    std::lock_guard<std::mutex> lock(meterMutex_);
    if (!IsRecording())
        return {};
    return meter_.Take();
}

void Recorder::Run() {
    for (;;) {
        bool quit;
        {
            std::unique_lock<std::mutex> lock(wakeMutex_);
            wake_.wait_for(lock, kWakeInterval, [this] { return quit_; });
            quit = quit_;
        }
        // A stop takes what the source still holds, so the file ends where the stop came.
        if (!Drain()) {
            failed_.store(true, std::memory_order_release);
            return;
        }
        if (quit)
            return;
    }
}

bool Recorder::Drain() {
    std::string error;
    for (;;) {
        const uint64_t got = capture_->Read(chunk_.data(), kChunkFrames);
        if (got == 0)
            break;
        {
            std::lock_guard<std::mutex> lock(meterMutex_);
            meter_.Feed(chunk_.data(), got);
        }
        const bool ok = file_.Write(chunk_.data(), got, error);
        frames_.store(file_.FramesWritten());
        if (!ok) {
            failure_ = error;
            file_.UpdateHeader();
            bytes_.store(file_.FileBytes());
            return false;
        }
    }
    const uint64_t written = file_.FramesWritten();
    if (written - headerAt_ >= rate_) {
        file_.UpdateHeader();
        headerAt_ = written;
    }
    bytes_.store(file_.FileBytes());
    dropped_.store(capture_->Dropped());
    if (capture_->Lost(error)) {
        failure_ = error;
        file_.UpdateHeader();
        return false;
    }
    return true;
}

} // namespace zem::rec
