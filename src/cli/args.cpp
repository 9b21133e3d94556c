#include "cli/args.h"

#include <algorithm>

#include "cli/page_options.h"

namespace mirulane::cli {
namespace {

const OptionSpec* FindOption(const CommandSpec& command, std::string_view name) {
    for (const OptionSpec& o : command.options) {
        if (name == o.name) return &o;
    }
    if (command.pageOptions) {
        for (const OptionSpec& o : PageOptionSpecs()) {
            if (name == o.name) return &o;
        }
    }
    return nullptr;
}

std::string OptionLabel(const OptionSpec& o) {
    return o.value ? std::string(o.name) + " " + o.value : std::string(o.name);
}

// Option lines of a help text: the option and its value in a column, then its description.
void PrintOptions(std::FILE* out, std::span<const OptionSpec> options, const char* indent) {
    size_t width = 0;
    for (const OptionSpec& o : options) width = std::max(width, OptionLabel(o).size());
    for (const OptionSpec& o : options) {
        std::fprintf(out, "%s%-*s  %s\n", indent, static_cast<int>(width), OptionLabel(o).c_str(),
                     o.help);
    }
}

constexpr const char* kProgram = "mirulane-cli";
constexpr const char* kGlobalUsage = "mirulane-cli [--profile FILE]";

const OptionSpec kGlobalOptions[] = {
    {"--profile", "FILE", "使用する設定ファイル（.ini）"},
    {"--help", nullptr, "使い方を表示します（help COMMAND でコマンドごとの説明）"},
    {"--version", nullptr, "バージョンを表示します"},
};

}  // namespace

const std::string* Args::Value(std::string_view name) const {
    for (const auto& [option, value] : options) {
        if (option == name) return &value;
    }
    return nullptr;
}

bool ParseNumber(std::string_view text, int lo, int hi, int& out) {
    if (text.empty() || text.size() > 9) return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < lo || value > hi) return false;
    out = value;
    return true;
}

bool ParseArgs(const CommandSpec& command, const std::vector<std::string>& args, Args& out,
               std::string& error) {
    out = Args();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') {
            out.operands.push_back(a);
            continue;
        }
        const OptionSpec* option = FindOption(command, a);
        if (!option) {
            error = "「" + a + "」は " + command.name + " コマンドのオプションではありません";
            return false;
        }
        if (out.Has(a)) {
            error = "オプション " + a + " が２回指定されています";
            return false;
        }
        std::string value;
        if (option->value) {
            if (i + 1 >= args.size()) {
                error = "オプション " + a + " の後に " + option->value + " を指定してください";
                return false;
            }
            value = args[++i];
        }
        out.options.emplace_back(a, std::move(value));
    }
    int count = static_cast<int>(out.operands.size());
    if (count < command.minOperands) {
        error = std::string(command.operand) + " を指定してください";
        return false;
    }
    if (command.maxOperands >= 0 && count > command.maxOperands) {
        error = "余分な引数「" + out.operands[command.maxOperands] + "」があります";
        return false;
    }
    return true;
}

int UsageError(const CommandSpec& command, std::string_view message) {
    std::fprintf(stderr, "%s: %.*s\n", kProgram, static_cast<int>(message.size()), message.data());
    std::fprintf(stderr, "使い方: %s %s %s\n", kGlobalUsage, command.name, command.synopsis);
    std::fprintf(stderr, "（詳しくは %s help %s）\n", kProgram, command.name);
    return 2;
}

void PrintHelp(std::FILE* out, std::span<const CommandSpec> commands) {
    std::fprintf(
        out,
        "使い方: %s COMMAND ...\n"
        "写真のフォルダから HTML アルバム（index.html、list.html、個別ページ）を作成します。\n"
        "\nコマンド:\n",
        kGlobalUsage);
    for (const CommandSpec& c : commands) {
        std::fprintf(out, "  %s %s\n      %s\n", c.name, c.synopsis, c.help);
        PrintOptions(out, c.options, "        ");
    }
    std::fprintf(out, "\nページ作成オプション PAGE-OPTIONS（album, generate, options）:\n");
    PrintOptions(out, PageOptionSpecs(), "  ");
    std::fprintf(out, "\n全体のオプション:\n");
    PrintOptions(out, kGlobalOptions, "  ");
    std::fprintf(out,
                 "\nメッセージは標準エラー出力に出ます。終了コードは 0 が成功、1 が失敗、2 が"
                 "使い方の誤りです。\n");
}

void PrintCommandHelp(std::FILE* out, const CommandSpec& command) {
    std::fprintf(out, "使い方: %s %s %s\n%s\n", kGlobalUsage, command.name, command.synopsis,
                 command.help);
    if (!command.options.empty()) {
        std::fprintf(out, "\nオプション:\n");
        PrintOptions(out, command.options, "  ");
    }
    if (command.pageOptions) {
        std::fprintf(
            out, "\nページ作成オプション PAGE-OPTIONS（アルバムリストファイルに保存されます）:\n");
        PrintOptions(out, PageOptionSpecs(), "  ");
        std::fprintf(out, "\n");
        for (const std::string& line : PresetCatalogueLines()) {
            std::fprintf(out, "%s\n", line.c_str());
        }
    }
}

}  // namespace mirulane::cli
