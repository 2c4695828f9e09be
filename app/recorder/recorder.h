// The recorder: takes the master output or a capture input, writes it to a file in the
// recording folder, and reports time, size and levels for the window.
//
// Threads: every call is made on the user-interface thread. While recording, a writer thread
// of the recorder's own takes the audio from the source's ring (the sound card's callback only
// copies into it), feeds the meters and writes the file, bringing its header up to date after
// each second of audio. The counters it keeps are atomics; the meters are guarded by a mutex.
#pragma once

#include "app/recorder/capture_source.h"
#include "app/recorder/level_meter.h"
#include "app/recorder/recording_file.h"
#include "app/recorder/recording_format.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <ctime>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class OutputManager;
class ZemProfile;

namespace zem::rec {

class Recorder {
public:
    using Clock = std::function<unsigned long()>;
    using LocalTime = std::function<std::tm()>;

    // outputs gives the sources; the choices of source, format and folder are kept in
    // profile's "Recorder" section (either may be null). clock drives the clip lights
    // (milliseconds), localTime the file names; both default to the system's.
    Recorder(OutputManager* outputs, ZemProfile* profile, Clock clock = {},
             LocalTime localTime = {});
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // "Master output (card name)" first, then one entry per capture input.
    std::vector<std::string> SourceNames() const;
    int GetSource() const { return source_; }
    void SetSource(int source);
    RecordFormat GetFormat() const { return format_; }
    void SetFormat(RecordFormat format);
    const std::string& GetFolder() const { return folder_; }
    void SetFolder(const std::string& folder);

    // Opens the source and a new file in the folder (made when missing). False when either
    // fails: the user is told why, and nothing is left behind.
    bool Start();
    // Writes what the source still holds and finishes the file.
    void Stop();
    bool IsRecording() const { return worker_.joinable(); }
    // From the window's timer: a recording whose file could not be written (or whose input
    // went away) is stopped here and the user told; what was written is kept.
    void Poll();

    // Of the current recording, or of the last one once stopped.
    double GetElapsedSeconds() const;
    uint64_t GetFramesWritten() const { return frames_.load(); }
    uint64_t GetFileBytes() const { return bytes_.load(); }
    uint64_t GetDroppedFrames() const { return dropped_.load(); }
    const std::string& GetFilePath() const { return path_; }
    // Levels since the previous call (silence when not recording).
    std::array<ChannelLevel, kMaxMeterChannels> TakeLevels();
    int GetChannels() const { return channels_; }

private:
    void Run();
    // Writer thread: moves what the source holds to the file; false on a failure.
    bool Drain();
    void Finish();

    OutputManager* outputs_;
    ZemProfile* profile_;
    LocalTime localTime_;
    int source_ = 0;
    RecordFormat format_ = RecordFormat::kWav16;
    std::string folder_;
    std::string path_;
    unsigned rate_ = 44100;
    int channels_ = 2;

    std::unique_ptr<CaptureSource> capture_;
    RecordingFile file_;
    std::vector<int16_t> chunk_;
    uint64_t headerAt_ = 0; // frames written when the header was last brought up to date

    std::thread worker_;
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    bool quit_ = false; // guarded by wakeMutex_
    std::atomic<bool> failed_{false};
    std::string failure_; // written by the worker before failed_ is set

    std::atomic<uint64_t> frames_{0};
    std::atomic<uint64_t> bytes_{0};
    std::atomic<uint64_t> dropped_{0};
    mutable std::mutex meterMutex_;
    LevelMeter meter_;
};

} // namespace zem::rec
