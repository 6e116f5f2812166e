#include "UserFiles.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace {

constexpr const char* kGameFolder = "moth-lantern";
// Kept files are a few hundred bytes; anything far larger is not one of them.
constexpr std::uintmax_t kLargestKeptFile = 64 * 1024;

std::string Environment(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? value : "";
}

// The game's own folder in an XDG base folder of this process's environment.
std::string GameFolderIn(const char* variable, const char* underHome) {
    const std::string base = XdgBaseFolder(Environment(variable), Environment("HOME"), underHome);
    return base.empty() ? base : base + "/" + kGameFolder;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Writes everything to the open descriptor and flushes it to the disk.
bool WriteAll(int descriptor, const std::string& text) {
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return ::fsync(descriptor) == 0;
}

} // namespace

std::string XdgBaseFolder(const std::string& xdgValue, const std::string& home,
                          const char* underHome) {
    if (!xdgValue.empty() && xdgValue[0] == '/') {
        return xdgValue;
    }
    if (!home.empty() && home[0] == '/') {
        return home + "/" + underHome;
    }
    return {};
}

std::string UserConfigFolder() {
    return GameFolderIn("XDG_CONFIG_HOME", ".config");
}

std::string UserDataFolder() {
    return GameFolderIn("XDG_DATA_HOME", ".local/share");
}

// ---- Reading and writing -------------------------------------------------------------

FileRead ReadTextFile(const std::string& path, std::string* text, std::string* error) {
    std::error_code status;
    const auto type = std::filesystem::status(path, status).type();
    if (type == std::filesystem::file_type::not_found) {
        return FileRead::Missing;
    }
    // Opening a pipe or a device could wait forever or never end.
    if (type != std::filesystem::file_type::regular) {
        *error = status ? status.message() : "not a regular file";
        return FileRead::Failed;
    }
    if (std::filesystem::file_size(path, status) > kLargestKeptFile) {
        *error = "far too large";
        return FileRead::Failed;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *error = std::strerror(errno);
        return FileRead::Failed;
    }
    text->clear();
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text->append(buffer, count);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        *error = "read error";
        return FileRead::Failed;
    }
    return FileRead::Read;
}

bool WriteTextFileSafely(const std::string& path, const std::string& text) {
    const std::filesystem::path target(path);
    std::error_code error;
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), error);
    }
    std::string temporary = path + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        return false;
    }
    const bool written = WriteAll(descriptor, text);
    const bool closed = ::close(descriptor) == 0;
    if (written && closed && std::rename(temporary.c_str(), path.c_str()) == 0) {
        return true;
    }
    ::unlink(temporary.c_str());
    return false;
}

bool RemoveTextFile(const std::string& path) {
    return std::remove(path.c_str()) == 0 || errno == ENOENT;
}

// ---- The kept-file text ------------------------------------------------------------------

bool ParseKeptText(const std::string& text, int version, KeptValues* values, std::string* error) {
    values->clear();
    std::istringstream lines(text);
    std::string raw;
    bool versionSeen = false;
    bool ended = false;
    for (int number = 1; std::getline(lines, raw); ++number) {
        const std::string line = Trimmed(raw.substr(0, raw.find('#')));
        if (line.empty()) {
            continue;
        }
        const std::string where = "line " + std::to_string(number);
        if (ended) {
            *error = where + ": text after the end";
            return false;
        }
        if (line == "end" && versionSeen) {
            ended = true;
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::string name = Trimmed(line.substr(0, equals));
        if (equals == std::string::npos || name.empty()) {
            *error = where + ": not \"name = value\"";
            return false;
        }
        const std::string value = Trimmed(line.substr(equals + 1));
        if (!versionSeen) {
            int found = 0;
            if (name != "version" || !ParseInt(value, &found) || found != version) {
                *error = where + ": not version " + std::to_string(version);
                return false;
            }
            versionSeen = true;
            continue;
        }
        if (!values->emplace(name, value).second) {
            *error = where + ": " + name + " given twice";
            return false;
        }
    }
    if (!ended) {
        *error = versionSeen ? "cut short (no end line)" : "empty";
        return false;
    }
    return true;
}

std::string FormatKeptText(const std::string& comment, int version,
                           const std::vector<std::pair<std::string, std::string>>& values) {
    std::string text = "# " + comment + "\nversion = " + std::to_string(version) + "\n";
    for (const auto& [name, value] : values) {
        text += name + " = " + value + "\n";
    }
    return text + "end\n";
}

// ---- Values ----------------------------------------------------------------------------------

std::string FormatFloat(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool ParseFloat(const std::string& text, float* value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, *value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(*value);
}

bool ParseInt(const std::string& text, int* value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, *value);
    return result.ec == std::errc() && result.ptr == end;
}

bool ParseBool(const std::string& text, bool* value) {
    if (text != "true" && text != "false") {
        return false;
    }
    *value = text == "true";
    return true;
}

void ReportUnusableFile(const std::string& path, const std::string& reason,
                        const std::string& instead) {
    std::fprintf(stderr, "Moth Lantern: cannot use %s (%s); %s.\n", path.c_str(), reason.c_str(),
                 instead.c_str());
}
