#include "FileItem.h"

#include <utility>

namespace orv::capture {

FileItem::FileItem(std::string path) : path_(std::move(path)) {}

std::string FileItem::displayName() const
{
    const auto slash = path_.rfind('/');
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

std::string FileItem::fileSystemPath() const { return path_; }

}  // namespace orv::capture
