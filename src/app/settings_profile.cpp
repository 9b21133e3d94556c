#include "app/settings_profile.h"

#include <filesystem>
#include <system_error>

#include "album/settings.h"
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
    std::error_code ignored;  // a folder that cannot be made fails the write, which is reported
    std::filesystem::create_directories(
        std::filesystem::absolute(profile_->path(), ignored).parent_path(), ignored);
    return profile_->Save();
}

}  // namespace mirulane
