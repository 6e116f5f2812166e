// Level validator: it must catch the faults that break a level (count, starts,
// border, unreachable cells, the per-file rules) and pass every shipped level.
// The shipped story levels are also checked for room to place their batteries
// the way PlaceRandomly does, so a level start can never stall.
#include "LevelValidator.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

// ASCII maps as in tools/assets/levels.py: # wall, . floor, S start, D trap door,
// x spider spawn, ~ void.
std::string ToText(const std::vector<std::string>& rows) {
    std::string text;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            char ch = rows[r][c];
            int code = ch == '#'   ? 1
                       : ch == 'S' ? 3
                       : ch == 'D' ? 2
                       : ch == 'x' ? 4
                       : ch == '~' ? 9
                                   : 0;
            text += std::to_string(code);
            bool last = r + 1 == rows.size() && c + 1 == rows[r].size();
            if (!last) {
                text += ",";
            }
        }
        text += "\n";
    }
    return text;
}

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

// ---- Parsing --------------------------------------------------------------------------

TEST(LevelParse, ReadsTheExportFormatRowsFromTheTop) {
    std::vector<std::string> problems;
    LevelGrid g = ParseLevelText("1,1,1,\n1,0,1\n", 3, 2, &problems);
    EXPECT_TRUE(problems.empty()) << Join(problems);
    EXPECT_EQ(g.At(0, 0), 1);
    EXPECT_EQ(g.At(1, 1), 0);
}

TEST(LevelParse, SkipsWhiteSpaceBeforeAValueLikeTheReader) {
    std::vector<std::string> problems;
    LevelGrid g = ParseLevelText("1,\n  7,3,9", 2, 2, &problems);
    EXPECT_TRUE(problems.empty()) << Join(problems);
    EXPECT_EQ(g.At(1, 0), 7);
    EXPECT_EQ(g.At(1, 1), 9);
}

TEST(LevelParse, ReportsWrongCountsAndMalformedFields) {
    std::vector<std::string> problems;
    ParseLevelText("1,1,1,1", 3, 2, &problems);
    EXPECT_TRUE(Mentions(problems, "expected 6 values")) << Join(problems);

    problems.clear();
    ParseLevelText("1,1,1,1,1,1,1", 3, 2, &problems);
    EXPECT_TRUE(Mentions(problems, "found 7")) << Join(problems);

    problems.clear();
    ParseLevelText("1,1,1,\n1,0,1,\n", 3, 2, &problems);
    EXPECT_TRUE(Mentions(problems, "ends with a comma")) << Join(problems);

    problems.clear();
    LevelGrid g = ParseLevelText("1,,1,1,x,1", 3, 2, &problems);
    EXPECT_TRUE(Mentions(problems, "value 2 holds no number")) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "value 5 holds no number")) << Join(problems);
    EXPECT_EQ(g.At(1, 0), 0) << "the reader takes a field without digits as 0";

    problems.clear();
    ParseLevelText("1,1a,1,1,1,1", 3, 2, &problems);
    EXPECT_TRUE(Mentions(problems, "text after its number")) << Join(problems);

    problems.clear();
    ParseLevelText("", 3, 2, &problems);
    EXPECT_TRUE(Mentions(problems, "no values")) << Join(problems);
}

TEST(LevelParse, AFieldOver511CharactersStopsTheRead) {
    std::vector<std::string> problems;
    std::string text = "1,2," + std::string(600, ' ') + "3,4";
    LevelGrid g = ParseLevelText(text, 2, 2, &problems);
    EXPECT_TRUE(Mentions(problems, "longer than 511")) << Join(problems);
    EXPECT_EQ(g.At(0, 1), 0) << "cells after the long field keep 0";
}

// ---- Common rules ---------------------------------------------------------------------

TEST(LevelRulesCommon, AValidRoomHasNoProblems) {
    auto problems = ValidateLevelText(ToText(GoodRoom()), Custom(7, 5));
    EXPECT_TRUE(problems.empty()) << Join(problems);
}

TEST(LevelRulesCommon, CatchesABrokenBorder) {
    auto rows = GoodRoom();
    rows[2][6] = '.';
    auto problems = ValidateLevelText(ToText(rows), Custom(7, 5));
    EXPECT_TRUE(Mentions(problems, "border is not solid")) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "column 6, row 2")) << Join(problems);
    rows[2][6] = '~';
    EXPECT_TRUE(ValidateLevelText(ToText(rows), Custom(7, 5)).empty()) << "void is solid too";
}

TEST(LevelRulesCommon, CatchesTwoStartsAndNone) {
    auto rows = GoodRoom();
    rows[3][1] = 'S';
    EXPECT_TRUE(Mentions(ValidateLevelText(ToText(rows), Custom(7, 5)), "found 2"));
    rows[3][1] = '.';
    rows[1][1] = '.';
    EXPECT_TRUE(Mentions(ValidateLevelText(ToText(rows), Custom(7, 5)), "found 0"));
}

TEST(LevelRulesCommon, CatchesAnUnreachablePocketAndDoor) {
    auto rows = GoodRoom();
    rows[1][5] = '#'; // walls the door's corner off from the start
    auto problems = ValidateLevelText(ToText(rows), Custom(7, 5));
    EXPECT_TRUE(Mentions(problems, "cannot be reached")) << Join(problems);
    EXPECT_TRUE(Mentions(problems, "no trap door can be reached")) << Join(problems);
}

TEST(LevelRulesCommon, CatchesAMissingTrapDoorAndUnknownCodes) {
    auto rows = GoodRoom();
    rows[3][5] = '.';
    EXPECT_TRUE(Mentions(ValidateLevelText(ToText(rows), Custom(7, 5)), "no trap door"));
    std::string text = ToText(GoodRoom());
    text.replace(text.find("0,0,0,0"), 1, "5");
    EXPECT_TRUE(Mentions(ValidateLevelText(text, Custom(7, 5)), "unknown tile code 5"));
}

TEST(LevelRulesCommon, CatchesAGridOfTheWrongSize) {
    LevelGrid g = ParseLevelText(ToText(GoodRoom()), 7, 5, nullptr);
    auto problems = ValidateLevelGrid(g, Custom(30, 30));
    EXPECT_TRUE(Mentions(problems, "read at 30 x 30")) << Join(problems);
}

// ---- Per-kind rules -------------------------------------------------------------------

TEST(LevelRulesStory, AGoodLevel1Passes) {
    auto problems = ValidateLevelText(ToText(GoodStory()), {LevelKind::Story, 1, 15, 15});
    EXPECT_TRUE(problems.empty()) << Join(problems);
}

TEST(LevelRulesStory, Level1NeedsWalkableCellsFourRowsAboveEachSpawn) {
    auto rows = GoodStory();
    rows[5][7] = '#'; // 4 rows above the spawn at column 7, row 9
    rows[6][7] = '.'; // keep the corridor joined
    auto problems = ValidateLevelText(ToText(rows), {LevelKind::Story, 1, 15, 15});
    EXPECT_TRUE(Mentions(problems, "4 rows above the spider spawn at column 7, row 9"))
        << Join(problems);
    EXPECT_FALSE(
        Mentions(ValidateLevelText(ToText(rows), {LevelKind::Story, 2, 15, 15}), "4 rows above"))
        << "only Level1 spawns its first spider above the spawn";
}

TEST(LevelRulesStory, NeedsSeveralSpawnsAFarDoorAndSpawnsAwayFromTheStart) {
    auto rows = GoodStory();
    rows[9][13] = '.';
    EXPECT_TRUE(Mentions(ValidateLevelText(ToText(rows), {LevelKind::Story, 2, 15, 15}),
                         "several spider spawns"));
    rows = GoodStory();
    rows[13][2] = 'D';
    EXPECT_TRUE(
        Mentions(ValidateLevelText(ToText(rows), {LevelKind::Story, 2, 15, 15}), "only 1 steps"));
    rows = GoodStory();
    rows[13][3] = 'x';
    EXPECT_TRUE(Mentions(ValidateLevelText(ToText(rows), {LevelKind::Story, 2, 15, 15}),
                         "closer than 4 cells"));
}

TEST(LevelRulesMenu, TheControlWallCellMustBeFloorAndNoSpawns) {
    std::vector<std::string> rows = {"#####################", "#.........D.........#",
                                     "#...................#", "#.S.................#",
                                     "#...................#", "#...................#",
                                     "#####################"};
    LevelRules menu{LevelKind::Menu, 0, 21, 7};
    EXPECT_TRUE(ValidateLevelText(ToText(rows), menu).empty());
    rows[2][12] = '#'; // world (100, 50)
    EXPECT_TRUE(Mentions(ValidateLevelText(ToText(rows), menu), "(100, 50)"));
    rows[2][12] = 'x';
    auto problems = ValidateLevelText(ToText(rows), menu);
    EXPECT_TRUE(Mentions(problems, "no spider spawn")) << Join(problems);
}

TEST(LevelRulesPuzzle, RocksOnlyOnTheBorderRing) {
    std::vector<std::string> rows(16, "#" + std::string(19, '.') + "#");
    rows.front() = rows.back() = std::string(21, '#');
    LevelRules puzzle{LevelKind::Puzzle, 0, 21, 16};
    EXPECT_TRUE(ValidateLevelText(ToText(rows), puzzle).empty());
    rows[5][10] = '#';
    EXPECT_TRUE(Mentions(ValidateLevelText(ToText(rows), puzzle), "inside the puzzle room"));
    rows[5][10] = '.';
    rows[0][3] = '~';
    EXPECT_TRUE(Mentions(ValidateLevelText(ToText(rows), puzzle), "rock (1)"));
}

TEST(LevelRulesFiles, KnowsEveryShippedFile) {
    LevelRules r;
    ASSERT_TRUE(LevelRulesForFile("levels_edited3.text", &r));
    EXPECT_EQ(r.kind, LevelKind::Story);
    EXPECT_EQ(r.storyLevel, 3);
    EXPECT_EQ(r.width, 23);
    ASSERT_TRUE(LevelRulesForFile("menu.text", &r));
    EXPECT_EQ(r.height, 7);
    ASSERT_TRUE(LevelRulesForFile("puzzle_map.text", &r));
    EXPECT_EQ(r.height, 16);
    ASSERT_TRUE(LevelRulesForFile("EditorTemplate.text", &r));
    EXPECT_EQ(r.width, 30);
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
                if (g.At(c, r) == kLevelStart) {
                    sc = c, sr = r;
                } else if (g.At(c, r) == kLevelTrapDoor) {
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
