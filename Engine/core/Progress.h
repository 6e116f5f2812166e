// Moth Lantern: the progress of an unfinished game, kept between runs.
//
// After each solved puzzle the game records how many memories the player has
// collected; the menu room then offers to continue at the next story level
// with them, or to start a new game. Finishing the game (the fifth memory)
// and starting a new one clear the record.
//
// The file is $XDG_DATA_HOME/moth-lantern/progress.txt, the kept-file text
// of UserFiles.h, version 1, with one value: memories, 1 to 4. No file means
// nothing to continue.
#pragma once
#include <string>

constexpr int kProgressVersion = 1;

// The progress file's text for this many memories (1 to 4).
std::string FormatProgress(int memories);
// The memories of a progress file's text; false (with the reason) for a
// damaged file or a count outside 1 to 4.
bool ParseProgress(const std::string& text, int* memories, std::string* error);

// Keeps progress in this file from now on ("" keeps it nowhere) and reads it:
// nothing to continue when it is missing, and when it is damaged or
// unreadable nothing to continue and one line on stderr.
void UseProgressFile(const std::string& path);
// The memories a continued game starts with (1 to 4); 0 when there is
// nothing to continue.
int SavedMemories();
// Records the memories collected: 1 to 4 are kept; 0 (a new game) and 5 (the
// game finished) clear the record. A folder that cannot be written only
// means nothing is kept.
void RecordMemories(int memories);
