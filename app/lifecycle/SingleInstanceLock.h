#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace orv::lifecycle {

// One running Orvane per user: a lock file in the user's runtime folder ($XDG_RUNTIME_DIR, else
// the temporary folder). A lock left by a process that no longer runs is taken over.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& folder = defaultFolder());

    // True when this process now holds the lock; false when another live process holds it.
    bool acquire();
    void release();
    QString path() const { return path_; }

    static QString defaultFolder();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace orv::lifecycle
