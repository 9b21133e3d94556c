#pragma once
// The overwrite policy of one run: whether existing output files are replaced without asking,
// and the one place that turns the user's answer to the overwrite confirmation into what the
// run does with the file.

#include <string_view>

#include "platform/interaction.h"

namespace mirulane {

// Carries "overwrite all" across one run and holds the one switch over the user's answer.
class OverwritePolicy {
  public:
    // overwriteAll: existing files are replaced without asking from the start (the
    // EnvForceOverWrite setting); otherwise the answer "すべて上書き" turns it on.
    OverwritePolicy(Interaction& ui, bool overwriteAll);

    enum class Decision {
        Write,   // the file is absent, overwrite-all is on, or the user agreed
        Skip,    // the user answered "no": keep the existing file, go on
        Cancel,  // the user cancelled: the run ends
    };

    // Asks before an existing file (CP932 path) is replaced, unless overwrite-all is on; the
    // answer "all" turns it on for the rest of the run.
    Decision Confirm(std::string_view path);
    // Asks before a file the program never wrote there is replaced, whatever overwrite-all
    // says: neither --force nor the setting replaces a user's own file, only the user's answer
    // about this very file does. The answer "all" replaces this one and turns overwrite-all on
    // for the program's own files; a later file that is not is asked about again.
    Decision ConfirmForeign(std::string_view path);

  private:
    Decision Ask(std::string_view path);

    Interaction& ui_;
    bool overwriteAll_;
};

}  // namespace mirulane
