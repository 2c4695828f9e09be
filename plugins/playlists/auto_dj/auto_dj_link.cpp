#include "plugins/playlists/auto_dj/auto_dj_link.h"

#include <mutex>
#include <thread>
#include <unordered_map>

namespace playlists {
namespace {

// The registry lock is held only to look a number up, add or erase it: never across a host
// call or a Post.
struct Registry {
    std::mutex mutex;
    uint64_t lastId = 0; // numbers are never reused, so a stale event cannot reach a new window
    std::unordered_map<uint64_t, std::shared_ptr<AutoDjLink>> links;
};

// An object of the library, gone when the program unloads the plug-in. By then every Auto DJ has
// removed its events from the decks (window close), and the decks are closed at exit, so no
// playback thread calls in any more; a heap registry would only look leaked once unloaded.
Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

} // namespace

std::shared_ptr<AutoDjLink> RegisterAutoDjLink(DeckHost& host, AutoDjWindow& window) {
    auto link = std::make_shared<AutoDjLink>(host, window);
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    link->id = ++registry.lastId;
    registry.links.emplace(link->id, link);
    return link;
}

void RetireAutoDjLink(AutoDjLink& link) {
    {
        Registry& registry = TheRegistry();
        std::lock_guard lock(registry.mutex);
        registry.links.erase(link.id);
    }
    link.alive.store(false);
    // A callback counts itself in before it reads alive, so once it is zero here no callback can
    // still act. One waiting on a host call that needs this thread fails within the host's limit.
    while (link.inFlight.load() != 0)
        std::this_thread::yield();
}

void* UserValueOf(const AutoDjLink& link) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(link.id));
}

AutoDjLinkUse::AutoDjLinkUse(void* user) {
    const auto id = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(user));
    Registry& registry = TheRegistry();
    {
        std::lock_guard lock(registry.mutex);
        const auto found = registry.links.find(id);
        if (found == registry.links.end())
            return;
        m_link = found->second;
    }
    m_link->inFlight.fetch_add(1);
    if (!m_link->alive.load()) {
        m_link->inFlight.fetch_sub(1);
        m_link.reset();
    }
}

AutoDjLinkUse::~AutoDjLinkUse() {
    if (m_link)
        m_link->inFlight.fetch_sub(1);
}

} // namespace playlists
