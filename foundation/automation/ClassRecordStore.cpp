// Registration records: one small text file per class in the user's data folder, so that a
// client that knows only a class identifier finds the module that serves it.
#include <qdk_orv/automation.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string dataHome()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share";
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return std::string(entry->pw_dir) + "/.local/share";
    return {};
}

std::string recordFolder()
{
    const std::string base = dataHome();
    return base.empty() ? std::string() : base + "/qdk/classes";
}

std::string guidText(const GUID& guid)
{
    OLECHAR wide[39];
    StringFromGUID2(guid, wide, 39);
    return std::string(wide, wide + 38);
}

std::string recordPath(REFCLSID clsid)
{
    const std::string folder = recordFolder();
    return folder.empty() ? std::string() : folder + "/" + guidText(clsid) + ".class";
}

HRESULT fromErrno(int error)
{
    return (error == EACCES || error == EPERM || error == EROFS) ? static_cast<HRESULT>(0x80070005u)  // E_ACCESSDENIED
                                                                 : E_FAIL;
}

// mkdir -p with private folders.
bool makeFolders(const std::string& path)
{
    for (std::size_t at = 1; at <= path.size(); ++at) {
        if (at != path.size() && path[at] != '/') continue;
        const std::string prefix = path.substr(0, at);
        if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

HRESULT QdkRegisterClass(REFCLSID clsid, const QdkClassRecord* record)
{
    if (!record || !record->modulePath || record->modulePath[0] != '/') return E_INVALIDARG;
    const std::string folder = recordFolder();
    if (folder.empty()) return E_FAIL;
    if (!makeFolders(folder)) return fromErrno(errno);

    std::string text = "[Class]\n";
    text += std::string("Name=") + (record->name ? record->name : "") + "\n";
    text += std::string("Module=") + record->modulePath + "\n";
    text += std::string("ThreadingModel=") + (record->threadingModel ? record->threadingModel : "Apartment") + "\n";
    text += "Interface=" + guidText(record->interfaceId) + "\n";
    text += "TypeLibrary=" + guidText(record->typeLibraryId) + "\n";
    text += std::string("TypeLibraryVersion=") + (record->typeLibraryVersion ? record->typeLibraryVersion : "") + "\n";

    // A new file renamed over the old one: a reader never sees half a record.
    std::string temporary = folder + "/.record-XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return fromErrno(errno);
    const bool written = writeAll(fd, text) && fsync(fd) == 0;
    const int writeError = errno;
    if (close(fd) != 0 || !written) {
        unlink(temporary.c_str());
        return fromErrno(written ? errno : writeError);
    }
    if (rename(temporary.c_str(), recordPath(clsid).c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return fromErrno(error);
    }
    return S_OK;
}

HRESULT QdkUnregisterClass(REFCLSID clsid)
{
    const std::string path = recordPath(clsid);
    if (path.empty()) return E_FAIL;
    if (unlink(path.c_str()) == 0) return S_OK;
    return errno == ENOENT ? S_FALSE : fromErrno(errno);
}

HRESULT QdkGetClassModule(REFCLSID clsid, char* buffer, std::size_t size)
{
    if (!buffer || size == 0) return E_INVALIDARG;
    buffer[0] = 0;
    const std::string path = recordPath(clsid);
    if (path.empty()) return REGDB_E_CLASSNOTREG;
    std::ifstream in(path);
    if (!in) return REGDB_E_CLASSNOTREG;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Module=", 0) != 0) continue;
        const std::string module = line.substr(7);
        if (module.empty()) break;
        if (module.size() >= size) return E_INVALIDARG;
        std::memcpy(buffer, module.c_str(), module.size() + 1);
        return S_OK;
    }
    return REGDB_E_CLASSNOTREG;
}
