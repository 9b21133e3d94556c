#include "platform/output_manifest.h"

#include <sys/stat.h>

#include <charconv>

#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane {

namespace {

constexpr std::string_view kHeader = "mirulane-manifest 1\n";
// No output file of the program comes near this size; a manifest is far smaller still.
constexpr size_t kLargestExamined = size_t{64} << 20;

// A name a manifest line can hold: one line, one field after the tab. Generated names never
// hold these bytes; a name from an album file might, and must not be able to make a line of
// its own.
bool RecordableName(std::string_view name) {
    return !name.empty() && name.find_first_of(std::string_view("\t\r\n\0", 4)) == name.npos;
}

// False when the text is not a whole manifest of this kind: a run then knows nothing of the
// folder's files and asks about every one it finds (the safe way to be wrong).
bool ParseManifest(std::string_view text, std::map<std::string, uint64_t>& records) {
    records.clear();
    if (text.substr(0, kHeader.size()) != kHeader) return false;
    text.remove_prefix(kHeader.size());
    while (!text.empty()) {
        size_t end = text.find('\n');
        if (end == text.npos) return false;  // a manifest is written whole, every line ended
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        constexpr size_t kDigits = 16;
        if (line.size() < kDigits + 2 || line[kDigits] != '\t') return false;
        uint64_t hash = 0;
        auto [stop, error] = std::from_chars(line.data(), line.data() + kDigits, hash, 16);
        if (error != std::errc() || stop != line.data() + kDigits) return false;
        std::string_view name = line.substr(kDigits + 1);
        if (!RecordableName(name)) return false;
        records[std::string(name)] = hash;
    }
    return true;
}

bool LoadManifest(const std::string& path, std::map<std::string, uint64_t>& records) {
    std::string text;
    if (ReadFileBytes(path, text, kLargestExamined + 1) != 0 || text.size() > kLargestExamined) {
        records.clear();
        return false;
    }
    return ParseManifest(text, records);
}

}  // namespace

uint64_t ContentHash(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

void OutputTally::Add(const OutputTally& other) {
    written += other.written;
    unchanged += other.unchanged;
    keptEdited.insert(keptEdited.end(), other.keptEdited.begin(), other.keptEdited.end());
    keptUnknown += other.keptUnknown;
    recordFailures += other.recordFailures;
}

OutputLedger::Folder* OutputLedger::FolderOf(std::string_view path, std::string& name) {
    size_t sep = FindLastSeparator(path);
    std::string_view folderText = sep == path.npos ? std::string_view() : path.substr(0, sep + 1);
    name = path.substr(folderText.size());
    auto known = folderIds_.find(folderText);
    if (known == folderIds_.end()) {
        // By identity: two spellings of one folder share one manifest.
        std::optional<FileId> id = GetFileId(folderText);
        if (!id) return nullptr;
        known = folderIds_.emplace(std::string(folderText), *id).first;
    }
    auto [it, added] = folders_.try_emplace(known->second);
    Folder& folder = it->second;
    if (added) {
        folder.manifestPath = std::string(folderText) + std::string(kManifestName);
        LoadManifest(folder.manifestPath, folder.records);
    }
    return &folder;
}

OutputState OutputLedger::Examine(std::string_view path, std::string_view bytes) {
    std::optional<std::string> sys = ToSystemPath(path);
    struct stat found {};
    // What cannot be looked at is written, and the write then says what is wrong.
    if (!sys || lstat(sys->c_str(), &found) != 0) return OutputState::Absent;
    if (S_ISLNK(found.st_mode)) {
        // A link to nothing is replaced as a missing file would be written. Any other link
        // is never the program's own: the program writes files, not links.
        struct stat st {};
        return stat(sys->c_str(), &st) != 0 ? OutputState::Absent : OutputState::Unknown;
    }
    if (!S_ISREG(found.st_mode)) return OutputState::Unknown;

    std::string name;
    Folder* folder = FolderOf(path, name);
    const uint64_t* recorded = nullptr;
    if (folder) {
        auto it = folder->records.find(name);
        if (it != folder->records.end()) recorded = &it->second;
    }
    const auto size = static_cast<uint64_t>(found.st_size);
    if (size != bytes.size() && !recorded) return OutputState::Unknown;
    if (size > kLargestExamined) return recorded ? OutputState::Edited : OutputState::Unknown;
    std::string disk;
    if (ReadSystemFile(*sys, disk, kLargestExamined + 1) != 0) return OutputState::Unknown;
    if (disk == bytes) return OutputState::Unchanged;
    if (!recorded) return OutputState::Unknown;
    return ContentHash(disk) == *recorded ? OutputState::Own : OutputState::Edited;
}

void OutputLedger::Record(std::string_view path, std::string_view bytes) {
    std::string name;
    Folder* folder = FolderOf(path, name);
    if (!folder || !RecordableName(name)) return;
    uint64_t hash = ContentHash(bytes);
    auto [it, added] = folder->records.try_emplace(name, hash);
    if (!added && it->second == hash) return;
    it->second = hash;
    folder->changed.insert(name);
}

OutputWrite OutputLedger::Write(std::string_view path, std::string_view bytes,
                                const FileIdSet* keep,
                                const std::function<OutputDecision()>& confirm) {
    OutputWrite result;
    OutputState state = Examine(path, bytes);
    if (state == OutputState::Unchanged) {
        // Holding exactly what the program would write, the file is as good as its own
        // (this also takes in the files of a run whose manifest was lost).
        Record(path, bytes);
        ++tally_.unchanged;
        result.outcome = OutputOutcome::Unchanged;
        return result;
    }
    if ((state == OutputState::Edited || state == OutputState::Unknown) && confirm) {
        OutputDecision decision = confirm();
        if (decision != OutputDecision::Write) {
            if (state == OutputState::Edited) {
                tally_.keptEdited.emplace_back(path);
            } else {
                ++tally_.keptUnknown;
            }
            result.outcome =
                decision == OutputDecision::Skip ? OutputOutcome::Kept : OutputOutcome::Cancelled;
            return result;
        }
    }
    result.error = WriteGeneratedFile(path, bytes, keep, &result.stage);
    if (result.error != 0) {
        result.outcome = OutputOutcome::Failed;
        return result;
    }
    Record(path, bytes);
    ++tally_.written;
    return result;
}

int OutputLedger::Save(Interaction& ui) {
    int failures = 0;
    for (auto& [id, folder] : folders_) {
        if (folder.changed.empty()) continue;
        // Read again and merged, so that what another run recorded here meanwhile stays; a
        // manifest that became unreadable gives way to what this run loaded.
        std::map<std::string, uint64_t> merged;
        if (!LoadManifest(folder.manifestPath, merged)) merged = folder.records;
        for (const std::string& name : folder.changed) merged[name] = folder.records[name];
        std::string folderText =
            folder.manifestPath.substr(0, folder.manifestPath.size() - kManifestName.size());
        std::string text(kHeader);
        for (const auto& [name, hash] : merged) {
            // A file that is gone is forgotten: whatever takes its name later is not the
            // program's.
            if (!FileExists(folderText + name)) continue;
            text += Format("%016llx\t", static_cast<unsigned long long>(hash)) + name + "\n";
        }
        WriteStage stage = WriteStage::None;
        if (int error = WriteGeneratedFile(folder.manifestPath, text, nullptr, &stage)) {
            ui.Message(Format(Sj("出力ファイルの記録を保存できません(errno=%d)\n%s").c_str(), error,
                              folder.manifestPath.c_str()),
                       "", MsgIcon::Exclamation, MsgButtons::Ok);
            ++failures;
            continue;
        }
        folder.changed.clear();
    }
    tally_.recordFailures += failures;
    return failures;
}

}  // namespace mirulane
