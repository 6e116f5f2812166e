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

// ---- Parsing --------------------------------------------------------------------------

TEST(LevelParse, ReadsTheExportFormatRowsFromTheTopSkippingLeadingWhiteSpace) {
    std::vector<std::string> problems;
    LevelGrid g = ParseLevelText("1,1,1,\n1,0,1\n", 3, 2, &problems);
    EXPECT_TRUE(problems.empty()) << Join(problems);
    EXPECT_EQ(g.At(0, 0), 1);
    EXPECT_EQ(g.At(1, 1), 0);
    g = ParseLevelText("1,\n  7,3,9", 2, 2, &problems);
    EXPECT_TRUE(problems.empty()) << Join(problems);
    EXPECT_EQ(g.At(1, 0), 7);
    EXPECT_EQ(g.At(1, 1), 9);
}

TEST(LevelParse, ReportsWrongCountsAndMalformedFields) {
    const std::pair<std::string, const char*> cases[] = {
        {"1,1,1,1", "expected 6 values"},
        {"1,1,1,1,1,1,1", "found 7"},
        {"1,1,1,\n1,0,1,\n", "ends with a comma"},
        {"1,,1,1,x,1", "value 2 holds no number"},
        {"1,,1,1,x,1", "value 5 holds no number"},
        {"1,1a,1,1,1,1", "text after its number"},
        {"", "no values"},
    };
    for (const auto& [text, report] : cases) {
        std::vector<std::string> problems;
        LevelGrid g = ParseLevelText(text, 3, 2, &problems);
        EXPECT_TRUE(Mentions(problems, report)) << report << ":\n" << Join(problems);
        if (text == "1,,1,1,x,1") {
            EXPECT_EQ(g.At(1, 0), 0) << "the reader takes a field without digits as 0";
        }
    }
    std::vector<std::string> problems;
    LevelGrid g = ParseLevelText("1,2," + std::string(600, ' ') + "3,4", 2, 2, &problems);
    EXPECT_TRUE(Mentions(problems, "longer than 511")) << Join(problems);
    EXPECT_EQ(g.At(0, 1), 0) << "cells after the long field keep 0";
}

// ---- Rules ----------------------------------------------------------------------------

TEST(LevelRulesCommon, EachBrokenRuleIsReported) {
    EXPECT_TRUE(ValidateLevelText(LevelTextOf(GoodRoom()), Custom(7, 5)).empty());
    EXPECT_TRUE(
        ValidateLevelText(LevelTextOf(Edited(GoodRoom(), {{6, 2, '~'}})), Custom(7, 5)).empty())
        << "void is solid too";
    const struct {
        std::initializer_list<Edit> edits;
        const char* report;
    } cases[] = {
        {{{6, 2, '.'}}, "border is not solid"},
        {{{6, 2, '.'}}, "column 6, row 2"},
        {{{1, 3, 'S'}}, "found 2"},
        {{{1, 1, '.'}}, "found 0"},
        {{{5, 1, '#'}}, "cannot be reached"}, // walls the door's corner off
        {{{5, 1, '#'}}, "no trap door can be reached"},
        {{{5, 3, '.'}}, "no trap door"},
    };
    for (const auto& c : cases) {
        auto problems = ValidateLevelText(LevelTextOf(Edited(GoodRoom(), c.edits)), Custom(7, 5));
        EXPECT_TRUE(Mentions(problems, c.report)) << c.report << ":\n" << Join(problems);
    }
    std::string text = LevelTextOf(GoodRoom());
    text.replace(text.find("0,0,0,0"), 1, "7");
    EXPECT_TRUE(Mentions(ValidateLevelText(text, Custom(7, 5)), "unknown tile code 7"));
    LevelGrid g = ParseLevelText(LevelTextOf(GoodRoom()), 7, 5, nullptr);
    EXPECT_TRUE(Mentions(ValidateLevelGrid(g, Custom(30, 30)), "read at 30 x 30"));
}

TEST(LevelRulesStory, EachBrokenRuleIsReported) {
    const LevelRules level1{LevelKind::Story, 1, 15, 15}, level2{LevelKind::Story, 2, 15, 15};
    EXPECT_TRUE(ValidateLevelText(LevelTextOf(GoodStory()), level1).empty());
    // Level1 needs walkable cells 4 rows above each spawn (the corridor kept joined).
    auto blocked = LevelTextOf(Edited(GoodStory(), {{7, 5, '#'}, {7, 6, '.'}}));
    auto problems = ValidateLevelText(blocked, level1);
    EXPECT_TRUE(Mentions(problems, "4 rows above the spider spawn at column 7, row 9"))
        << Join(problems);
    EXPECT_FALSE(Mentions(ValidateLevelText(blocked, level2), "4 rows above"))
        << "only Level1 spawns its first spider above the spawn";
    const struct {
        Edit edit;
        const char* report;
    } cases[] = {{{13, 9, '.'}, "several spider spawns"},
                 {{2, 13, 'D'}, "only 1 steps"},
                 {{3, 13, 'x'}, "closer than 4 cells"}};
    for (const auto& c : cases) {
        problems = ValidateLevelText(LevelTextOf(Edited(GoodStory(), {c.edit})), level2);
        EXPECT_TRUE(Mentions(problems, c.report)) << c.report << ":\n" << Join(problems);
    }
}

TEST(LevelRulesMenu, TheControlWallCellMustBeFloorAndNoSpawns) {
    std::vector<std::string> rows(7, "#" + std::string(19, '.') + "#");
    rows.front() = rows.back() = std::string(21, '#');
    rows[1][10] = 'D';
    rows[3][2] = 'S';
    LevelRules menu{LevelKind::Menu, 0, 21, 7};
    EXPECT_TRUE(ValidateLevelText(LevelTextOf(rows), menu).empty());
    // world (100, 50)
    EXPECT_TRUE(
        Mentions(ValidateLevelText(LevelTextOf(Edited(rows, {{12, 2, '#'}})), menu), "(100, 50)"));
    auto problems = ValidateLevelText(LevelTextOf(Edited(rows, {{12, 2, 'x'}})), menu);
    EXPECT_TRUE(Mentions(problems, "no spider spawn")) << Join(problems);
}

TEST(LevelRulesPuzzle, RocksOnlyOnTheBorderRing) {
    std::vector<std::string> rows(16, "#" + std::string(19, '.') + "#");
    rows.front() = rows.back() = std::string(21, '#');
    LevelRules puzzle{LevelKind::Puzzle, 0, 21, 16};
    EXPECT_TRUE(ValidateLevelText(LevelTextOf(rows), puzzle).empty());
    EXPECT_TRUE(Mentions(ValidateLevelText(LevelTextOf(Edited(rows, {{10, 5, '#'}})), puzzle),
                         "inside the puzzle room"));
    EXPECT_TRUE(
        Mentions(ValidateLevelText(LevelTextOf(Edited(rows, {{3, 0, '~'}})), puzzle), "rock (1)"));
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
