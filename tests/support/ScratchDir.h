#pragma once

#include <filesystem>
#include <string>

namespace orv::test {

// A fresh folder for one test below the build tree's scratch folder (ORV_TEST_SCRATCH), removed
// with everything in it when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes bytes to a file below the folder (parents are made) and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;
    static std::string read(const std::filesystem::path& file);

private:
    std::filesystem::path path_;
};

}  // namespace orv::test
