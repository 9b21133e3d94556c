#include "app/settings_profile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "album/settings.h"
#include "platform/fs.h"
#include "platform/profile.h"

namespace mirulane {

SettingsProfile::SettingsProfile(std::string_view path)
    : profile_(
          std::make_unique<IniProfile>(path.empty() ? DefaultProfilePath() : std::string(path))) {}

SettingsProfile::~SettingsProfile() = default;

const std::string& SettingsProfile::path() const { return profile_->path(); }

void SettingsProfile::Load(Settings& settings) const { settings.Load(*profile_); }

int SettingsProfile::Save(Settings& settings) {
    settings.Save(*profile_);
    return Write(*profile_);
}

int SettingsProfile::SaveRecentAlbums(const Settings& settings) {
    mirulane::SaveRecentAlbums(*profile_, settings.recentAlbums);
    // A profile that is there but cannot be read is never replaced by one holding only the
    // list.
    std::string probe;
    int error = ReadSystemFile(profile_->path(), probe, 1);
    if (error != 0 && error != ENOENT) return error;
    IniProfile onDisk(profile_->path());
    mirulane::SaveRecentAlbums(onDisk, settings.recentAlbums);
    return Write(onDisk);
}

int SettingsProfile::Write(const IniProfile& profile) {
    std::error_code ignored;  // a folder that cannot be made fails the write, which is reported
    std::filesystem::create_directories(
        std::filesystem::absolute(profile.path(), ignored).parent_path(), ignored);
    return profile.Save();
}

}  // namespace mirulane
