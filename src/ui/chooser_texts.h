#pragma once
// The texts of the file and folder choosers, each written once.

#include <QString>
#include <QStringList>

namespace mirulane::ui {

// The folder browser's prompt.
inline QString FolderPrompt() { return QString::fromUtf8("フォルダを選択してください"); }

// Every file; the last filter of each chooser.
inline QString AllFilesFilter() { return QString::fromUtf8("すべてのﾌｧｲﾙ (*)"); }

// The album list file: tab-separated text files, then every file.
inline QStringList AlbumFilters() {
    return {QString::fromUtf8("ﾃｷｽﾄﾌｧｲﾙ(ﾀﾌﾞ区切り) (*.txt)"), AllFilesFilter()};
}

// A preset saved as an HTML file.
inline QStringList HtmlSaveFilters() {
    return {QString::fromUtf8("HTMLﾄﾞｷｭﾒﾝﾄ (*.htm *.html)"), AllFilesFilter()};
}

// A template file to open. Its caption has always read "HTMLドｷｭﾒﾝﾄ", with a full-width ド
// unlike the save filter's; users see it as it always was.
inline QStringList HtmlOpenFilters() {
    return {QString::fromUtf8("HTMLドｷｭﾒﾝﾄ (*.htm *.html)"), AllFilesFilter()};
}

}  // namespace mirulane::ui
