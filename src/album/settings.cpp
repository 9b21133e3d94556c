#include "album/settings.h"

#include <cstdlib>

#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/profile.h"

namespace mirulane {
namespace {

constexpr const char* kSection = "Environment";
constexpr size_t kFaceNameMax = 31;  // the font record's face name holds 31 bytes and a NUL

// The integer keys, in load order, before EnvFilterCheck and the font.
struct IntKey {
    const char* key;
    int Settings::*field;
};

constexpr IntKey kLoadOrder[] = {
    {"ShowHelp", &Settings::ShowHelp},         {"PvFirst", &Settings::PvFirst},
    {"EnvPathIdx", &Settings::EnvPathIdx},     {"EnvPathLst", &Settings::EnvPathLst},
    {"EnvLstGrid", &Settings::EnvLstGrid},     {"EnvPathThm", &Settings::EnvPathThm},
    {"EnvPreView", &Settings::EnvPreView},     {"EnvDispImage", &Settings::EnvDispImage},
    {"EnvDispSize", &Settings::EnvDispSize},   {"EnvDispMaxW", &Settings::EnvDispMaxW},
    {"EnvDispMaxH", &Settings::EnvDispMaxH},   {"EnvWithExif", &Settings::EnvWithExif},
    {"EnvSortUpLow", &Settings::EnvSortUpLow}, {"EnvUseFilter", &Settings::EnvUseFilter},
};

constexpr IntKey kLoadOrderAfterFilter[] = {
    {"EnvGetExif", &Settings::EnvGetExif},
    {"EnvExifFlash", &Settings::EnvExifFlash},
    {"EnvExifDtorg", &Settings::EnvExifDtorg},
    {"EnvExifAprtv", &Settings::EnvExifAprtv},
    {"EnvExifShtsp", &Settings::EnvExifShtsp},
    {"EnvExifFolen", &Settings::EnvExifFolen},
    {"EnvExifEbias", &Settings::EnvExifEbias},
    {"EnvExifIsosr", &Settings::EnvExifIsosr},
    {"EnvExifDtfil", &Settings::EnvExifDtfil},
    {"EnvChangePath", &Settings::EnvChangePath},
    {"EnvForceOverWrite", &Settings::EnvForceOverWrite},
    {"EnvMakeThumb", &Settings::EnvMakeThumb},
    {"EnvDebugMode", &Settings::EnvDebugMode},
};

// The save order differs from the load order in where EnvLstGrid stands.
constexpr IntKey kSaveOrder[] = {
    {"ShowHelp", &Settings::ShowHelp},         {"PvFirst", &Settings::PvFirst},
    {"EnvPathIdx", &Settings::EnvPathIdx},     {"EnvPathLst", &Settings::EnvPathLst},
    {"EnvPathThm", &Settings::EnvPathThm},     {"EnvPreView", &Settings::EnvPreView},
    {"EnvDispImage", &Settings::EnvDispImage}, {"EnvDispSize", &Settings::EnvDispSize},
    {"EnvDispMaxW", &Settings::EnvDispMaxW},   {"EnvDispMaxH", &Settings::EnvDispMaxH},
    {"EnvWithExif", &Settings::EnvWithExif},   {"EnvSortUpLow", &Settings::EnvSortUpLow},
    {"EnvLstGrid", &Settings::EnvLstGrid},     {"EnvUseFilter", &Settings::EnvUseFilter},
};

constexpr IntKey kFontInts[] = {
    {"FontHeight", &Settings::FontHeight},         {"FontWidth", &Settings::FontWidth},
    {"FontEscapement", &Settings::FontEscapement}, {"FontOrientation", &Settings::FontOrientation},
    {"FontWeight", &Settings::FontWeight},
};

struct ByteKey {
    const char* key;
    unsigned char Settings::*field;
};

constexpr ByteKey kFontBytes[] = {
    {"FontItalic", &Settings::FontItalic},
    {"FontUnderline", &Settings::FontUnderline},
    {"FontStrikeOut", &Settings::FontStrikeOut},
    {"FontCharSet", &Settings::FontCharSet},
    {"FontOutPrecision", &Settings::FontOutPrecision},
    {"FontClipPrecision", &Settings::FontClipPrecision},
    {"FontQuality", &Settings::FontQuality},
    {"FontPitchAndFamily", &Settings::FontPitchAndFamily},
};

}  // namespace

void Settings::Load(const IniProfile& profile) {
    for (const auto& k : kLoadOrder)
        this->*k.field = profile.GetInt(kSection, k.key, this->*k.field);
    EnvFilterCheck = profile.GetString(kSection, "EnvFilterCheck", EnvFilterCheck);
    for (const auto& k : kLoadOrderAfterFilter) {
        this->*k.field = profile.GetInt(kSection, k.key, this->*k.field);
    }
    for (const auto& k : kFontInts)
        this->*k.field = profile.GetInt(kSection, k.key, this->*k.field);
    for (const auto& k : kFontBytes) {
        // The record's byte-wide fields keep the low 8 bits of the value read.
        this->*k.field =
            static_cast<unsigned char>(profile.GetInt(kSection, k.key, this->*k.field));
    }
    FontFaceName = std::string(
        CutAtCharBoundary(profile.GetString(kSection, "FontFaceName", FontFaceName), kFaceNameMax));

    // Rows beyond the string keep their built-in flags; characters beyond the rows are ignored.
    for (size_t i = 0; i < filter.size() && i < EnvFilterCheck.size(); ++i) {
        filter[i].on = EnvFilterCheck[i] != '0';
    }
}

void Settings::Save(IniProfile& profile) {
    EnvFilterCheck.clear();
    for (const auto& row : filter) EnvFilterCheck += row.on ? '1' : '0';
    for (const auto& k : kSaveOrder) profile.SetInt(kSection, k.key, this->*k.field);
    profile.SetString(kSection, "EnvFilterCheck", EnvFilterCheck);
    for (const auto& k : kLoadOrderAfterFilter) profile.SetInt(kSection, k.key, this->*k.field);
    for (const auto& k : kFontInts) profile.SetInt(kSection, k.key, this->*k.field);
    for (const auto& k : kFontBytes) profile.SetInt(kSection, k.key, this->*k.field);
    profile.SetString(kSection, "FontFaceName", FontFaceName);
}

bool Settings::PassesFilter(std::string_view lowerExtension) const {
    if (EnvUseFilter == 0) return true;
    for (const auto& row : filter) {
        if (row.on && lowerExtension == row.extension) return true;
    }
    return false;
}

EnvironmentChanges ApplyEnvironmentOptions(Settings& settings, const Settings& edited) {
    // The integer options the dialog edits, each with what of the window it bears on.
    enum Effect { kNone, kList, kPreview };
    struct Option {
        int Settings::*field;
        Effect effect;
    };
    static constexpr Option kOptions[] = {
        {&Settings::EnvPathIdx, kNone},      {&Settings::EnvPathLst, kNone},
        {&Settings::EnvPathThm, kNone},      {&Settings::EnvSortUpLow, kNone},
        {&Settings::EnvLstGrid, kList},      {&Settings::EnvUseFilter, kNone},
        {&Settings::EnvDispImage, kPreview}, {&Settings::EnvDispSize, kPreview},
        {&Settings::EnvDispMaxW, kPreview},  {&Settings::EnvDispMaxH, kPreview},
        {&Settings::EnvWithExif, kPreview},  {&Settings::EnvGetExif, kNone},
        {&Settings::EnvExifFlash, kNone},    {&Settings::EnvExifDtorg, kNone},
        {&Settings::EnvExifAprtv, kNone},    {&Settings::EnvExifShtsp, kNone},
        {&Settings::EnvExifFolen, kNone},    {&Settings::EnvExifEbias, kNone},
        {&Settings::EnvExifIsosr, kNone},    {&Settings::EnvExifDtfil, kNone},
        {&Settings::EnvChangePath, kNone},   {&Settings::EnvForceOverWrite, kNone},
        {&Settings::EnvMakeThumb, kNone},    {&Settings::FontHeight, kList},
        {&Settings::FontWidth, kList},       {&Settings::FontEscapement, kList},
        {&Settings::FontOrientation, kList}, {&Settings::FontWeight, kList},
    };
    EnvironmentChanges changes;
    auto take = [&changes](auto& to, const auto& from, Effect effect) {
        if (to == from) return;
        to = from;
        if (effect == kList) changes.list = true;
        if (effect == kPreview) changes.preview = true;
    };
    for (const Option& o : kOptions) take(settings.*o.field, edited.*o.field, o.effect);
    for (const auto& k : kFontBytes) take(settings.*k.field, edited.*k.field, kList);
    take(settings.FontFaceName, edited.FontFaceName, kList);
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
