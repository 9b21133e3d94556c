#include "platform/paths.h"

#include <cerrno>
#include <vector>

#include "platform/cp932.h"
#include "platform/fs.h"

namespace mirulane {

namespace {

bool IsSeparatorByte(char c) { return c == '\\' || c == '/'; }

bool IsCp932Trail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Position of the last real separator, or npos.
size_t LastSeparator(std::string_view s) {
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < s.size(); i += Cp932CharLength(s, i)) {
        if (IsSeparatorByte(s[i])) last = i;
    }
    return last;
}

// Components of a folder for RelativeLink: a separator at position 0 is skipped, every other
// separator closes the current component (two in a row give an empty one), and the last
// component is closed by the end of the text.
std::vector<std::string_view> LinkComponents(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    size_t i = 0;
    while (i < path.size()) {
        size_t len = Cp932CharLength(path, i);
        if (len == 1 && IsSeparatorByte(path[i])) {
            if (i > 0) parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
        i += len;
    }
    if (start < path.size()) parts.push_back(path.substr(start));
    return parts;
}

}  // namespace

size_t Cp932CharLength(std::string_view s, size_t i) {
    if (IsCp932Lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size() &&
        IsCp932Trail(static_cast<unsigned char>(s[i + 1]))) {
        return 2;
    }
    return 1;
}

bool EndsWithSeparator(std::string_view path) {
    size_t last = LastSeparator(path);
    return last != std::string_view::npos && last + 1 == path.size();
}

std::string EnsureTrailingSeparator(std::string_view path) {
    std::string out(path);
    if (!out.empty() && !EndsWithSeparator(out)) out += kPathSeparator;
    return out;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out = EnsureTrailingSeparator(folder);
    out += name;
    return out;
}

std::string_view WithoutOneTrailingSeparator(std::string_view path) {
    if (EndsWithSeparator(path)) path.remove_suffix(1);
    return path;
}

std::string LastComponent(std::string_view path) {
    while (EndsWithSeparator(path)) path.remove_suffix(1);
    size_t last = LastSeparator(path);
    if (last == std::string_view::npos) return std::string(path);
    return std::string(path.substr(last + 1));
}

std::string ParentFolder(std::string_view path) {
    std::string_view copy = WithoutOneTrailingSeparator(path);
    size_t last = LastSeparator(copy);
    if (last == std::string_view::npos || last == 0) return std::string(copy);
    return std::string(copy.substr(0, last));
}

std::string RelativeLink(std::string_view from, std::string_view to) {
    const std::vector<std::string_view> a = LinkComponents(from);
    const std::vector<std::string_view> b = LinkComponents(to);
    size_t common = 0;
    while (common < a.size() && common < b.size() && a[common] == b[common]) ++common;
    std::string out;
    for (size_t i = common; i < a.size(); ++i) out += "../";
    for (size_t i = common; i < b.size(); ++i) {
        out += b[i];
        out += '/';
    }
    return out;
}

int MakeFolderPath(std::string_view folder) {
    std::string path(folder);
    path += kPathSeparator;  // always, so the last component is closed by a separator
    size_t componentBytes = 0;
    size_t i = 0;
    while (i < path.size()) {
        size_t len = Cp932CharLength(path, i);
        if (len == 1 && IsSeparatorByte(path[i])) {
            if (componentBytes > 0) {
                componentBytes = 0;
                std::string prefix = path.substr(0, i);
                if (prefix.back() != ':') {  // a drive such as C: is never examined
                    FileStatus status;
                    int err = GetFileStatus(prefix, status);
                    if (err == 0) {
                        if (!status.isDirectory) return -2;
                    } else if (err == ENOENT) {
                        if (MakeDirectory(prefix) != 0) return -3;
                    } else {
                        return -2;
                    }
                }
            }
        } else {
            componentBytes += len;
        }
        i += len;
    }
    return 0;
}

BaseExt SplitBaseName(std::string_view name) {
    // '.' is never the trail byte of a two-byte character, so a plain byte search is safe.
    if (name.size() >= 3) {
        for (size_t pos = name.size() - 2; pos >= 1; --pos) {
            if (name[pos] == '.') {
                return {std::string(name.substr(0, pos)), std::string(name.substr(pos + 1))};
            }
        }
    }
    return {std::string(name), std::string()};
}

SplitPathResult SplitPath(std::string_view fullPath) {
    SplitPathResult out;
    size_t last = LastSeparator(fullPath);
    if (last == std::string_view::npos) {
        out.file = std::string(fullPath);
    } else {
        out.folder = std::string(fullPath.substr(0, last));
        out.file = std::string(fullPath.substr(last + 1));
    }
    size_t dot = out.file.rfind('.');
    if (dot == std::string::npos) {
        out.base = out.file;
    } else {
        out.base = out.file.substr(0, dot);
        out.ext = out.file.substr(dot + 1);
    }
    return out;
}

std::string FolderOfFile(std::string_view path) {
    size_t last = LastSeparator(path);
    if (last == std::string_view::npos) return {};
    return std::string(path.substr(0, last == 0 ? 1 : last));
}

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return LastSeparator(name) == std::string_view::npos;
}

}  // namespace mirulane
