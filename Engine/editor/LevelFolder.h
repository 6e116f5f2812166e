// Moth Lantern: the exported-levels folder as the Levels dialog shows it.
//
// The dialog lists the folder's level files in the order a person counts
// (Exported_2 before Exported_10) and deletes a level by moving its file into
// a "Deleted" folder beside the exported-levels folder, so a level deleted by
// mistake can still be fetched back by hand.
#pragma once
#include <string>
#include <vector>

// Natural order: runs of digits compare by their value, letters without
// regard to case; names equal that way fall back to their bytes, so the order
// is total.
bool NaturalLess(const std::string& a, const std::string& b);

// The ordinary files of the folder in natural order; hidden files (an export
// still being written) are left out. A missing or unreadable folder lists
// nothing.
std::vector<std::string> ListLevelFiles(const std::string& folder);

// The "Deleted" folder beside the exported-levels folder (a trailing '/' of
// the folder's name makes no difference).
std::string DeletedFolderBeside(const std::string& folder);

struct LevelMoveResult {
    bool moved = false;
    std::string path;  // where the file now lies
    std::string error; // why it did not move
};

// Moves folder/name into the Deleted folder, creating it when missing. A
// name already taken there gets " (2)", " (3)" and so on before its
// extension: nothing is ever overwritten. Only a plain file name of the
// folder is moved.
LevelMoveResult MoveLevelToDeleted(const std::string& folder, const std::string& name);
