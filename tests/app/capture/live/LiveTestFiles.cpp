#include "LiveTestFiles.h"

#include <gtest/gtest.h>

#include <fstream>

namespace orv::capture::live::test {

void touch(const std::filesystem::path& file)
{
    std::ofstream out(file);
    ASSERT_TRUE(out) << "cannot make " << file;
}

ActivityRecord recordOf(const std::string& object, const std::string& action, const std::filesystem::path& folder,
                        const std::string& name, const std::string& newName)
{
    return {object, action, folder.string() + "/", name, newName};
}

}  // namespace orv::capture::live::test
