// mirulane-cli: the album work of the desktop app, without a window.

#include <cstdio>
#include <string>
#include <vector>

#include "album/settings.h"
#include "app/settings_profile.h"
#include "app/version.h"
#include "cli/cli.h"

namespace {

using mirulane::cli::CommandSpec;
using mirulane::cli::OptionSpec;

constexpr OptionSpec kForce = {"--force", nullptr, "既存の出力ファイルを確認せずに上書きします"};
// Pages and thumbnails: only what the program wrote there is replaced without a question.
constexpr OptionSpec kForceOutputs = {
    "--force", nullptr,
    "このプログラムが作成した出力ファイル（その後に編集されたものも）を確認せずに上書きします。"
    "このプログラムが作成していないファイルは、端末で確認して答えたときだけ上書きします"};
constexpr OptionSpec kExifOnly = {
    "--exif-only", nullptr,
    "Exif サムネイルの抽出だけを行い、サムネイルのない画像の縮小画像は作成しません"};

const OptionSpec kAlbumOptions[] = {
    {"-o", "LIST.txt",
     "アルバムリストファイル（既定: index.html と同じフォルダの「フォルダ名.txt」）"},
    {"--thumbs", nullptr,
     "サムネイルを抽出（Exif "
     "サムネイルのない画像は縮小して作成、動画はポスターを作成）してリストページに表示します"
     "（テキストのみのリストページはプリセット 4 に）"},
    kExifOnly,
    kForceOutputs,
};
const OptionSpec kScanOptions[] = {{"-o", "LIST.txt", "作成するアルバムリストファイル"}};
const OptionSpec kRefreshOptions[] = {
    {"--force", nullptr,
     "フォルダにファイルが１件もなくても、すべてのエントリを削除して更新します"},
};
const OptionSpec kGenerateOptions[] = {kForceOutputs};
const OptionSpec kThumbsOptions[] = {
    {"--to", "FOLDER",
     "サムネイルの出力先（既定: アルバムのサムネイルの場所）。--save がなければアルバムリスト"
     "ファイルは変更しません"},
    {"--save", nullptr,
     "--to の出力先をアルバムのサムネイルの場所としてアルバムリストファイルに保存します"},
    kExifOnly,
    kForceOutputs,
};
const OptionSpec kResaveOptions[] = {{"-o", "OUT.txt", "保存先のファイル"}};
const OptionSpec kExifOptions[] = {
    {"--fields", nullptr,
     "エントリに書き込まれるカメラ情報 10 項目を、1 ファイル 1 行で表示します"},
};
const OptionSpec kExportOptions[] = {
    {"--layout", "v|h", "リストプリセットの縦並び (v、既定) か横並び (h)"},
    {"-o", "FILE", "出力するファイル（フォルダなら既定のファイル名）"},
    kForce,
};

// One row per command; keep the README's command list in step with it.
const CommandSpec kCommands[] = {
    {"album", "FOLDER [-o LIST.txt] [--thumbs [--exif-only]] [--force] [PAGE-OPTIONS]",
     "フォルダのアルバムを作成します（既存のアルバムリストファイルは更新し、置き換えません）",
     "FOLDER", 1, 1, kAlbumOptions, true, mirulane::cli::CmdAlbum},
    {"scan", "FOLDER -o LIST.txt", "フォルダを読み込んで、新しいアルバムリストファイルに保存します",
     "FOLDER", 1, 1, kScanOptions, false, mirulane::cli::CmdScan},
    {"refresh", "LIST.txt [--force]",
     "アルバムをフォルダの最新の情報に更新します（新しいファイルは末尾に追加、編集は保持）",
     "LIST.txt", 1, 1, kRefreshOptions, false, mirulane::cli::CmdRefresh},
    {"generate", "LIST.txt [--force] [PAGE-OPTIONS]",
     "アルバムリストファイルから HTML ページを作成します", "LIST.txt", 1, 1, kGenerateOptions, true,
     mirulane::cli::CmdGenerate},
    {"options",
     "LIST.txt [PAGE-OPTIONS]",
     "アルバムのページ作成オプションを表示します（オプションを付けると変更して保存します）",
     "LIST.txt",
     1,
     1,
     {},
     true,
     mirulane::cli::CmdOptions},
    {"thumbs", "LIST.txt [--to FOLDER [--save]] [--exif-only] [--force]",
     "各エントリの Exif "
     "サムネイルを抽出し、サムネイルのない画像は縮小して、動画はポスターを作成します",
     "LIST.txt", 1, 1, kThumbsOptions, false, mirulane::cli::CmdThumbs},
    {"resave", "LIST.txt -o OUT.txt",
     "アルバムリストファイルを読み込んで、別のファイルに書き出します", "LIST.txt", 1, 1,
     kResaveOptions, false, mirulane::cli::CmdResave},
    {"exif", "[--fields] FILE...", "JPEG ファイルの Exif 情報を 1 項目 1 行で表示します", "FILE", 1,
     -1, kExifOptions, false, mirulane::cli::CmdExif},
    {"export-preset", "detail|list N [--layout v|h] -o FILE [--force]",
     "プリセットのテンプレートをファイルに出力します（N は 0 から）", "detail|list と N", 2, 2,
     kExportOptions, false, mirulane::cli::CmdExportPreset},
};

const CommandSpec* FindCommand(const std::string& name) {
    for (const auto& row : kCommands) {
        if (name == row.name) return &row;
    }
    return nullptr;
}

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

int GeneralUsageError(const std::string& message) {
    std::fprintf(stderr,
                 "mirulane-cli: %s\n使い方: mirulane-cli [--profile FILE] COMMAND ...\n"
                 "（コマンドの一覧は mirulane-cli --help）\n",
                 message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string profilePath;
    // --profile may stand anywhere before or after the command.
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--profile") {
            if (i + 1 >= args.size()) {
                return GeneralUsageError("オプション --profile の後に FILE を指定してください");
            }
            profilePath = args[++i];
        } else {
            rest.push_back(args[i]);
        }
    }
    if (rest.empty()) return GeneralUsageError("コマンドを指定してください");
    if (IsHelp(rest[0]) || (rest[0] == "help" && rest.size() == 1)) {
        mirulane::cli::PrintHelp(stdout, kCommands);
        return 0;
    }
    if (rest[0] == "--version") {
        std::printf("mirulane-cli %.*s\n", static_cast<int>(mirulane::ProgramVersion().size()),
                    mirulane::ProgramVersion().data());
        return 0;
    }
    if (rest[0] == "help") {
        const CommandSpec* command = FindCommand(rest[1]);
        if (!command) return GeneralUsageError("「" + rest[1] + "」というコマンドはありません");
        if (rest.size() > 2) return GeneralUsageError("余分な引数「" + rest[2] + "」があります");
        mirulane::cli::PrintCommandHelp(stdout, *command);
        return 0;
    }
    const CommandSpec* command = FindCommand(rest[0]);
    if (!command) {
        return GeneralUsageError(rest[0][0] == '-'
                                     ? "「" + rest[0] + "」というオプションはありません"
                                     : "「" + rest[0] + "」というコマンドはありません");
    }
    std::vector<std::string> commandArgs(rest.begin() + 1, rest.end());
    for (const std::string& arg : commandArgs) {
        if (IsHelp(arg)) {
            mirulane::cli::PrintCommandHelp(stdout, *command);
            return 0;
        }
    }
    mirulane::cli::Args parsed;
    std::string error;
    if (!mirulane::cli::ParseArgs(*command, commandArgs, parsed, error)) {
        return mirulane::cli::UsageError(*command, error);
    }

    mirulane::cli::ConsoleInteraction console(mirulane::cli::StdioIsInteractive());
    mirulane::Session session(console);
    // The command line only reads the profile; it never writes it.
    mirulane::SettingsProfile(profilePath).Load(session.settings);
    // --force is the runs' overwrite-all, as the window's setting is: it replaces what the
    // program wrote, never a file of someone else's.
    if (parsed.Has("--force")) session.settings.EnvForceOverWrite = true;

    mirulane::cli::Context ctx{session, console, *command, {}};
    int status = command->fn(ctx, parsed);
    console.FinishStatus();
    return status;
}
