#include "cli/output_summary.h"

#include <string>
#include <vector>

#include "app/text.h"

namespace mirulane::cli {
namespace {

// 1570 -> "1,570".
std::string Grouped(int n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

const char* ForceHint(int kept) { return kept > 0 ? "（--force で上書きします）" : ""; }

// --force replaces only what the program wrote: a file of someone else's is replaced only by
// an answer about that very file.
const char* AnswerHint(int kept) {
    return kept > 0 ? "（--force では上書きしません。端末で確認に答えると上書きします）" : "";
}

void PrintPaths(std::FILE* out, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) std::fprintf(out, "  %s\n", ToDisplay(path).c_str());
}

}  // namespace

void PrintOutputSummary(std::FILE* out, const OutputTally& tally) {
    const int edited = static_cast<int>(tally.keptEdited.size());
    const int unknown = static_cast<int>(tally.keptUnknown.size());
    if (tally.written == 0 && tally.unchanged == 0 && edited == 0 && unknown == 0 &&
        tally.removed == 0) {
        return;
    }
    std::fprintf(out, "書き込み: %s件\n", Grouped(tally.written).c_str());
    std::fprintf(out, "変更なし: %s件\n", Grouped(tally.unchanged).c_str());
    std::fprintf(out, "保持（手で編集されたファイル）: %s件%s\n", Grouped(edited).c_str(),
                 ForceHint(edited));
    PrintPaths(out, tally.keptEdited);
    std::fprintf(out, "保持（このプログラムが作成していないファイル）: %s件%s\n",
                 Grouped(unknown).c_str(), AnswerHint(unknown));
    PrintPaths(out, tally.keptUnknown);
    if (tally.removed > 0) {
        std::fprintf(out, "削除（アルバムから外れたエントリの出力ファイル）: %s件\n",
                     Grouped(tally.removed).c_str());
    }
}

}  // namespace mirulane::cli
