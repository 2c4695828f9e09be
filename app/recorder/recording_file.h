// One recording on disk, written with libsndfile as the audio comes: WAV frames go straight
// to the file and FLAC frames as each one is encoded. The header is brought up to date on
// request, so that a file left behind by a killed program still plays to that point.
//
// Threads: one thread at a time (the recorder's writer).
#pragma once

#include "app/recorder/recording_format.h"

#include <cstdint>
#include <string>

typedef struct sf_private_tag SNDFILE;

namespace zem::rec {

class RecordingFile {
public:
    RecordingFile() = default;
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // Creates path (which must not exist yet); false with a reason in error.
    bool Open(const std::string& path, RecordFormat format, unsigned rate, int channels,
              std::string& error);
    bool IsOpen() const { return file_ != nullptr; }
    // 16-bit interleaved frames; a 24-bit file gets them in its upper bits. False when the
    // disk did not take them all (full, gone): error says so, and the file stays as it is.
    bool Write(const int16_t* samples, uint64_t frames, std::string& error);
    // Rewrites the header for everything written so far.
    void UpdateHeader();
    // Finishes the file (the last FLAC frame, the final header).
    void Close();

    uint64_t FramesWritten() const { return frames_; }
    // Bytes of the file on disk now.
    uint64_t FileBytes() const;
    const std::string& Path() const { return path_; }

private:
    SNDFILE* file_ = nullptr;
    std::string path_;
    uint64_t frames_ = 0;
};

} // namespace zem::rec
