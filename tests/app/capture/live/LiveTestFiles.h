#pragma once

#include "ActivityRecord.h"

#include <filesystem>
#include <string>

namespace orv::capture::live::test {

// Makes an empty file, failing the test when it cannot.
void touch(const std::filesystem::path& file);

// The record of an operation on `name` in `folder`.
ActivityRecord recordOf(const std::string& object, const std::string& action, const std::filesystem::path& folder,
                        const std::string& name, const std::string& newName = {});

}  // namespace orv::capture::live::test
