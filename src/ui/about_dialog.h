#pragma once
// "バージョン情報": the application icon, the program's name and version, OK.

#include <QDialog>

namespace mirulane::ui {

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent);
};

}  // namespace mirulane::ui
