#include "platform/profile.h"

#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {
namespace {

std::string_view Trim(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    size_t e = s.size();
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

// A value enclosed in matching quotes is read without them.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniProfile::IniProfile(std::string path) : path_(std::move(path)) {
    std::string text;
    if (!path_.empty() && ReadSystemFile(path_, text) == 0) Parse(text);
}

IniProfile::Section* IniProfile::FindSection(std::string_view name) {
    auto it = sectionIndex_.find(AsciiLower(name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

IniProfile::Section& IniProfile::AddSection(std::string_view name) {
    sectionIndex_.emplace(AsciiLower(name), sections_.size());
    sections_.push_back({std::string(name), {}, {}});
    return sections_.back();
}

IniProfile::Entry& IniProfile::EntryFor(Section& section, std::string_view key, bool& added) {
    auto [it, inserted] = section.keys.emplace(AsciiLower(key), section.entries.size());
    added = inserted;
    if (inserted) section.entries.push_back({std::string(key), {}});
    return section.entries[it->second];
}

void IniProfile::Parse(std::string_view text) {
    sections_.clear();
    sectionIndex_.clear();
    // Section and key names are ASCII and matched without regard to letter case: a section
    // named again goes on where it stood, and the first occurrence of a key is the one a
    // profile reader finds (later ones are dropped).
    Section* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        std::string_view line = Trim(text.substr(pos, eol - pos));
        pos = eol + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string_view name = Trim(line.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            current = FindSection(name);
            if (!current) current = &AddSection(name);
            continue;
        }
        size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos) continue;
        std::string_view key = Trim(line.substr(0, eq));
        std::string_view value = Unquoted(Trim(line.substr(eq + 1)));
        bool added = false;
        Entry& entry = EntryFor(*current, key, added);
        if (added) entry.value = std::string(value);
    }
}

const IniProfile::Entry* IniProfile::FindEntry(std::string_view section,
                                               std::string_view key) const {
    auto s = sectionIndex_.find(AsciiLower(section));
    if (s == sectionIndex_.end()) return nullptr;
    const Section& found = sections_[s->second];
    auto e = found.keys.find(AsciiLower(key));
    return e == found.keys.end() ? nullptr : &found.entries[e->second];
}

int IniProfile::GetInt(std::string_view section, std::string_view key, int def) const {
    const Entry* e = FindEntry(section, key);
    return e ? ParseLeadingInt(e->value) : def;
}

std::string IniProfile::GetString(std::string_view section, std::string_view key,
                                  std::string_view def) const {
    const Entry* e = FindEntry(section, key);
    return e ? e->value : std::string(def);
}

void IniProfile::SetInt(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

void IniProfile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    // A line break in a value would split the line; keep the value on one line.
    std::string clean(value);
    for (char& c : clean) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    Section* s = FindSection(section);
    if (!s) s = &AddSection(section);
    bool added = false;
    EntryFor(*s, key, added).value = std::move(clean);
}

void IniProfile::TakeChanges(const IniProfile& base, const IniProfile& mine) {
    for (const Section& s : mine.sections_) {
        for (const Entry& e : s.entries) {
            // Compared as a reader sees them: a value written in quotes reads without them.
            const Entry* before = base.FindEntry(s.name, e.key);
            if (!before || Unquoted(before->value) != Unquoted(e.value) ||
                !FindEntry(s.name, e.key)) {
                SetString(s.name, e.key, e.value);
            }
        }
    }
}

std::string IniProfile::Serialize() const {
    std::string out;
    for (const auto& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const auto& e : s.entries) out += e.key + "=" + e.value + "\r\n";
    }
    return out;
}

int IniProfile::Save() const { return WriteSystemFileReplacing(path_, Serialize()); }

}  // namespace mirulane
