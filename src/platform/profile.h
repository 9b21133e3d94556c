#pragma once
// A Windows-style .ini file with the semantics of private profiles: sections and keys are
// matched without regard to letter case, a missing file or key gives the default, integers
// read as leading blanks, one sign and digits (0 without digits).

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mirulane {

class IniProfile {
  public:
    // Loads the file (a missing or unreadable file is an empty profile). The path is a
    // UTF-8 system path: the profile lives outside the album's CP932 world.
    explicit IniProfile(std::string path);

    // Parses profile text (used by Load and by the fuzz target).
    void Parse(std::string_view text);

    int GetInt(std::string_view section, std::string_view key, int def) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view def) const;

    void SetInt(std::string_view section, std::string_view key, int value);
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    // Lays over this profile every key whose value in `mine` differs from the one in `base`
    // (or that `base` lacks), and every key of `mine` this profile lacks: what one run changed
    // since it read `base`, taken into the file as another run may have left it meanwhile,
    // which then holds every key.
    void TakeChanges(const IniProfile& base, const IniProfile& mine);

    // Writes the whole profile back (temporary file and rename); 0 or errno.
    int Save() const;
    std::string Serialize() const;

    const std::string& path() const { return path_; }

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    // Names are looked up by their lower-case form (letter case never tells two apart), so
    // reading, looking up and setting take one step each however many keys the file holds.
    using NameIndex = std::unordered_map<std::string, size_t>;
    struct Section {
        std::string name;
        std::vector<Entry> entries;  // in file order, each key once (its first occurrence)
        NameIndex keys;              // lower-case key -> position in entries
    };
    Section* FindSection(std::string_view name);
    const Entry* FindEntry(std::string_view section, std::string_view key) const;
    // Appends a section (the name not yet present) and returns it.
    Section& AddSection(std::string_view name);
    // The entry of the key, appended with an empty value when the section has none.
    Entry& EntryFor(Section& section, std::string_view key, bool& added);

    std::string path_;
    std::vector<Section> sections_;  // in file order, each name once
    NameIndex sectionIndex_;         // lower-case name -> position in sections_
};

}  // namespace mirulane
