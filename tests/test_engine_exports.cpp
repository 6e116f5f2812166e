// Every engine function and global is exported by its plain name, both from
// this test program and from the game executable.
#include "TestEnv.h"

#include <cstdio>
#include <dlfcn.h>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>

namespace {

// Names declared with TARN_API in the engine's public headers.
std::set<std::string> ExportedEngineNames() {
    std::set<std::string> names;
    const std::regex declaration(R"(TARN_API[^;(]*?\b((?:Tarn|gTarn)\w+)\s*[(;])");
    for (const char* header :
         {"TarnSystem.h", "TarnInput.h", "TarnGraphics.h", "TarnMath.h", "TarnCollision.h"}) {
        std::string text = moth_test::ReadFile(moth_test::SourceDir() / "src" / header);
        for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it) {
            names.insert((*it)[1]);
        }
    }
    return names;
}

std::string DynamicSymbols(const std::string& binary) {
    std::string command = "nm -D --defined-only '" + binary + "' 2>/dev/null";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
            out.append(buffer, n);
        }
        pclose(pipe);
    }
    return out;
}

TEST(Exports, HeadersDeclareTheWholeEngine) {
    std::set<std::string> names = ExportedEngineNames();
    for (const char* name :
         {"TarnSysInit", "TarnToogleFullScreen", "TarnFrameRateControllerEnd", "TarnInputUpdate",
          "TarnGfxPrint", "TarnGfxTextureSet", "gTarnWinMinX", "gTarnSysAppActive",
          "TarnVec2Normalize", "TarnMtx33RotDeg", "TarnNextPowOf2"}) {
        EXPECT_TRUE(names.count(name)) << name;
    }
    EXPECT_GT(names.size(), 150u);
}

TEST(Exports, EveryNameResolvesByPlainName) {
    for (const std::string& name : ExportedEngineNames()) {
        EXPECT_NE(dlsym(RTLD_DEFAULT, name.c_str()), nullptr) << name;
    }
}

TEST(Exports, TheGameExecutableExportsEveryName) {
    std::string symbols = DynamicSymbols(std::string(MOTH_BINARY_DIR) + "/moth_lantern");
    ASSERT_FALSE(symbols.empty()) << "nm could not read the game executable";
    for (const std::string& name : ExportedEngineNames()) {
        EXPECT_TRUE(std::regex_search(symbols, std::regex(" " + name + "\n"))) << name;
    }
}

} // namespace
