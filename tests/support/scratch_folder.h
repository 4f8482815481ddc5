#pragma once

#include <filesystem>
#include <string>

// An empty folder of its own among the system's temporary files ($TMPDIR or
// /tmp on Linux, %TEMP% on Windows), made current while the object lives, then
// removed with everything in it, even if a test left it read-only. Tests use
// relative names, so nothing outside it is touched.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return folder; }

  private:
    std::filesystem::path home;
    std::filesystem::path folder;
};

void WriteFile(const std::string& name, const std::string& bytes);
std::string ReadFile(const std::string& name);
