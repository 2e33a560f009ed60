#include "ModuleState.h"

#include <atomic>

namespace qdk::frame {

namespace {
std::atomic<long> liveObjects{0};
std::atomic<long> locks{0};
}  // namespace

void ModuleState::objectCreated() { ++liveObjects; }
void ModuleState::objectDestroyed() { --liveObjects; }
void ModuleState::lock() { ++locks; }
void ModuleState::unlock()
{
    // An unmatched unlock must not make the module look locked forever, nor unloadable early.
    long current = locks.load();
    while (current > 0 && !locks.compare_exchange_weak(current, current - 1)) {
    }
}
bool ModuleState::canUnload() { return liveObjects.load() == 0 && locks.load() == 0; }

}  // namespace qdk::frame
