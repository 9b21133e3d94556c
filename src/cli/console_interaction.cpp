#include "cli/console_interaction.h"

#include <unistd.h>

#include <iostream>
#include <string>

#include "app/text.h"

namespace mirulane::cli {

bool StdioIsInteractive() { return isatty(STDIN_FILENO) && isatty(STDERR_FILENO); }

ConsoleInteraction::ConsoleInteraction(bool interactive) : interactive_(interactive) {}

namespace {

// Reads one answer letter from the terminal; 0 at end of input.
char ReadAnswer() {
    std::string line;
    if (!std::getline(std::cin, line)) return 0;
    for (char c : line) {
        if (c != ' ' && c != '\t') return static_cast<char>(c | 0x20);
    }
    return 0;
}

}  // namespace

MsgAnswer ConsoleInteraction::Message(std::string_view text, std::string_view caption, MsgIcon,
                                      MsgButtons buttons) {
    FinishStatus();
    std::string shown = ToDisplay(text);
    if (!caption.empty()) shown = "[" + ToDisplay(caption) + "] " + shown;
    std::fprintf(stderr, "%s\n", shown.c_str());
    switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::OkCancel:
            if (!interactive_) return MsgAnswer::Cancel;
            std::fprintf(stderr, "OK(o) / キャンセル(c)? ");
            return ReadAnswer() == 'o' ? MsgAnswer::Ok : MsgAnswer::Cancel;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel:
            break;
    }
    if (answerYes_) {
        std::fprintf(stderr, "→ はい（--force）\n");
        return MsgAnswer::Yes;
    }
    // Nobody to ask: the careful answer is "no" (nothing is thrown away on a guess).
    if (!interactive_) {
        std::fprintf(stderr, "→ いいえ（端末がないため確認できません）\n");
        return buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel : MsgAnswer::No;
    }
    for (;;) {
        std::fprintf(stderr, buttons == MsgButtons::YesNo
                                 ? "はい(y) / いいえ(n)? "
                                 : "はい(y) / いいえ(n) / キャンセル(c)? ");
        switch (ReadAnswer()) {
            case 'y':
                return MsgAnswer::Yes;
            case 'n':
                return MsgAnswer::No;
            case 'c':
                if (buttons == MsgButtons::YesNoCancel) return MsgAnswer::Cancel;
                break;
            case 0:
                return buttons == MsgButtons::YesNoCancel ? MsgAnswer::Cancel : MsgAnswer::No;
            default:
                break;
        }
    }
}

void ConsoleInteraction::WarnNamingFiles(std::string_view before,
                                         const std::vector<std::string>& names,
                                         std::string_view after) {
    FinishStatus();
    std::string shown = ToDisplay(before);
    for (const std::string& name : names) shown += "\n  " + ShownName(name);
    std::fprintf(stderr, "%s\n%s\n", shown.c_str(), ToDisplay(after).c_str());
}

OverwriteAnswer ConsoleInteraction::ConfirmOverwrite(std::string_view path) {
    // Nobody to ask: the file is kept (the command says which it kept).
    if (!interactive_) return OverwriteAnswer::No;
    FinishStatus();
    std::string shown = ToDisplay(path);
    for (;;) {
        std::fprintf(stderr, "%s\n%s\nはい(y) / すべて上書き(a) / いいえ(n) / キャンセル(c)? ",
                     ToDisplay(Sj("ファイルが既に存在します。上書きしますか？")).c_str(),
                     shown.c_str());
        switch (ReadAnswer()) {
            case 'y':
                return OverwriteAnswer::Yes;
            case 'a':
                return OverwriteAnswer::All;
            case 'n':
                return OverwriteAnswer::No;
            case 'c':
            case 0:
                return OverwriteAnswer::Cancel;
            default:
                break;
        }
    }
}

void ConsoleInteraction::SetStatus(StatusPane pane, std::string_view text) {
    if (pane != StatusPane::Message) return;
    if (text.empty()) {
        FinishStatus();
        return;
    }
    ShowStatusLine(ToDisplay(text));
}

ProgressAnswer ConsoleInteraction::Progress(int done, int total) {
    if (!progressLabel_.empty()) {
        ShowStatusLine(progressLabel_ + " " + std::to_string(done) + "/" + std::to_string(total));
    }
    return ProgressAnswer::Continue;
}

void ConsoleInteraction::ShowStatusLine(const std::string& utf8) {
    // Progress is for a person watching; a pipe or log gets none of it.
    if (!interactive_) return;
    // A run that waits on slow work asks again and again with the same step: drawn once.
    if (statusShown_ && utf8 == shownStatus_) return;
    std::fprintf(stderr, "\r%s\x1b[K", utf8.c_str());
    statusShown_ = true;
    shownStatus_ = utf8;
}

void ConsoleInteraction::FinishStatus() {
    if (!statusShown_) return;
    std::fprintf(stderr, "\r\x1b[K");
    statusShown_ = false;
}

}  // namespace mirulane::cli
