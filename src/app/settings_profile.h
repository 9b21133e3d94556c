#pragma once
// The profile the settings live in, for both front ends: the desktop app reads it at start-up
// and writes it at the end of its run (the recent albums also as soon as they change); the
// command line only reads it.

#include <memory>
#include <string>
#include <string_view>

namespace mirulane {

struct Settings;
class IniProfile;

class SettingsProfile {
  public:
    // The profile at path, or at the default place when path is empty; read at once (a
    // missing or unreadable profile holds nothing, so the settings keep their defaults).
    explicit SettingsProfile(std::string_view path);
    ~SettingsProfile();
    SettingsProfile(const SettingsProfile&) = delete;
    SettingsProfile& operator=(const SettingsProfile&) = delete;

    // The profile's path (a path of the file system).
    const std::string& path() const;

    // Reads the settings, and remembers them as read: Save writes only what changes since.
    void Load(Settings& settings);
    // Writes the settings to the profile, making its folder first (the first run has none
    // yet): the keys whose values changed since the profile was read, over the file as it is
    // now. 0, or the errno of the failed write.
    int Save(Settings& settings);
    // Writes the recent albums at once, so that a run that never reaches its end still leaves
    // them: only their section changes, and every other key stays as the file on disk has it
    // now. 0, or the errno of the failed read or write.
    int SaveRecentAlbums(const Settings& settings);

  private:
    // Makes the profile's folder (the first run has none yet) and writes profile there.
    int Write(const IniProfile& profile);

    std::unique_ptr<IniProfile> profile_;
    // The settings as Load read them (missing keys at their defaults), as Save would write
    // them: a key whose value still matches was not changed by this run.
    std::unique_ptr<IniProfile> loaded_;
};

}  // namespace mirulane
