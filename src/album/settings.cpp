#include "album/settings.h"

#include <cstdlib>
#include <type_traits>
#include <variant>

#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/profile.h"

namespace mirulane {
namespace {

constexpr const char* kSection = "Environment";

// A profile key and the setting it holds. The profile holds integers: a named value as its
// number, a switch as 1 or 0. A switch read as another number is on when it is not 0 for the
// switches that always took it so (anyNumberIsOn), else off.
using Field = std::variant<int Settings::*, bool Settings::*, PreviewMode Settings::*,
                           DisplaySize Settings::*>;
struct Key {
    const char* key;
    Field field;
    bool anyNumberIsOn = false;
};

int ToProfileInt(int value) { return value; }
int ToProfileInt(bool on) { return on ? 1 : 0; }
int ToProfileInt(PreviewMode mode) { return static_cast<int>(mode); }
int ToProfileInt(DisplaySize size) { return static_cast<int>(size); }

int Stored(const Settings& s, const Key& k) {
    return std::visit([&s](auto field) { return ToProfileInt(s.*field); }, k.field);
}

void Take(Settings& s, const Key& k, int value) {
    std::visit(
        [&](auto field) {
            using T = std::remove_reference_t<decltype(s.*field)>;
            if constexpr (std::is_same_v<T, bool>) {
                s.*field = k.anyNumberIsOn ? value != 0 : value == 1;
            } else {
                s.*field = static_cast<T>(value);
            }
        },
        k.field);
}

// The keys before EnvFilterCheck, in save order (the load order differs only in where
// EnvLstGrid stands, which reading does not depend on).
const Key kBeforeFilter[] = {
    {"ShowHelp", &Settings::ShowHelp},         {"PvFirst", &Settings::PvFirst},
    {"EnvPathIdx", &Settings::EnvPathIdx},     {"EnvPathLst", &Settings::EnvPathLst},
    {"EnvPathThm", &Settings::EnvPathThm},     {"EnvPreView", &Settings::EnvPreView},
    {"EnvDispImage", &Settings::EnvDispImage}, {"EnvDispSize", &Settings::EnvDispSize},
    {"EnvDispMaxW", &Settings::EnvDispMaxW},   {"EnvDispMaxH", &Settings::EnvDispMaxH},
    {"EnvWithExif", &Settings::EnvWithExif},   {"EnvSortUpLow", &Settings::EnvSortUpLow},
    {"EnvLstGrid", &Settings::EnvLstGrid},     {"EnvUseFilter", &Settings::EnvUseFilter, true},
};

const Key kAfterFilter[] = {
    {"EnvGetExif", &Settings::EnvGetExif},
    {"EnvExifFlash", &Settings::EnvExifFlash},
    {"EnvExifDtorg", &Settings::EnvExifDtorg},
    {"EnvExifAprtv", &Settings::EnvExifAprtv},
    {"EnvExifShtsp", &Settings::EnvExifShtsp},
    {"EnvExifFolen", &Settings::EnvExifFolen},
    {"EnvExifEbias", &Settings::EnvExifEbias},
    {"EnvExifIsosr", &Settings::EnvExifIsosr},
    {"EnvExifDtfil", &Settings::EnvExifDtfil},
    {"EnvChangePath", &Settings::EnvChangePath, true},
    {"EnvForceOverWrite", &Settings::EnvForceOverWrite, true},
    {"EnvMakeThumb", &Settings::EnvMakeThumb, true},
    {"EnvDebugMode", &Settings::EnvDebugMode, true},
    {"EnvThumbView", &Settings::EnvThumbView, true},
};

enum Effect { kNone, kList, kPreview };
template <class T>
struct EnvOption {
    T Settings::*field;
    Effect effect;
};

struct FontIntKey {
    const char* key;
    int FontRecord::*field;
};

constexpr FontIntKey kFontInts[] = {
    {"FontHeight", &FontRecord::height},         {"FontWidth", &FontRecord::width},
    {"FontEscapement", &FontRecord::escapement}, {"FontOrientation", &FontRecord::orientation},
    {"FontWeight", &FontRecord::weight},
};

struct FontByteKey {
    const char* key;
    unsigned char FontRecord::*field;
};

constexpr FontByteKey kFontBytes[] = {
    {"FontItalic", &FontRecord::italic},
    {"FontUnderline", &FontRecord::underline},
    {"FontStrikeOut", &FontRecord::strikeOut},
    {"FontCharSet", &FontRecord::charSet},
    {"FontOutPrecision", &FontRecord::outPrecision},
    {"FontClipPrecision", &FontRecord::clipPrecision},
    {"FontQuality", &FontRecord::quality},
    {"FontPitchAndFamily", &FontRecord::pitchAndFamily},
};

}  // namespace

void Settings::Load(const IniProfile& profile) {
    for (const Key& k : kBeforeFilter)
        Take(*this, k, profile.GetInt(kSection, k.key, Stored(*this, k)));
    EnvFilterCheck = profile.GetString(kSection, "EnvFilterCheck", EnvFilterCheck);
    for (const Key& k : kAfterFilter)
        Take(*this, k, profile.GetInt(kSection, k.key, Stored(*this, k)));
    for (const auto& k : kFontInts) {
        listFont.*k.field = profile.GetInt(kSection, k.key, listFont.*k.field);
    }
    for (const auto& k : kFontBytes) {
        // The record's byte-wide fields keep the low 8 bits of the value read.
        listFont.*k.field =
            static_cast<unsigned char>(profile.GetInt(kSection, k.key, listFont.*k.field));
    }
    listFont.faceName = std::string(CutAtCharBoundary(
        profile.GetString(kSection, "FontFaceName", listFont.faceName), FontRecord::kFaceNameMax));

    // Rows beyond the string keep their built-in flags; characters beyond the rows are ignored.
    for (size_t i = 0; i < filter.size() && i < EnvFilterCheck.size(); ++i) {
        filter[i].on = EnvFilterCheck[i] != '0';
    }
    recentAlbums = LoadRecentAlbums(profile);
    window = LoadWindowPlacement(profile);
}

void Settings::Save(IniProfile& profile) {
    EnvFilterCheck.clear();
    for (const auto& row : filter) EnvFilterCheck += row.on ? '1' : '0';
    for (const Key& k : kBeforeFilter) profile.SetInt(kSection, k.key, Stored(*this, k));
    profile.SetString(kSection, "EnvFilterCheck", EnvFilterCheck);
    for (const Key& k : kAfterFilter) profile.SetInt(kSection, k.key, Stored(*this, k));
    for (const auto& k : kFontInts) profile.SetInt(kSection, k.key, listFont.*k.field);
    for (const auto& k : kFontBytes) profile.SetInt(kSection, k.key, listFont.*k.field);
    profile.SetString(kSection, "FontFaceName", listFont.faceName);
    SaveRecentAlbums(profile, recentAlbums);
    SaveWindowPlacement(profile, window);
}

bool Settings::PassesFilter(std::string_view lowerExtension) const {
    if (!EnvUseFilter) return true;
    for (const auto& row : filter) {
        if (row.on && lowerExtension == row.extension) return true;
    }
    return false;
}

EnvironmentChanges ApplyEnvironmentOptions(Settings& settings, const Settings& edited) {
    // The options the dialog edits, each with what of the window it bears on.
    static constexpr EnvOption<int> kNumbers[] = {
        {&Settings::EnvPathIdx, kNone},     {&Settings::EnvPathLst, kNone},
        {&Settings::EnvPathThm, kNone},     {&Settings::EnvDispImage, kPreview},
        {&Settings::EnvDispMaxW, kPreview}, {&Settings::EnvDispMaxH, kPreview},
        {&Settings::EnvExifFlash, kNone},   {&Settings::EnvExifDtorg, kNone},
        {&Settings::EnvExifAprtv, kNone},   {&Settings::EnvExifShtsp, kNone},
        {&Settings::EnvExifFolen, kNone},   {&Settings::EnvExifEbias, kNone},
        {&Settings::EnvExifIsosr, kNone},
    };
    static constexpr EnvOption<bool> kSwitches[] = {
        {&Settings::EnvSortUpLow, kNone},  {&Settings::EnvLstGrid, kList},
        {&Settings::EnvUseFilter, kNone},  {&Settings::EnvWithExif, kPreview},
        {&Settings::EnvGetExif, kNone},    {&Settings::EnvExifDtfil, kNone},
        {&Settings::EnvChangePath, kNone}, {&Settings::EnvForceOverWrite, kNone},
        {&Settings::EnvMakeThumb, kNone},
    };
    EnvironmentChanges changes;
    auto take = [&changes](auto& to, const auto& from, Effect effect) {
        if (to == from) return;
        to = from;
        if (effect == kList) changes.list = true;
        if (effect == kPreview) changes.preview = true;
    };
    for (const auto& o : kNumbers) take(settings.*o.field, edited.*o.field, o.effect);
    for (const auto& o : kSwitches) take(settings.*o.field, edited.*o.field, o.effect);
    take(settings.EnvDispSize, edited.EnvDispSize, kPreview);
    take(settings.listFont, edited.listFont, kList);
    for (size_t i = 0; i < settings.filter.size(); ++i) {
        settings.filter[i].on = edited.filter[i].on;
    }
    return changes;
}

std::string DefaultProfilePath() {
    // A profile beside the executable makes a portable installation.
    if (std::string exe = ExecutablePath(); !exe.empty()) {
        std::string beside = exe + ".ini";
        std::string probe;
        if (ReadSystemFile(beside, probe, 1) == 0) return beside;
    }
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME")) {
        base = std::string(home) + "/.config";
    } else {
        base = ".";
    }
    return base + "/mirulane/mirulane.ini";
}

}  // namespace mirulane
