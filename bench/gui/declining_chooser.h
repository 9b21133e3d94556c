#pragma once
// The benchmarks' chooser: every question answered as a user who declines; nothing is shown.

#include "ui/chooser.h"

namespace mirulane::ui {

class Declining : public Chooser {
  public:
    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                        QMessageBox::StandardButtons) override {
        return QMessageBox::No;
    }
    int Exec(QDialog&) override { return 0; }
    std::optional<QString> OpenFile(QWidget*, const QString&, const QString&,
                                    const QStringList&) override {
        return std::nullopt;
    }
    std::optional<QString> SaveFile(QWidget*, const QString&, const QString&, const QStringList&,
                                    const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> Folder(QWidget*, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QFont> Font(QWidget*, const QFont&) override { return std::nullopt; }
    void OpenUrl(const QUrl&, std::function<void()>) override {}
};

}  // namespace mirulane::ui
