// Shared helpers for the test suites.
#pragma once
#include <filesystem>
#include <string>

namespace moth_test {

// Opens the engine window and GL context (1024 x 768, unpaced) unless they are
// open already. Returns false when no display is available.
bool EnsureEngineWindow();

// A fresh empty directory under the system temp folder, removed on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Writes text to a file, creating parent folders.
void WriteFile(const std::filesystem::path& path, const std::string& text);
// Writes a PNG of one colour (RGBA 0-255), creating parent folders; false on failure.
bool WriteSolidPng(const std::filesystem::path& path, int width, int height, unsigned char red,
                   unsigned char green, unsigned char blue, unsigned char alpha = 255);
// Reads a whole file ("" when missing).
std::string ReadFile(const std::filesystem::path& path);

// Top of the source tree (Assets/ lives there).
std::filesystem::path SourceDir();

} // namespace moth_test
