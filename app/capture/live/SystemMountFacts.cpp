#include "SystemMountFacts.h"

#include <filesystem>
#include <fstream>

namespace orv::capture::live {

namespace {

namespace fs = std::filesystem;

bool readsOne(const fs::path& file)
{
    std::ifstream in(file);
    char flag = 0;
    return in >> flag && flag == '1';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// udev writes characters unsafe in a file name as \xHH ("My\x20Disk").
std::string decodeLinkName(const std::string& name)
{
    std::string label;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && hexDigit(name[i + 2]) >= 0 &&
            hexDigit(name[i + 3]) >= 0) {
            label += static_cast<char>(hexDigit(name[i + 2]) * 16 + hexDigit(name[i + 3]));
            i += 3;
        } else {
            label += name[i];
        }
    }
    return label;
}

}  // namespace

bool SystemMountFacts::isRemovableDevice(const MountEntry& entry)
{
    if (entry.major == 0) return false;
    std::error_code error;
    const fs::path device =
        fs::canonical("/sys/dev/block/" + std::to_string(entry.major) + ":" + std::to_string(entry.minor), error);
    if (error) return false;
    // A partition carries no flag of its own; the disk above it does.
    return readsOne(device / "removable") || (fs::exists(device / "partition", error) && readsOne(device.parent_path() / "removable"));
}

std::string SystemMountFacts::volumeLabel(const MountEntry& entry)
{
    if (!entry.source.starts_with('/')) return {};
    std::error_code error;
    const fs::path device = fs::canonical(entry.source, error);
    if (error) return {};
    for (fs::directory_iterator it("/dev/disk/by-label", error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (fs::canonical(it->path(), ignored) == device) return decodeLinkName(it->path().filename().string());
    }
    return {};
}

}  // namespace orv::capture::live
