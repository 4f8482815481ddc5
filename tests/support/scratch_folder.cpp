#include "support/scratch_folder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

ScratchFolder::ScratchFolder() : home(std::filesystem::current_path()) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        (std::filesystem::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") / "kelmot-XXXXXX")
            .string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch folder from " + pattern);
    folder = pattern;
    std::filesystem::current_path(folder);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(home, ignored);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder, ignored);
}

void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
