#include "cli/output_summary.h"

#include <string>

#include "platform/cp932.h"

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

}  // namespace

void PrintOutputSummary(std::FILE* out, const OutputTally& tally) {
    const int edited = static_cast<int>(tally.keptEdited.size());
    const int unknown = tally.keptUnknown;
    if (tally.written == 0 && tally.unchanged == 0 && edited == 0 && unknown == 0) return;
    std::fprintf(out, "書き込み: %s件\n", Grouped(tally.written).c_str());
    std::fprintf(out, "変更なし: %s件\n", Grouped(tally.unchanged).c_str());
    std::fprintf(out, "保持（手で編集されたファイル）: %s件%s\n", Grouped(edited).c_str(),
                 ForceHint(edited));
    for (const std::string& path : tally.keptEdited) {
        std::fprintf(out, "  %s\n", ToDisplay(path).c_str());
    }
    std::fprintf(out, "保持（このプログラムが作成していないファイル）: %s件%s\n",
                 Grouped(unknown).c_str(), ForceHint(unknown));
}

}  // namespace mirulane::cli
