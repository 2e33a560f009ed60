#pragma once

namespace qdk::frame {

// What DllCanUnloadNow answers from: live objects and factory locks of the whole module.
class ModuleState {
public:
    static void objectCreated();
    static void objectDestroyed();
    static void lock();
    static void unlock();
    static bool canUnload();
};

}  // namespace qdk::frame
