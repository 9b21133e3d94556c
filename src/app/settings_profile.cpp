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

void SettingsProfile::Load(Settings& settings) {
    settings.Load(*profile_);
    loaded_ = std::make_unique<IniProfile>(*profile_);
    Settings asRead = settings;
    asRead.Save(*loaded_);
}

int SettingsProfile::Save(Settings& settings) {
    IniProfile mine = *profile_;
    settings.Save(mine);
    // Another run may have written the profile since this one read it (a second window, the
    // recent albums): only what this run changed is laid over the file as it is now, so that
    // neither run's choices are lost. A file gone or unreadable gets this run's whole profile.
    std::string probe;
    if (ReadSystemFile(profile_->path(), probe, 1) != 0) {
        *profile_ = mine;
    } else {
        IniProfile onDisk(profile_->path());
        onDisk.TakeChanges(loaded_ ? *loaded_ : *profile_, mine);
        *profile_ = std::move(onDisk);
    }
    // What this run has now written is what a later save compares with.
    loaded_ = std::make_unique<IniProfile>(std::move(mine));
    return Write(*profile_);
}

int SettingsProfile::SaveRecentAlbums(const Settings& settings) {
    mirulane::SaveRecentAlbums(*profile_, settings.recentAlbums);
    // Written now, so no change at the end of the run.
    if (loaded_) mirulane::SaveRecentAlbums(*loaded_, settings.recentAlbums);
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
