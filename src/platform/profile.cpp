// The profile reader keeps each INI file parsed in memory, keyed by its path, size and
// modification time, so the game's many reads at start-up parse every file once. The answers are
// those of the Windows function, rule for rule.
#include "platform/profile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/game_path.h"

namespace {

struct Entry {
    std::string key;
    bool hasValue = false;  // a line without '=' names a key whose lookups give the default
    std::string value;
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
    // Each key name folded to lower case, with the index of its first line: lookups take the
    // same time however long the section is.
    std::unordered_map<std::string, size_t> firstEntry;
};

struct ParsedFile {
    off_t size = -1;
    timespec modified{};
    std::vector<Section> sections;
    std::unordered_map<std::string, size_t> firstSection;  // folded name -> index
};

bool IsFileSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string TrimFileSpace(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsFileSpace(text[begin])) ++begin;
    while (end > begin && IsFileSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string TrimBlanks(const char* text) {
    std::string s = text;
    size_t begin = s.find_first_not_of(' ');
    if (begin == std::string::npos) return "";
    size_t end = s.find_last_not_of(' ');
    return s.substr(begin, end - begin + 1);
}

std::string CutAtNul(const std::string& text) {
    return text.substr(0, std::min(text.size(), text.find('\0')));
}

// Names match ignoring the case of ASCII letters only.
std::string Folded(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    return name;
}

void ParseLine(const std::string& rawLine, std::vector<Section>& sections) {
    std::string line = TrimFileSpace(rawLine);
    if (line.empty() || line[0] == ';') return;
    if (line[0] == '[') {
        size_t close = line.find(']');
        std::string name =
            line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        sections.push_back({TrimFileSpace(CutAtNul(name)), {}, {}});
        return;
    }
    if (sections.empty()) return;  // lines before the first header are unreachable
    Entry entry;
    size_t equals = line.find('=');
    if (equals == std::string::npos) {
        entry.key = TrimFileSpace(CutAtNul(line));
    } else {
        entry.key = TrimFileSpace(CutAtNul(line.substr(0, equals)));
        entry.hasValue = true;
        entry.value = CutAtNul(TrimFileSpace(line.substr(equals + 1)));
    }
    sections.back().entries.push_back(std::move(entry));
}

// Only the first section of a name is searched, and the first line of a key wins.
void Index(ParsedFile& file) {
    file.firstSection.clear();
    for (size_t s = 0; s < file.sections.size(); ++s) {
        Section& section = file.sections[s];
        if (!file.firstSection.emplace(Folded(section.name), s).second) continue;
        for (size_t e = 0; e < section.entries.size(); ++e)
            section.firstEntry.emplace(Folded(section.entries[e].key), e);
    }
}

std::vector<Section> Parse(const std::string& bytes) {
    std::vector<Section> sections;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        ParseLine(bytes.substr(start, end - start), sections);
        start = bytes.find_first_not_of("\r\n", end);
        if (start == std::string::npos) break;
    }
    return sections;
}

// The parsed file at `hostPath`, or null when it is missing or unreadable.
const ParsedFile* Load(const std::string& hostPath) {
    static std::unordered_map<std::string, ParsedFile> cache;
    struct stat info {};
    if (stat(hostPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
    ParsedFile& cached = cache[hostPath];
    if (cached.size == info.st_size && cached.modified.tv_sec == info.st_mtim.tv_sec &&
        cached.modified.tv_nsec == info.st_mtim.tv_nsec)
        return &cached;

    FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (file == nullptr) {
        cache.erase(hostPath);
        return nullptr;
    }
    std::string bytes;
    char chunk[8192];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    std::fclose(file);
    cached.sections = Parse(bytes);
    Index(cached);
    cached.size = info.st_size;
    cached.modified = info.st_mtim;
    return &cached;
}

// The value of a key, or null where the default applies.
const std::string* Find(const ParsedFile& file, const std::string& section,
                        const std::string& key) {
    if (!key.empty() && key[0] == ';') return nullptr;
    auto s = file.firstSection.find(Folded(section));
    if (s == file.firstSection.end()) return nullptr;
    const Section& found = file.sections[s->second];
    auto e = found.firstEntry.find(Folded(key));
    if (e == found.firstEntry.end()) return nullptr;
    const Entry& entry = found.entries[e->second];
    return entry.hasValue ? &entry.value : nullptr;
}

DWORD Copy(const std::string& text, LPSTR out, DWORD size) {
    DWORD count = static_cast<DWORD>(std::min<size_t>(text.size(), size - 1));
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return count;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                               LPSTR returnedString, DWORD size, LPCSTR fileName) {
    if (returnedString == nullptr || size == 0) return 0;

    const std::string* value = nullptr;
    if (section != nullptr && key != nullptr && fileName != nullptr) {
        if (const ParsedFile* file = Load(GamePath(fileName)))
            value = Find(*file, TrimBlanks(section), TrimBlanks(key));
    }
    if (value == nullptr) {
        std::string fallback = defaultValue ? defaultValue : "";
        fallback.erase(fallback.find_last_not_of(' ') + 1);
        return Copy(fallback, returnedString, size);
    }

    const std::string& text = *value;
    bool quoted = text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0];
    if (!quoted) return Copy(text, returnedString, size);
    // A quoted value that does not fit loses one more byte when only the closing quote is cut.
    size_t inner = text.size() - 2;
    size_t count = std::min<size_t>(inner, size - 1);
    if (inner > 0 && size == inner + 1) count = inner - 1;
    std::memcpy(returnedString, text.data() + 1, count);
    returnedString[count] = '\0';
    return static_cast<DWORD>(count);
}

std::vector<ProfileSection> ProfileOutline(LPCSTR fileName) {
    std::vector<ProfileSection> outline;
    const ParsedFile* file = Load(GamePath(fileName));
    if (file == nullptr) return outline;
    for (const Section& section : file->sections) {
        ProfileSection& s = outline.emplace_back();
        s.name = section.name;
        for (const Entry& entry : section.entries) s.keys.push_back(entry.key);
    }
    return outline;
}
