// A source that serves a generated block of PCM, as a deck's playback thread reads one.
#pragma once

#include "engine/buffers/input_buffer.h"

#include <algorithm>
#include <cstring>
#include <vector>

class TestSource : public DeviceInputBuffer {
public:
    unsigned long GetBytesAvailable() override {
        return static_cast<unsigned long>(data_.size() - pos_);
    }
    bool FillBuffer(unsigned long& length, unsigned char* data) override {
        length = std::min<unsigned long>(length, GetBytesAvailable());
        std::memcpy(data, data_.data() + pos_, length);
        pos_ += length;
        if (length)
            CallOnNewData(length, data);
        return pos_ < data_.size();
    }
    bool DoSetPosition(unsigned long position) override {
        if (position > data_.size())
            return false;
        pos_ = position;
        return true;
    }
    void Play() override {}
    void Stop() override {}
    void Prepare() override {}
    void UnPrepare() override {}
    unsigned long GetLength() override { return static_cast<unsigned long>(data_.size()); }
    unsigned long GetTotalTime() override {
        return static_cast<unsigned long>(data_.size() / m_waveFormat.nAvgBytesPerSec);
    }
    // A mono 22050 Hz ramp of the given seconds.
    void LoadFile(char*) override {
        m_waveFormat.nChannels = 1;
        m_waveFormat.nSamplesPerSec = 22050;
        m_waveFormat.nAvgBytesPerSec = 44100;
        m_waveFormat.nBlockAlign = 2;
        data_.resize(3 * 44100);
        for (size_t i = 0; i < data_.size(); ++i)
            data_[i] = static_cast<unsigned char>(i * 7);
        pos_ = 0;
    }

private:
    std::vector<unsigned char> data_;
    size_t pos_ = 0;
};
