// Drives a native input plug-in the way the engine does, straight through its entry points,
// so the decoders can be tested on their own.
#pragma once

#include "engine/input_modules/device_module_info.h"
#include "platform/clock.h"
#include "platform/event.h"
#include "platform/library.h"

#include <cstring>
#include <string>
#include <vector>

class NativeHost {
public:
    explicit NativeHost(const char* library) {
        lib_ = zem::LoadLibraryPath(library);
        auto probe = reinterpret_cast<DllGetDeviceModuleInfoFn>(
            zem::GetLibrarySymbol(lib_, kNativeProbeName));
        std::memset(&info, 0, sizeof info);
        if (!probe || !probe(&info) || !info.createInstance)
            return;
        InputModuleTable* tp = &table;
        table.hostValue = 2.0f;
        info.createInstance(&tp);
        if (!table.instance)
            return;
        InstanceLink link{&format, &wantStop, &stopped, &foundEnd};
        std::memcpy(table.instance, &link, sizeof link);
        table.Initialize(table.instance);
    }
    ~NativeHost() {
        if (table.instance)
            table.Destroy(table.instance);
        zem::FreeLibraryHandle(lib_);
    }
    bool ok() const { return table.instance != nullptr; }

    // True when the plug-in took the file (reported a format with channels).
    bool Load(const std::string& path) {
        std::vector<char> p(path.begin(), path.end());
        p.push_back('\0');
        table.LoadFile(table.instance, p.data());
        return format.nChannels != 0;
    }
    // Reads until the end (or until limit bytes, or a stall of several seconds).
    std::vector<int16_t> ReadAll(size_t limit = SIZE_MAX, uint32_t chunk = 5880) {
        std::vector<uint8_t> bytes;
        std::vector<uint8_t> block(chunk);
        unsigned long idleSince = zem::ClockMs();
        while (bytes.size() < limit) {
            uint32_t len = static_cast<uint32_t>(std::min<size_t>(chunk, limit - bytes.size()));
            const bool more = table.FillBuffer(table.instance, &len, block.data());
            bytes.insert(bytes.end(), block.begin(), block.begin() + len);
            if (!more) {
                ended = true;
                break;
            }
            if (len == 0) {
                if (zem::ClockMs() - idleSince > 10000)
                    break; // stalled: the test fails on the length
                zem::SleepMs(1);
            } else {
                idleSince = zem::ClockMs();
            }
        }
        std::vector<int16_t> pcm(bytes.size() / 2);
        if (!pcm.empty())
            std::memcpy(pcm.data(), bytes.data(), pcm.size() * 2);
        return pcm;
    }
    void Seek(uint32_t byte) { table.DoSetPosition(table.instance, byte); }
    uint32_t Length() { return table.GetLength(table.instance); }
    uint32_t TotalTime() { return table.GetTotalTime(table.instance); }

    DeviceModuleInfo info;
    InputModuleTable table{};
    WAVEFORMATEX format{};
    zem::Event wantStop{true, false}, stopped{false, false}, foundEnd{true, false};
    bool ended = false;

private:
    zem::LibraryHandle lib_ = nullptr;
};
