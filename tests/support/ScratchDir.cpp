#include "ScratchDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include <unistd.h>

namespace orv::test {

ScratchDir::ScratchDir()
{
    const char* base = std::getenv("ORV_TEST_SCRATCH");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/t-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    path_ = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    // Tests may leave read-only folders behind; make them writable so that removal succeeds.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchDir::write(const std::string& name, const std::string& bytes) const
{
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return file;
}

std::string ScratchDir::read(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

}  // namespace orv::test
