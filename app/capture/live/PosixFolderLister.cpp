#include "PosixFolderLister.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::capture::live {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

bool isGone(int error) { return error == ENOENT || error == ENOTDIR; }

std::system_error failure(int error, const char* call, const std::string& folder)
{
    return std::system_error(error, std::generic_category(), std::string(call) + " " + folder);
}

}  // namespace

bool PosixFolderLister::list(const std::string& folder, std::vector<Entry>& entries)
{
    entries.clear();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        // O_NOFOLLOW on a symbolic link that replaced the folder gives ELOOP: gone as well.
        if (isGone(errno) || errno == ELOOP) return false;
        throw failure(errno, "open", folder);
    }
    const std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));
    if (!dir) {
        const int error = errno;
        ::close(fd);
        throw failure(error, "fdopendir", folder);
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (!entry) {
            if (errno == 0) return true;
            if (isGone(errno)) return false;
            throw failure(errno, "readdir", folder);
        }
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            // Some file systems do not fill in the type.
            struct stat state {};
            if (::fstatat(::dirfd(dir.get()), name, &state, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno == ENOENT) continue;
                throw failure(errno, "fstatat", folder + "/" + name);
            }
            isFolder = S_ISDIR(state.st_mode);
        }
        entries.push_back({name, isFolder});
    }
}

}  // namespace orv::capture::live
