#pragma once
// "ファイルの上書き確認": asked before an output file that already exists is replaced.

#include <QDialog>

namespace mirulane::ui {

class OverwriteDialog : public QDialog {
    Q_OBJECT
  public:
    // The dialog's result codes; Escape and the close box give Cancel.
    enum Result { Cancel = QDialog::Rejected, Yes = QDialog::Accepted, All, No };

    // Texts as shown: the file's folder and name, its size ("1,234 バイト") and creation time.
    OverwriteDialog(QWidget* parent, const QString& folder, const QString& file,
                    const QString& size, const QString& created);
};

// "1,234,567 バイト"
QString SizeText(qint64 bytes);
// "2024年  1月  5日  9:05:03" in local time.
QString CreationTimeText(qint64 secondsSinceEpoch);

}  // namespace mirulane::ui
