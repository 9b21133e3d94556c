#include "platform/output_manifest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

#include "platform/cp932.h"
#include "platform/manifest_lines.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

using manifest::Record;

struct OutputLedger::Folder {
    std::string path;  // CP932: the folder as first spelled, with its separator (or empty)
    std::map<std::string, Record> records;  // file name -> record
    std::set<std::string> changed;          // names whose record this run set or dropped
    std::set<std::string> produced;         // names this run wrote, found current or claimed
    std::set<std::string> present;          // names this run knows to be there
    bool journalFound = false;              // an earlier run's journal: merged at Save
    bool recording = true;                  // false: nothing is journaled, saved or removed
    int journalFd = -1;

    ~Folder() {
        if (journalFd >= 0) close(journalFd);
    }
    std::string ManifestPath() const { return path + std::string(kManifestName); }
    std::string JournalPath() const { return path + std::string(kJournalName); }

    // Appends one line to the journal (opened on first use). A journal that cannot be
    // written costs only what a kill would lose: Save still records everything.
    void Append(const std::string& line) {
        if (journalFd < 0) {
            std::optional<std::string> sys = ToSystemPath(JournalPath());
            if (!sys) return;
            journalFd =
                open(sys->c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (journalFd < 0) return;
            // A line cut short by a kill is ended, so that the next one stays readable.
            off_t end = lseek(journalFd, 0, SEEK_END);
            char last = '\n';
            if (end > 0 && pread(journalFd, &last, 1, end - 1) == 1 && last != '\n') {
                if (write(journalFd, "\n", 1) != 1) return;
            }
        }
        const char* p = line.data();
        size_t left = line.size();
        while (left > 0) {
            ssize_t n = write(journalFd, p, left);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return;
            p += n;
            left -= static_cast<size_t>(n);
        }
    }
};

// What Inspect found at a path.
struct OutputLedger::Look {
    bool exists = false;  // something is there, a link to nothing included
    PathStatus status;
    Folder* folder = nullptr;
    std::string name;
    const Record* record = nullptr;
    bool statMatches = false;  // the file's size and time are those of the record
};

// A replacement waiting in the batch, and what to record when it is placed.
struct OutputLedger::Batch {
    GeneratedFileBatch files;
    struct Waiting {
        std::string path;
        Folder* folder;
        std::string name;
        Record record;
    };
    std::vector<Waiting> waiting;
};

namespace {

// No output file of the program comes near this size; a manifest is far smaller still.
constexpr size_t kLargestExamined = size_t{64} << 20;

// A name a leftover may have: a file right in the folder, none of the folder's records, no
// writer's temporary file.
bool RemovableName(const std::string& name) {
    return IsPlainFileName(name) && name != kManifestName && name != kJournalName &&
           name.compare(0, 5, ".mrl-") != 0;
}

// ContentHash of a whole file (a system path); 0 or the errno.
int HashOfFile(const std::string& systemPath, uint64_t& hash) {
    const int fd = open(systemPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return errno;
    int err = 0;
    hash = 0xcbf29ce484222325ull;
    std::string buffer(size_t{1} << 20, '\0');
    for (off_t at = 0;;) {
        ssize_t n = pread(fd, buffer.data(), buffer.size(), at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n < 0) err = errno;
            break;
        }
        for (ssize_t i = 0; i < n; ++i) {
            hash ^= static_cast<unsigned char>(buffer[static_cast<size_t>(i)]);
            hash *= 0x100000001b3ull;
        }
        at += n;
    }
    close(fd);
    return err;
}

bool SameStat(const Record& r, const PathStatus& st) {
    return r.hasStat && r.size == st.size && r.mtimeNs == st.mtimeNs;
}

}  // namespace

std::set<std::string> RecordedOutputs(std::string_view folder) {
    const std::string base = EnsureTrailingSeparator(folder);
    std::map<std::string, manifest::Record> records;
    manifest::LoadManifest(base + std::string(kManifestName), records);
    manifest::LoadJournal(base + std::string(kJournalName), records);
    std::set<std::string> names;
    for (const auto& record : records) names.insert(record.first);
    return names;
}

uint64_t ContentHash(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

OutputConfirm AskBeforeReplacing(OverwritePolicy& policy, std::string path, bool askEdited) {
    return [&policy, path = std::move(path), askEdited](OutputState state) {
        if (state == OutputState::Unknown) return policy.ConfirmForeign(path);
        return askEdited ? policy.Confirm(path) : OutputDecision::Write;
    };
}

void OutputTally::Add(const OutputTally& other) {
    written += other.written;
    unchanged += other.unchanged;
    keptEdited.insert(keptEdited.end(), other.keptEdited.begin(), other.keptEdited.end());
    keptUnknown.insert(keptUnknown.end(), other.keptUnknown.begin(), other.keptUnknown.end());
    removed += other.removed;
    recordFailures += other.recordFailures;
}

OutputLedger::OutputLedger(bool record) : record_(record) {}
OutputLedger::~OutputLedger() = default;

OutputLedger::Folder* OutputLedger::FolderAt(std::string_view folderText) {
    auto known = folderIds_.find(folderText);
    if (known == folderIds_.end()) {
        // By identity: two spellings of one folder share one manifest.
        std::optional<FileId> id = GetFileId(folderText);
        if (!id) return nullptr;
        known = folderIds_.emplace(std::string(folderText), *id).first;
    }
    std::unique_ptr<Folder>& folder = folders_[known->second];
    if (!folder) {
        folder = std::make_unique<Folder>();
        folder->path = std::string(folderText);
        folder->recording = record_;
        manifest::LoadManifest(folder->ManifestPath(), folder->records);
        folder->journalFound = manifest::LoadJournal(folder->JournalPath(), folder->records);
    }
    return folder.get();
}

OutputLedger::Folder* OutputLedger::FolderOf(std::string_view path, std::string& name) {
    size_t sep = FindLastSeparator(path);
    std::string_view folderText = sep == path.npos ? std::string_view() : path.substr(0, sep + 1);
    name = path.substr(folderText.size());
    return FolderAt(folderText);
}

OutputState OutputLedger::Inspect(std::string_view path, const std::string_view* bytes,
                                  uint64_t hash, Look& look) {
    look.folder = FolderOf(path, look.name);
    if (look.folder) {
        auto it = look.folder->records.find(look.name);
        if (it != look.folder->records.end()) look.record = &it->second;
    }
    // What cannot be looked at is written, and the write then says what is wrong.
    if (GetPathStatus(path, look.status) != 0) return OutputState::Absent;
    look.exists = true;
    const PathStatus& found = look.status;
    if (found.isLink) {
        // A link to nothing is replaced as a missing file would be written. Any other link
        // is never the program's own: the program writes files, not links.
        return GetFileId(path) ? OutputState::Unknown : OutputState::Absent;
    }
    if (!found.isRegular) return OutputState::Unknown;

    const Record* recorded = look.record;
    if (recorded && SameStat(*recorded, found)) {
        // Still what the program wrote: decided without reading it.
        look.statMatches = true;
        return bytes && bytes->size() == recorded->size && hash == recorded->hash
                   ? OutputState::Unchanged
                   : OutputState::Own;
    }
    // Content made on the way (bytes unknown) is never the same as a file not known to be
    // the program's.
    if (!bytes) return recorded ? OutputState::Edited : OutputState::Unknown;
    if (found.size != bytes->size() && !recorded) return OutputState::Unknown;
    if (found.size > kLargestExamined) return recorded ? OutputState::Edited : OutputState::Unknown;
    std::string disk;
    if (ReadFileBytes(path, disk, kLargestExamined + 1) != 0) return OutputState::Unknown;
    if (disk == *bytes) return OutputState::Unchanged;
    if (!recorded) return OutputState::Unknown;
    return ContentHash(disk) == recorded->hash ? OutputState::Own : OutputState::Edited;
}

OutputState OutputLedger::Examine(std::string_view path, std::string_view bytes) {
    Look look;
    return Inspect(path, &bytes, ContentHash(bytes), look);
}

namespace {

// What a record says of the file as it was written: its size and time, so that a later run
// knows it unchanged without reading it back.
void StampRecord(Record& record, const WrittenFile& written) {
    record.hasStat = true;
    record.size = written.size;
    record.mtimeNs = written.mtimeNs;
}

// Sets a file's record, and journals it when it is news.
void SetRecord(OutputLedger::Folder& folder, const std::string& name, const Record& record) {
    if (!folder.recording || !manifest::RecordableName(name)) return;
    folder.present.insert(name);
    auto [it, added] = folder.records.try_emplace(name, record);
    if (!added && it->second == record) return;
    it->second = record;
    folder.changed.insert(name);
    folder.Append(manifest::RecordLine(name, record));
}

// The end of a write in place: a failed one is the outcome; else the file's record, stamped
// with what was written, goes into its folder. True when the file was written.
bool Settle(OutputWrite& result, const WrittenFile& written, Record& record,
            OutputLedger::Folder* folder, const std::string& name) {
    if (result.error != 0) {
        result.outcome = OutputOutcome::Failed;
        return false;
    }
    StampRecord(record, written);
    if (folder) SetRecord(*folder, name, record);
    return true;
}

}  // namespace

bool OutputLedger::MayReplace(std::string_view path, OutputState state, const Look& look,
                              const OutputConfirm& confirm, OutputWrite& result) {
    // A folder in the file's place is nothing to ask about: the write fails and says so.
    const bool folderInTheWay = look.exists && S_ISDIR(look.status.mode);
    if ((state != OutputState::Edited && state != OutputState::Unknown) || folderInTheWay) {
        return true;
    }
    OutputDecision decision = confirm                        ? confirm(state)
                              : state == OutputState::Edited ? OutputDecision::Write
                                                             : OutputDecision::Skip;
    if (decision == OutputDecision::Write) return true;
    (state == OutputState::Edited ? tally_.keptEdited : tally_.keptUnknown).emplace_back(path);
    result.outcome =
        decision == OutputDecision::Skip ? OutputOutcome::Kept : OutputOutcome::Cancelled;
    return false;
}

OutputWrite OutputLedger::Write(std::string_view path, std::string_view bytes,
                                const FileIdSet* keep, const OutputConfirm& confirm,
                                OutputKind kind, const SourceStamp* source) {
    OutputWrite result;
    const uint64_t hash = ContentHash(bytes);
    Look look;
    OutputState state = Inspect(path, &bytes, hash, look);
    if (look.folder) look.folder->produced.insert(look.name);
    Record record;
    record.hash = hash;
    record.kind = kind;
    if (source) {
        record.hasSource = true;
        record.source = *source;
    }
    // One of the album's pictures under the output's name (a hard link) is never replaced,
    // whatever anyone answers: nothing is asked.
    if (look.exists && look.status.isRegular && keep && keep->count(look.status.id) != 0) {
        result = {OutputOutcome::Failed, EEXIST, WriteStage::Refused};
        return result;
    }
    if (state == OutputState::Unchanged) {
        // Holding exactly what the program would write, the file is as good as its own
        // (this also takes in the files of a run whose manifest was lost).
        record.hasStat = true;
        record.size = look.status.size;
        record.mtimeNs = look.status.mtimeNs;
        if (look.folder) {
            SetRecord(*look.folder, look.name, record);
        }
        ++tally_.unchanged;
        result.outcome = OutputOutcome::Unchanged;
        return result;
    }
    if (!MayReplace(path, state, look, confirm, result)) return result;
    WrittenFile written;
    if (batch_ && look.exists) {
        result.error = batch_->files.Add(path, bytes, keep, look.status, &result.stage, &written);
        if (result.error != 0) {
            result.outcome = OutputOutcome::Failed;
            return result;
        }
        StampRecord(record, written);
        batch_->waiting.push_back({std::string(path), look.folder, look.name, record});
        return result;
    }
    result.error = WriteGeneratedFileFound(path, bytes, keep, look.exists ? &look.status : nullptr,
                                           &result.stage, &written);
    if (Settle(result, written, record, look.folder, look.name)) ++tally_.written;
    return result;
}

OutputWrite OutputLedger::WriteFilled(std::string_view path, const FileFiller& fill,
                                      const FileIdSet* keep, const OutputConfirm& confirm,
                                      OutputKind kind, const SourceStamp* source) {
    OutputWrite result;
    Look look;
    OutputState state = Inspect(path, nullptr, 0, look);
    if (look.folder) look.folder->produced.insert(look.name);
    if (look.exists && look.status.isRegular && keep && keep->count(look.status.id) != 0) {
        return {OutputOutcome::Failed, EEXIST, WriteStage::Refused};
    }
    if (!MayReplace(path, state, look, confirm, result)) return result;
    Record record;
    record.kind = kind;
    if (source) {
        record.hasSource = true;
        record.source = *source;
    }
    // The record's hash is of what the filler wrote, read back from the new file.
    auto fillAndHash = [&](int fd, const std::string& systemPath) {
        if (int err = fill(fd, systemPath)) return err;
        return HashOfFile(systemPath, record.hash);
    };
    WrittenFile written;
    result.error = WriteGeneratedFileFilled(
        path, fillAndHash, keep, look.exists ? &look.status : nullptr, &result.stage, &written);
    if (Settle(result, written, record, look.folder, look.name)) ++tally_.written;
    return result;
}

bool OutputLedger::IsCurrent(std::string_view outputPath, const SourceStamp& source) {
    std::string name;
    Folder* folder = FolderOf(outputPath, name);
    if (!folder) return false;
    auto it = folder->records.find(name);
    if (it == folder->records.end() || !it->second.hasSource || !(it->second.source == source)) {
        return false;
    }
    PathStatus found;
    if (GetPathStatus(outputPath, found) != 0 || !found.isRegular) return false;
    if (SameStat(it->second, found)) return true;
    // Touched or copied since: current when it still holds what was written.
    std::string disk;
    if (found.size > kLargestExamined || ReadFileBytes(outputPath, disk) != 0 ||
        ContentHash(disk) != it->second.hash) {
        return false;
    }
    Record record = it->second;
    record.hasStat = true;
    record.size = found.size;
    record.mtimeNs = found.mtimeNs;
    SetRecord(*folder, name, record);
    return true;
}

void OutputLedger::KeepCurrent(std::string_view outputPath) {
    std::string name;
    if (Folder* folder = FolderOf(outputPath, name)) {
        folder->produced.insert(name);
        folder->present.insert(name);
    }
    ++tally_.unchanged;
}

void OutputLedger::Claim(std::string_view outputPath) {
    std::string name;
    if (Folder* folder = FolderOf(outputPath, name)) folder->produced.insert(name);
}

void OutputLedger::BeginBatch() {
    if (!batch_) batch_ = std::make_unique<Batch>();
}

std::vector<OutputLedger::FailedOutput> OutputLedger::CommitBatch() {
    std::vector<FailedOutput> failed;
    if (!batch_) return failed;
    std::unique_ptr<Batch> batch = std::move(batch_);
    std::vector<GeneratedFileBatch::Placed> placed = batch->files.Commit();
    for (size_t i = 0; i < placed.size() && i < batch->waiting.size(); ++i) {
        Batch::Waiting& w = batch->waiting[i];
        if (placed[i].error != 0) {
            failed.push_back({w.path, placed[i].error, placed[i].stage});
            continue;
        }
        if (w.folder) SetRecord(*w.folder, w.name, w.record);
        ++tally_.written;
    }
    return failed;
}

int OutputLedger::RemoveLeftovers(std::string_view folderPath, OutputKind kind) {
    Folder* folder = FolderAt(EnsureTrailingSeparator(folderPath));
    if (!folder || !folder->recording) return 0;
    std::vector<std::string> candidates;
    for (const auto& [name, record] : folder->records) {
        if (record.kind == kind && folder->produced.count(name) == 0 && RemovableName(name)) {
            candidates.push_back(name);
        }
    }
    int removed = 0;
    for (const std::string& name : candidates) {
        const Record& record = folder->records.at(name);
        const std::string path = folder->path + name;
        PathStatus found;
        if (GetPathStatus(path, found) != 0 || !found.isRegular) continue;
        if (!SameStat(record, found)) {
            std::string disk;
            if (found.size > kLargestExamined || ReadFileBytes(path, disk) != 0 ||
                ContentHash(disk) != record.hash) {
                continue;  // changed since the program wrote it: the user's now
            }
        }
        // Forgotten before it goes: a kill in between leaves a file nobody claims, which the
        // next run asks about, never a record that a new file of that name could pass for.
        folder->Append(manifest::ForgetLine(name));
        folder->changed.insert(name);
        if (RemoveFile(path) != 0) continue;  // the record stays, and Save writes it again
        folder->records.erase(name);
        ++removed;
    }
    tally_.removed += removed;
    return removed;
}

std::vector<Problem> OutputLedger::Save() {
    std::vector<Problem> failures;
    for (auto& [id, folderPtr] : folders_) {
        Folder& folder = *folderPtr;
        if (!folder.recording || (folder.changed.empty() && !folder.journalFound)) continue;
        // Read again and merged, so that what another run recorded here meanwhile stays; a
        // manifest that became unreadable gives way to what this run loaded.
        std::map<std::string, Record> merged;
        if (!manifest::LoadManifest(folder.ManifestPath(), merged)) merged = folder.records;
        manifest::LoadJournal(folder.JournalPath(), merged);
        for (const std::string& name : folder.changed) {
            auto it = folder.records.find(name);
            if (it == folder.records.end()) {
                merged.erase(name);
            } else {
                merged[name] = it->second;
            }
        }
        std::string text(manifest::kHeader);
        for (const auto& [name, record] : merged) {
            // A file that is gone is forgotten: whatever takes its name later is not the
            // program's.
            if (folder.present.count(name) == 0 && !FileExists(folder.path + name)) continue;
            text += manifest::RecordLine(name, record);
        }
        WriteStage stage = WriteStage::None;
        if (int error = WriteGeneratedFile(folder.ManifestPath(), text, nullptr, &stage)) {
            failures.push_back({.kind = ProblemKind::RecordNotSaved,
                                .path = folder.ManifestPath(),
                                .error = error,
                                .stage = stage});
            continue;
        }
        // Everything the journal said is in the manifest now.
        if (folder.journalFd >= 0) close(folder.journalFd);
        folder.journalFd = -1;
        RemoveFile(folder.JournalPath());
        folder.journalFound = false;
        folder.changed.clear();
    }
    tally_.recordFailures += static_cast<int>(failures.size());
    return failures;
}

}  // namespace mirulane
