#pragma once

#include "ShellItem.h"

namespace orv::capture::live {

// The new item of a move into another folder. Its display name is its full path: by its last
// component alone the record would read as a rename to the same name, which records nothing.
class MovedItem final : public ShellItem {
public:
    explicit MovedItem(std::string path);

    std::string displayName() const override;
    std::string fileSystemPath() const override;

private:
    std::string path_;
};

}  // namespace orv::capture::live
