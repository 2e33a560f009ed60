#pragma once

#include "ShellItem.h"

namespace orv::capture {

// A file or folder by its absolute path (bytes, no trailing '/'); its display name is the last
// path component.
class FileItem final : public ShellItem {
public:
    explicit FileItem(std::string path);

    std::string displayName() const override;
    std::string fileSystemPath() const override;

private:
    std::string path_;
};

}  // namespace orv::capture
