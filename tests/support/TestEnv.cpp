#include "TestEnv.h"

#include "TarnSystem.h"

#include <fstream>
#include <png.h>
#include <random>
#include <sstream>
#include <vector>

namespace moth_test {

bool EnsureEngineWindow() {
    // Opened again after a test closed the engine, so that a whole test binary
    // run in one process does not depend on the order of its tests.
    static bool open = false;
    if (open && TarnSysGetWindowHandle() != nullptr) {
        if (TarnSysDoesWindowExist()) {
            return true;
        }
        TarnSysExit(); // closed by a test: a fresh one as at start-up
    }
    open = TarnSysInit(nullptr, 0, 1024, 768, 0, 0, nullptr) == 1;
    // Tests run side by side on one X server: another test's window taking
    // the focus must not let go of this test's injected keys.
    TarnSysKeepKeysOnFocusLoss(1);
    return open;
}

TempDir::TempDir() {
    std::random_device device;
    auto base = std::filesystem::temp_directory_path();
    do {
        path_ = base / ("moth_test_" + std::to_string(device()));
    } while (std::filesystem::exists(path_));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path());
    }
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool WriteSolidPng(const std::filesystem::path& path, int width, int height, unsigned char red,
                   unsigned char green, unsigned char blue, unsigned char alpha) {
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path());
    }
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.insert(pixels.end(), {red, green, blue, alpha});
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr) != 0;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path SourceDir() {
    return MOTH_SOURCE_DIR;
}

} // namespace moth_test
