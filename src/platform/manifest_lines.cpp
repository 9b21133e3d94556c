#include "platform/manifest_lines.h"

#include <charconv>
#include <optional>

#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane::manifest {
namespace {

constexpr std::string_view kHeaderV1 = "mirulane-manifest 1\n";
// Far beyond any album's manifest; a larger file is not read.
constexpr size_t kLargestManifest = size_t{64} << 20;
constexpr size_t kHashDigits = 16;

template <typename T>
bool ParseNumber(std::string_view text, T& out, int base = 10) {
    if (text.empty()) return false;
    auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), out, base);
    return error == std::errc() && stop == text.data() + text.size();
}

bool ParseHash(std::string_view text, uint64_t& hash) {
    return text.size() == kHashDigits && text[0] != '-' && text[0] != '+' &&
           ParseNumber(text, hash, 16);
}

// Cuts the text before the next tab off `line`; nullopt when there is no tab.
std::optional<std::string_view> Field(std::string_view& line) {
    size_t tab = line.find('\t');
    if (tab == line.npos) return std::nullopt;
    std::string_view field = line.substr(0, tab);
    line.remove_prefix(tab + 1);
    return field;
}

bool ParseSource(std::string_view text, SourceStamp& source) {
    size_t c1 = text.find(',');
    size_t c2 = c1 == text.npos ? c1 : text.find(',', c1 + 1);
    size_t x = c2 == text.npos ? c2 : text.find('x', c2 + 1);
    if (x == text.npos) return false;
    return ParseNumber(text.substr(0, c1), source.size) &&
           ParseNumber(text.substr(c1 + 1, c2 - c1 - 1), source.mtimeNs) &&
           ParseNumber(text.substr(c2 + 1, x - c2 - 1), source.boxWidth) &&
           ParseNumber(text.substr(x + 1), source.boxHeight);
}

enum class LineKind { Bad, Record, Forget };

// One version-2 line without its line end.
LineKind ParseLine(std::string_view line, std::string& name, Record& record) {
    record = Record{};
    auto hash = Field(line);
    auto size = Field(line);
    auto mtime = Field(line);
    auto kind = Field(line);
    auto source = Field(line);
    if (!source || !RecordableName(line) || kind->size() != 1) return LineKind::Bad;
    name.assign(line);
    if ((*kind)[0] == 'x') return LineKind::Forget;
    switch ((*kind)[0]) {
        case 'p':
        case 't':
        case 'm':
        case '?':
            record.kind = static_cast<OutputKind>((*kind)[0]);
            break;
        default:
            return LineKind::Bad;
    }
    if (!ParseHash(*hash, record.hash)) return LineKind::Bad;
    if (*size != "-" || *mtime != "-") {
        if (!ParseNumber(*size, record.size) || !ParseNumber(*mtime, record.mtimeNs)) {
            return LineKind::Bad;
        }
        record.hasStat = true;
    }
    if (*source != "-") {
        if (!ParseSource(*source, record.source)) return LineKind::Bad;
        record.hasSource = true;
    }
    return LineKind::Record;
}

// "HASH \t NAME" of version 1.
bool ParseLineV1(std::string_view line, std::string& name, Record& record) {
    record = Record{};
    if (line.size() < kHashDigits + 2 || line[kHashDigits] != '\t') return false;
    if (!ParseHash(line.substr(0, kHashDigits), record.hash)) return false;
    std::string_view rest = line.substr(kHashDigits + 1);
    if (!RecordableName(rest)) return false;
    name.assign(rest);
    return true;
}

bool ReadWhole(const std::string& path, std::string& text) {
    return ReadFileBytes(path, text, kLargestManifest + 1) == 0 && text.size() <= kLargestManifest;
}

}  // namespace

bool RecordableName(std::string_view name) {
    return !name.empty() && name.find_first_of(std::string_view("\t\r\n\0", 4)) == name.npos;
}

std::string RecordLine(std::string_view name, const Record& r) {
    std::string line = Format("%016llx\t", static_cast<unsigned long long>(r.hash));
    line += r.hasStat ? Format("%llu\t%lld\t", static_cast<unsigned long long>(r.size),
                               static_cast<long long>(r.mtimeNs))
                      : std::string("-\t-\t");
    line += static_cast<char>(r.kind);
    line += '\t';
    line += r.hasSource
                ? Format("%llu,%lld,%dx%d\t", static_cast<unsigned long long>(r.source.size),
                         static_cast<long long>(r.source.mtimeNs), r.source.boxWidth,
                         r.source.boxHeight)
                : std::string("-\t");
    line += name;
    line += '\n';
    return line;
}

std::string ForgetLine(std::string_view name) {
    return "-\t-\t-\tx\t-\t" + std::string(name) + "\n";
}

bool LoadManifest(const std::string& path, std::map<std::string, Record>& records) {
    records.clear();
    std::string whole;
    if (!ReadWhole(path, whole)) return false;
    std::string_view text = whole;
    const bool v1 = text.substr(0, kHeaderV1.size()) == kHeaderV1;
    if (!v1 && text.substr(0, kHeader.size()) != kHeader) return false;
    text.remove_prefix(kHeader.size());  // both headers are of one length
    std::string name;
    Record record;
    while (!text.empty()) {
        size_t end = text.find('\n');
        // A manifest is written whole, every line ended: anything else is not one.
        bool ok = end != text.npos;
        if (ok) {
            std::string_view line = text.substr(0, end);
            ok = v1 ? ParseLineV1(line, name, record)
                    : ParseLine(line, name, record) == LineKind::Record;
        }
        if (!ok) {
            records.clear();
            return false;
        }
        text.remove_prefix(end + 1);
        records[name] = record;
    }
    return true;
}

bool LoadJournal(const std::string& path, std::map<std::string, Record>& records) {
    std::string whole;
    if (!ReadWhole(path, whole) || whole.empty()) return false;
    std::string_view text = whole;
    std::string name;
    Record record;
    size_t end;
    // A last line without its end was cut short: passed over.
    while ((end = text.find('\n')) != text.npos) {
        switch (ParseLine(text.substr(0, end), name, record)) {
            case LineKind::Record:
                records[name] = record;
                break;
            case LineKind::Forget:
                records.erase(name);
                break;
            case LineKind::Bad:
                break;
        }
        text.remove_prefix(end + 1);
    }
    return true;
}

}  // namespace mirulane::manifest
