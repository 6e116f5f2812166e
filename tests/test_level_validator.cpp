// Level validator: it must catch the faults that break a level (count, starts,
// border, unreachable cells, the per-file rules) and pass every shipped level.
// The shipped story levels are also checked for room to place their batteries
// the way PlaceRandomly does, so a level start can never stall.
#include "LevelMap.h"
#include "LevelValidator.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using moth_test::LevelTextOf;

bool Mentions(const std::vector<std::string>& problems, const std::string& word) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& p) { return p.find(word) != std::string::npos; });
}

std::string Join(const std::vector<std::string>& problems) {
    std::string all;
    for (const auto& p : problems) {
        all += "  " + p + "\n";
    }
    return all;
}

LevelRules Custom(int w, int h) {
    return {LevelKind::Custom, 0, w, h};
}

// A small valid custom level; tests break one thing at a time.
std::vector<std::string> GoodRoom() {
    return {"#######", "#S....#", "#.###.#", "#...#D#", "#######"};
}

// A 15 x 15 story level that passes every Level1 rule.
std::vector<std::string> GoodStory() {
    return {"###############", "#.....#......D#", "#.###.#.#####.#", "#.#...#.....#.#",
            "#.#.#######.#.#", "#.#.........#.#", "#.#####.#####.#", "#.....#.#.....#",
            "#####.#.#.#####", "#.....#x#....x#", "#.#####.#####.#", "#.....#.#.....#",
            "#.###.#.#.###.#", "#S..#.......#.#", "###############"};
}

// One cell of a map changed: at (column, row) put `tile`.
struct Edit {
    int col, row;
    char tile;
};

std::vector<std::string> Edited(std::vector<std::string> rows, std::initializer_list<Edit> edits) {
    for (const Edit& e : edits) {
        rows[e.row][e.col] = e.tile;
    }
    return rows;
}

// ---- Reports ---------------------------------------------------------------------------

struct ReportCase {
    std::string text;
    LevelRules rules;
    const char* report; // a word of the expected report; nullptr: the level is valid
};

// Good maps, each broken one way at a time, and text the export never writes.
std::vector<ReportCase> ReportCases() {
    const LevelRules room = Custom(7, 5), small = Custom(3, 2);
    const LevelRules level1{LevelKind::Story, 1, 15, 15}, level2{LevelKind::Story, 2, 15, 15};
    const LevelRules menu{LevelKind::Menu, 0, 21, 7}, puzzle{LevelKind::Puzzle, 0, 21, 16};
    auto mapText = [](const std::vector<std::string>& rows, std::initializer_list<Edit> edits) {
        return LevelTextOf(Edited(rows, edits));
    };
    std::vector<std::string> menuRoom = moth_test::WalledRoom(21, 7);
    menuRoom[1][10] = 'D';
    menuRoom[3][2] = 'S';
    const std::vector<std::string> puzzleRoom = moth_test::WalledRoom(21, 16);
    // Level1 needs walkable cells 4 rows above each spawn (the corridor kept joined).
    const std::string blocked = mapText(GoodStory(), {{7, 5, '#'}, {7, 6, '.'}});
    std::string unknownCode = LevelTextOf(GoodRoom());
    unknownCode.replace(unknownCode.find("0,0,0,0"), 1, "7");
    return {
        {"1,1,1,1", small, "expected 6 values"},
        {"1,1,1,1,1,1,1", small, "found 7"},
        {"1,1,1,\n1,0,1,\n", small, "ends with a comma"},
        {"1,,1,1,x,1", small, "value 2 holds no number"},
        {"1,,1,1,x,1", small, "value 5 holds no number"},
        {"1,1a,1,1,1,1", small, "text after its number"},
        {"", small, "no values"},
        {"1,2," + std::string(600, ' ') + "3,4", Custom(2, 2), "longer than 511"},
        {unknownCode, room, "unknown tile code 7"},
        {mapText(GoodRoom(), {}), room, nullptr},
        {mapText(GoodRoom(), {{6, 2, '~'}}), room, nullptr}, // void is solid too
        {mapText(GoodRoom(), {{6, 2, '.'}}), room, "border is not solid"},
        {mapText(GoodRoom(), {{6, 2, '.'}}), room, "column 6, row 2"},
        {mapText(GoodRoom(), {{1, 3, 'S'}}), room, "found 2"},
        {mapText(GoodRoom(), {{1, 1, '.'}}), room, "found 0"},
        {mapText(GoodRoom(), {{5, 1, '#'}}), room, "cannot be reached"}, // the door's corner
        {mapText(GoodRoom(), {{5, 1, '#'}}), room, "no trap door can be reached"},
        {mapText(GoodRoom(), {{5, 3, '.'}}), room, "no trap door"},
        {mapText(GoodStory(), {}), level1, nullptr},
        {blocked, level1, "4 rows above the spider spawn at column 7, row 9"},
        {blocked, level2, nullptr}, // only Level1 spawns its first spider above the spawn
        {mapText(GoodStory(), {{13, 9, '.'}}), level2, "several spider spawns"},
        {mapText(GoodStory(), {{2, 13, 'D'}}), level2, "only 1 steps"},
        {mapText(GoodStory(), {{3, 13, 'x'}}), level2, "closer than 4 cells"},
        {mapText(menuRoom, {}), menu, nullptr},
        {mapText(menuRoom, {{12, 2, '#'}}), menu, "(100, 50)"}, // the control wall's cell
        {mapText(menuRoom, {{12, 2, 'x'}}), menu, "no spider spawn"},
        {mapText(puzzleRoom, {}), puzzle, nullptr},
        {mapText(puzzleRoom, {{10, 5, '#'}}), puzzle, "inside the puzzle room"},
        {mapText(puzzleRoom, {{3, 0, '~'}}), puzzle, "rock (1)"},
    };
}

TEST(LevelReports, EachFaultIsReportedAndGoodLevelsPass) {
    for (const ReportCase& c : ReportCases()) {
        const std::vector<std::string> problems = ValidateLevelText(c.text, c.rules);
        if (c.report == nullptr) {
            EXPECT_TRUE(problems.empty()) << c.text << ":\n" << Join(problems);
        } else {
            EXPECT_TRUE(Mentions(problems, c.report)) << c.report << ":\n" << Join(problems);
        }
    }
    LevelGrid g = ParseLevelText(LevelTextOf(GoodRoom()), 7, 5, nullptr);
    EXPECT_TRUE(Mentions(ValidateLevelGrid(g, Custom(30, 30)), "read at 30 x 30"));
}

TEST(LevelRulesFiles, KnowsEveryShippedFile) {
    LevelRules r;
    ASSERT_TRUE(LevelRulesForFile("levels_edited3.text", &r));
    EXPECT_EQ(r.kind, LevelKind::Story);
    EXPECT_EQ(r.storyLevel, 3);
    EXPECT_EQ(r.width, 23);
    ASSERT_TRUE(LevelRulesForFile("menu.text", &r));
    EXPECT_EQ(r.height, 7);
    EXPECT_FALSE(LevelRulesForFile("levels_edited6.text", &r));
    EXPECT_FALSE(LevelRulesForFile("Exported_0.txt", &r));
    EXPECT_EQ(r.kind, LevelKind::Custom);
}

// ---- The shipped levels ---------------------------------------------------------------

const char* kShipped[] = {"menu.text",           "levels_edited1.text", "levels_edited2.text",
                          "levels_edited3.text", "levels_edited4.text", "levels_edited5.text",
                          "puzzle_map.text",     "EditorTemplate.text"};

TEST(ShippedLevels, EveryLevelFileInAssetsIsValid) {
    auto assets = moth_test::SourceDir() / "Assets";
    for (const char* name : kShipped) {
        ASSERT_TRUE(std::filesystem::exists(assets / name)) << name;
    }
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(assets)) {
        if (entry.path().extension() != ".text") {
            continue;
        }
        std::string name = entry.path().filename().string();
        LevelRules rules;
        EXPECT_TRUE(LevelRulesForFile(name, &rules)) << name << " is not a level the game reads";
        auto problems = ValidateLevelText(moth_test::ReadFile(entry.path()), rules);
        EXPECT_TRUE(problems.empty()) << name << ":\n" << Join(problems);
        ++checked;
    }
    EXPECT_EQ(checked, 8);
}

TEST(ShippedLevels, StoryLevelsGrowAndLeaveRoomForTheirBatteries) {
    auto assets = moth_test::SourceDir() / "Assets";
    int previousPath = 0;
    for (int level = 1; level <= 5; ++level) {
        std::string name = "levels_edited" + std::to_string(level) + ".text";
        LevelRules rules;
        ASSERT_TRUE(LevelRulesForFile(name, &rules));
        LevelGrid g =
            ParseLevelText(moth_test::ReadFile(assets / name), rules.width, rules.height, nullptr);
        // The walk from the start to the trap door gets longer level by level.
        int sc = 0, sr = 0, dc = 0, dr = 0;
        for (int r = 0; r < g.height; ++r) {
            for (int c = 0; c < g.width; ++c) {
                if (g.At(c, r) == kTilePlayerStart) {
                    sc = c, sr = r;
                } else if (g.At(c, r) == kTileTrapDoor) {
                    dc = c, dr = r;
                }
            }
        }
        int path = LevelPathLength(g, sc, sr, dc, dr);
        EXPECT_GE(path, previousPath) << name;
        previousPath = path;
        // PlaceRandomly: 5 x level batteries on free cells at least 200 units
        // (4 cells) apart. Seeded trials must all finish well within a bound.
        int count = 5 * level;
        for (unsigned seed = 0; seed < 25; ++seed) {
            std::mt19937 rng(seed);
            std::uniform_real_distribution<float> unit(0.0f, 1.0f);
            std::vector<std::pair<int, int>> placed;
            int draws = 0;
            while (static_cast<int>(placed.size()) < count && draws < 20000) {
                ++draws;
                int c = static_cast<int>(unit(rng) * g.width);
                int r = static_cast<int>(unit(rng) * g.height);
                if (!LevelCodeWalkable(g.At(c, r))) {
                    continue;
                }
                bool far = std::all_of(placed.begin(), placed.end(), [&](const auto& p) {
                    int dx = p.first - c, dy = p.second - r;
                    return dx * dx + dy * dy >= 16;
                });
                if (far) {
                    placed.emplace_back(c, r);
                }
            }
            EXPECT_EQ(static_cast<int>(placed.size()), count) << name << " seed " << seed;
            EXPECT_LT(draws, 2000) << name << " seed " << seed;
        }
    }
}

} // namespace
