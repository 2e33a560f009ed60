#include "DataFolders.h"

#include <qdk_orv/com_ptr.h>

#include "Utf8Codec.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::lifecycle {

namespace {

std::string failure(const char* call, const std::filesystem::path& path, int error)
{
    return std::string(call) + " " + path.string() + ": " + std::strerror(error);
}

void makeFolder(const std::filesystem::path& folder, std::vector<std::string>& failures)
{
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) failures.push_back(failure("mkdir", folder, errno));
}

// Creates an empty file unless one is there; an existing file is never truncated.
void makeEmptyFile(const std::filesystem::path& file, std::vector<std::string>& failures)
{
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno != EEXIST) failures.push_back(failure("open", file, errno));
        return;
    }
    if (close(fd) != 0) failures.push_back(failure("close", file, errno));
}

}  // namespace

DataFolders DataFolders::locate(_APIFuns* apiFuns)
{
    qdk::Bstr appData;
    if (apiFuns) apiFuns->GetSpecialFolder(26, appData.put());
    const std::filesystem::path base = text::encodeText(appData.view());
    DataFolders folders;
    folders.dataFolder = base / "VLM" / "ORV";
    folders.logsFolder = folders.dataFolder / "logs";
    folders.configurationFile = folders.dataFolder / "configuration.ini";
    return folders;
}

std::vector<std::string> DataFolders::prepare() const
{
    std::vector<std::string> failures;
    if (!dataFolder.has_parent_path() || dataFolder.parent_path().parent_path().empty() ||
        !dataFolder.is_absolute()) {
        failures.push_back("no application-data folder: " + dataFolder.string());
        return failures;
    }
    // On a new account even ~/.local/share may be missing: make the application-data folder too.
    std::filesystem::path partial;
    for (const auto& part : dataFolder.parent_path().parent_path()) {
        partial /= part;
        if (partial != partial.root_path()) makeFolder(partial, failures);
    }
    makeFolder(dataFolder.parent_path(), failures);
    makeFolder(dataFolder, failures);
    makeFolder(logsFolder, failures);
    makeEmptyFile(configurationFile, failures);
    makeEmptyFile(dataFolder / kMarkerName, failures);
    return failures;
}

}  // namespace orv::lifecycle
