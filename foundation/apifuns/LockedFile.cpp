#include "LockedFile.h"

#include "SystemCallError.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qdk::apifuns {

namespace {

// Replacing a symbolic link would cut it off from the file it names; the file itself is replaced.
std::string resolved(const std::string& path)
{
    if (path.find('\0') != std::string::npos) throw std::invalid_argument("a path that holds a NUL byte names no file");
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    if (real) return real.get();
    // A file still to be made; a dangling link among them is refused by open(2) with O_NOFOLLOW.
    if (errno == ENOENT) return path;
    throwSystemCallError("realpath", path);
}

int openRetrying(const std::string& path, int flags, mode_t mode = 0)
{
    int descriptor;
    do descriptor = ::open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, mode);
    while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

PosixFile openLocked(const std::string& path, bool& created)
{
    // Each round that fails saw another writer replace the file, so the rounds end unless writers
    // never stop; the bound turns that into an error rather than a hang.
    constexpr int kRounds = 1000;
    for (int round = 0; round < kRounds; ++round) {
        created = false;
        // O_NONBLOCK: opening a FIFO must not wait; it is refused below like any other non-file.
        int descriptor = openRetrying(path, O_RDWR | O_NONBLOCK);
        if (descriptor < 0 && errno == ENOENT) {
            descriptor = openRetrying(path, O_RDWR | O_CREAT | O_EXCL, 0600);
            if (descriptor < 0 && errno == EEXIST) continue;  // another writer made it meanwhile
            created = descriptor >= 0;
        }
        if (descriptor < 0) throwSystemCallError("open", path);
        PosixFile file(descriptor, path);
        const struct stat opened = file.status();
        if (!S_ISREG(opened.st_mode))
            throw std::system_error(std::make_error_code(std::errc::invalid_argument), "open " + path + ": not a regular file");
        while (::flock(descriptor, LOCK_EX) != 0)
            if (errno != EINTR) throwSystemCallError("flock", path);
        struct stat now {};
        if (::lstat(path.c_str(), &now) != 0) {
            if (errno == ENOENT) continue;  // removed while we waited
            throwSystemCallError("lstat", path);
        }
        if (sameFile(now, opened)) return file;
    }
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                            "flock " + path + ": the file kept being replaced");
}

}  // namespace

LockedFile::LockedFile(const std::string& path, std::size_t sizeLimit)
    : path_(resolved(path)), file_(openLocked(path_, created_)), bytes_(file_.readAll(sizeLimit))
{
}

LockedFile::~LockedFile()
{
    // Still under the lock, so no other writer is using the empty file. Should unlink(2) fail, the
    // empty file stays, which reads like a missing one: a profile without entries.
    if (created_ && !replaced_) ::unlink(path_.c_str());
}

void LockedFile::replace(std::string_view bytes)
{
    const std::size_t slash = path_.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path_.substr(0, slash);
    const std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    std::string temporary = folder + "/." + name + ".XXXXXX";
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) throwSystemCallError("mkostemp", temporary);
    PosixFile file(descriptor, temporary);
    try {
        if (::fchmod(descriptor, file_.status().st_mode & 07777) != 0) throwSystemCallError("fchmod", temporary);
        file.writeAll(bytes);
        file.sync();
        file.close();
        if (::rename(temporary.c_str(), path_.c_str()) != 0) throwSystemCallError("rename", temporary);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    replaced_ = true;
    // The rename itself lasts only once the folder is on disk.
    PosixFile(folder, O_RDONLY | O_DIRECTORY).sync();
}

}  // namespace qdk::apifuns
