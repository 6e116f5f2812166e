#include "TestEnv.h"

#include "TarnSystem.h"

#include <fstream>
#include <random>
#include <sstream>

namespace moth_test {

bool EnsureEngineWindow() {
    static int state = -1;
    if (state < 0) {
        state = TarnSysInit(nullptr, 0, 1024, 768, 0, 0, nullptr);
    }
    return state == 1;
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
