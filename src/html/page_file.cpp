#include "html/page_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/session.h"
#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {

ReplaceDecision ConfirmReplace(Session& session, std::string_view path) {
    if (session.overwriteAll || !FileExists(path)) return ReplaceDecision::Write;
    switch (session.ui.ConfirmOverwrite(path)) {
        case OverwriteAnswer::Yes:
            return ReplaceDecision::Write;
        case OverwriteAnswer::All:
            session.overwriteAll = true;
            return ReplaceDecision::Write;
        case OverwriteAnswer::No:
            return ReplaceDecision::Skip;
        case OverwriteAnswer::Cancel:
            break;
    }
    return ReplaceDecision::Cancel;
}

namespace {

// Creates a file that does not exist yet and writes it whole; a file that cannot be written
// whole is removed again, so no half page is left behind. EEXIST when the file exists.
int WriteNewFile(const std::string& sys, std::string_view bytes) {
    int fd = open(sys.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int err = 0;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            err = n < 0 ? errno : EIO;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (close(fd) != 0 && err == 0) err = errno;
    if (err != 0) unlink(sys.c_str());
    return err;
}

}  // namespace

int WriteTextFile(std::string_view path, std::string_view text) {
    std::string bytes = ToCrLf(text);
    // An existing file is replaced through a flushed temporary file, so a failure never
    // destroys it. A new file has nothing to protect: it is created directly, which keeps a
    // run over thousands of new pages as fast as creating that many files.
    std::optional<std::string> sys = ToSystemPath(path);
    if (!sys) return EILSEQ;
    if (!sys->empty()) {
        int err = WriteNewFile(*sys, bytes);
        if (err != EEXIST) return err;
    }
    return WriteFileReplacing(path, bytes);
}

bool IsWriteFailure(int err) {
    return err == ENOSPC || err == EDQUOT || err == EIO || err == EFBIG;
}

}  // namespace mirulane
