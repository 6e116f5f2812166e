// Moth Lantern: the player's own files (settings and progress): where they
// live, the plain text they hold, and how they are read and written so that
// no crash or full disk ever leaves half a file.
//
// Both files are lines of "name = value" after a "version = N" line and
// before a closing "end" line; '#' starts a comment. A file that breaks any
// of these rules, or lacks its end line (a cut-off write), is damaged: the
// game then starts from the defaults and says so in one line on stderr.
#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

// The XDG rule for a base folder: the variable's value when it is an absolute
// path, else `home` (absolute) followed by `underHome`; "" when neither serves.
std::string XdgBaseFolder(const std::string& xdgValue, const std::string& home,
                          const char* underHome);
// $XDG_CONFIG_HOME/moth-lantern, else $HOME/.config/moth-lantern; "" when
// neither variable gives an absolute folder.
std::string UserConfigFolder();
// $XDG_DATA_HOME/moth-lantern, else $HOME/.local/share/moth-lantern; "" likewise.
std::string UserDataFolder();

// ---- Reading and writing -------------------------------------------------------------
enum class FileRead { Read, Missing, Failed };
// Reads the whole file; on Failed, `error` says why.
FileRead ReadTextFile(const std::string& path, std::string* text, std::string* error);
// Writes the text to a new file beside `path` and renames it over `path`
// (making the folder when it is missing). False, leaving any old file as it
// was, when the folder cannot be made or written.
bool WriteTextFileSafely(const std::string& path, const std::string& text);
// Removes the file; a missing file counts as removed.
bool RemoveTextFile(const std::string& path);

// ---- The kept-file text ------------------------------------------------------------------
using KeptValues = std::map<std::string, std::string>;
// The values of a kept file of this version. False, with the reason in
// `error`, when the file is damaged: no "version = N" first, another
// version, a line that is not "name = value", a name given twice, or no
// "end" after the last value.
bool ParseKeptText(const std::string& text, int version, KeptValues* values, std::string* error);
// The text of a kept file: a comment line, the version, the values in the
// order given, "end".
std::string FormatKeptText(const std::string& comment, int version,
                           const std::vector<std::pair<std::string, std::string>>& values);

// ---- Values ----------------------------------------------------------------------------------
// Shortest text that reads back as the same float.
std::string FormatFloat(float value);
// A whole finite number, nothing else; false otherwise.
bool ParseFloat(const std::string& text, float* value);
bool ParseInt(const std::string& text, int* value);
// "true" or "false".
bool ParseBool(const std::string& text, bool* value);

// One line on stderr: the file cannot be used, and what the game does instead.
void ReportUnusableFile(const std::string& path, const std::string& reason,
                        const std::string& instead);
