#pragma once

#include "FolderLister.h"

namespace orv::capture::live {

class PosixFolderLister final : public FolderLister {
public:
    bool list(const std::string& folder, std::vector<Entry>& entries) override;
};

}  // namespace orv::capture::live
