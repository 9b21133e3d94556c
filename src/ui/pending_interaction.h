#pragma once
// The core's interaction interface is about to name its status-bar panes and to report the
// progress of long runs (with a way to cancel them). Until it does, the window declares the two
// types here with the names and values the core will use; once the core has them this header
// goes and QtInteraction's two members of the same names become overrides.

namespace mirulane::ui {

enum class StatusPane { Message = 0, TargetFolder = 1, RowCount = 2 };
enum class ProgressAnswer { Continue, Cancel };

}  // namespace mirulane::ui
