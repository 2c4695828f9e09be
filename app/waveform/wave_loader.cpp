#include "app/decks/app_context.h"
#include "app/decks/mixer_board/app_mixer.h"
#include "app/waveform/wave_cache.h"
#include "app/waveform/wave_decode.h"
#include "app/waveform/wave_summary.h"
#include "engine/buffers/input_buffer.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/mixer/mixer.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <thread>

namespace zem::wave {

struct WaveSummaryLoader::Impl {
    struct Job {
        std::string path;
        SongStamp stamp;
        bool stamped = false;
        std::unique_ptr<DeviceInputBuffer> buffer;
        std::weak_ptr<WaveSummary> summary;
    };

    Mixer& mixer;
    std::string cacheDir;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::deque<Job> queue;
    bool busy = false;
    std::atomic<bool> stop{false};
    // Songs being read, so that a second window on the same song shares the read.
    std::map<std::string, std::weak_ptr<WaveSummary>> reading;
    std::thread worker;

    Impl(Mixer& m, std::string dir) : mixer(m), cacheDir(std::move(dir)) {
        worker = std::thread([this] { Run(); });
    }

    void Run() {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] { return stop.load() || !queue.empty(); });
            if (stop.load())
                return;
            Job job = std::move(queue.front());
            queue.pop_front();
            busy = true;
            lock.unlock();
            const DecodeEnd end = DecodeSong(*job.buffer, job.path, job.summary, stop);
            job.buffer.reset();
            if (end == DecodeEnd::kComplete && job.stamped && !cacheDir.empty())
                if (auto s = job.summary.lock())
                    WriteCacheFile(CacheFilePath(cacheDir, job.path), EncodeCache(*s, job.stamp));
            lock.lock();
            if (auto it = reading.find(job.path); it != reading.end() &&
                                                  !it->second.owner_before(job.summary) &&
                                                  !job.summary.owner_before(it->second))
                reading.erase(it);
            busy = false;
            if (queue.empty())
                idle.notify_all();
        }
    }
};

WaveSummaryLoader::WaveSummaryLoader(Mixer& mixer, std::string cacheDir)
    : m_impl(std::make_unique<Impl>(mixer, std::move(cacheDir))) {}

WaveSummaryLoader::~WaveSummaryLoader() {
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->stop = true;
    }
    m_impl->wake.notify_all();
    m_impl->worker.join();
}

std::shared_ptr<const WaveSummary> WaveSummaryLoader::Load(const std::string& songPath) {
    Impl& d = *m_impl;
    {
        std::lock_guard lock(d.mutex);
        if (auto it = d.reading.find(songPath); it != d.reading.end())
            if (auto s = it->second.lock())
                return s;
    }
    Impl::Job job;
    job.path = songPath;
    job.stamped = StatSong(songPath, job.stamp);
    if (job.stamped && !d.cacheDir.empty())
        if (auto cached = ReadCacheFile(CacheFilePath(d.cacheDir, songPath), job.stamp))
            return cached;
    auto summary = std::make_shared<WaveSummary>(0, 0, 0);
    const size_t dot = songPath.rfind('.');
    std::string extension = dot == std::string::npos || songPath.find('/', dot) != std::string::npos
                                ? std::string()
                                : songPath.substr(dot);
    try {
        // The mixer makes a fresh buffer of the song's module; no deck ever sees it.
        job.buffer.reset(extension.empty() ? nullptr
                                           : d.mixer.GetInputBufferType(extension.data()));
    } catch (...) {
        job.buffer.reset();
    }
    if (!job.stamped || !job.buffer) {
        summary->MarkFailed();
        return summary;
    }
    job.summary = summary;
    {
        std::lock_guard lock(d.mutex);
        d.reading[songPath] = summary;
        d.queue.push_back(std::move(job));
    }
    d.wake.notify_one();
    return summary;
}

void WaveSummaryLoader::WaitIdle() {
    std::unique_lock lock(m_impl->mutex);
    m_impl->idle.wait(lock, [this] { return m_impl->queue.empty() && !m_impl->busy; });
}

std::string DefaultWaveformCacheDir() {
    std::string zec = ZEM_GetZEMPath(1);
    const size_t slash = zec.find_last_of('/');
    return (slash == std::string::npos ? std::string(".") : zec.substr(0, slash)) + "/Waveforms";
}

namespace {

struct ProgramLoader {
    Mixer* mixer = nullptr;
    std::unique_ptr<WaveSummaryLoader> loader;
};

ProgramLoader& Program() {
    static ProgramLoader program;
    return program;
}

} // namespace

WaveSummaryLoader& ProgramWaveSummaryLoader() {
    ProgramLoader& p = Program();
    Mixer* mixer = AppContext().mixer;
    if (!p.loader || p.mixer != mixer) {
        p.loader.reset();
        p.loader = std::make_unique<WaveSummaryLoader>(*mixer, DefaultWaveformCacheDir());
        p.mixer = mixer;
    }
    return *p.loader;
}

void ShutdownProgramWaveSummaryLoader() {
    Program().loader.reset();
    Program().mixer = nullptr;
}

} // namespace zem::wave
