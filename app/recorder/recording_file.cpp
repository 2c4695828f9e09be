#include "app/recorder/recording_file.h"

#include <sndfile.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

namespace zem::rec {

RecordingFile::~RecordingFile() {
    Close();
}

bool RecordingFile::Open(const std::string& path, RecordFormat format, unsigned rate, int channels,
                         std::string& error) {
    Close();
    // O_EXCL: a file that appeared since the name was chosen is never overwritten.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        error = "The file \"" + path + "\" could not be created.";
        return false;
    }
    SF_INFO info{};
    info.samplerate = static_cast<int>(rate);
    info.channels = channels;
    info.format = SndfileFormat(format);
    file_ = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (!file_) {
        error = "The file \"" + path + "\" could not be written: " + sf_strerror(nullptr);
        std::error_code ec;
        std::filesystem::remove(path, ec);
        return false;
    }
    path_ = path;
    frames_ = 0;
    UpdateHeader();
    return true;
}

bool RecordingFile::Write(const int16_t* samples, uint64_t frames, std::string& error) {
    if (!file_)
        return false;
    const sf_count_t done = sf_writef_short(file_, samples, static_cast<sf_count_t>(frames));
    if (done > 0)
        frames_ += static_cast<uint64_t>(done);
    if (done == static_cast<sf_count_t>(frames))
        return true;
    error = "The file \"" + path_ + "\" could not be written (the disk may be full).";
    return false;
}

void RecordingFile::UpdateHeader() {
    if (file_)
        sf_command(file_, SFC_UPDATE_HEADER_NOW, nullptr, 0);
}

void RecordingFile::Close() {
    if (!file_)
        return;
    sf_close(file_);
    file_ = nullptr;
}

uint64_t RecordingFile::FileBytes() const {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path_, ec);
    return ec ? 0 : static_cast<uint64_t>(size);
}

} // namespace zem::rec
