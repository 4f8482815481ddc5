#include "support/scratch_folder.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

ScratchFolder::ScratchFolder() : home(std::filesystem::current_path()) {
    // A new name until one is free: a folder made here is ours alone.
    const std::filesystem::path temporary = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 names(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "kelmot-%012llx",
                      static_cast<unsigned long long>(names() & 0xFFFFFFFFFFFFull));
        if (std::filesystem::create_directory(temporary / name)) {
            folder = temporary / name;
            std::filesystem::current_path(folder);
            return;
        }
    }
    throw std::runtime_error("cannot make a scratch folder in " + temporary.string());
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
