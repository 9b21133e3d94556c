#pragma once
// "ページ作成オプション": the album's page-style options on three tabs (top page, list page,
// detail pages). The dialog edits a copy; OK stores it into the album. The replacement-strings
// dialog and the thumbnail extraction it opens store theirs at once.

#include <QDialog>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "album/page_style.h"
#include "app/pages.h"
#include "ui/field_binder.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace mirulane::ui {

class DialogHelp;
class NumberField;
class UiSession;

class PageOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    enum Tab { kTopTab, kListTab, kDetailTab };

    PageOptionsDialog(UiSession& session, QWidget* parent);
    ~PageOptionsDialog() override;

    QTabWidget* Tabs() const { return tabs_; }

    // OK: the tabs' fields into the album (a template file that cannot be read is refused
    // first, and the dialog stays).
    void accept() override;

  private:
    struct TextField {
        int key;  // the binder's
        std::string PageStyle::*member;
    };
    struct NumberBinding {
        NumberField* field;
        int PageStyle::*member;
    };
    // A radio group or a list: the ids of its buttons, the rows of its list are the values.
    using ChoiceMember = std::variant<int PageStyle::*, TopLayout PageStyle::*,
                                      SizeMode PageStyle::*, TemplateSource PageStyle::*>;
    struct Choice {
        QButtonGroup* group = nullptr;
        QComboBox* list = nullptr;
        ChoiceMember member;
    };
    struct SwitchBinding {
        QCheckBox* check;
        bool PageStyle::*member;
    };
    struct Template {
        PresetKind kind;
        QButtonGroup* choice = nullptr;  // 0 preset, 1 file
        QComboBox* presets = nullptr;
        QPushButton* exportButton = nullptr;
        QLineEdit* file = nullptr;
        int fileKey = 0;  // the binder's
        QPushButton* browse = nullptr;
    };
    struct SizeRows {
        QButtonGroup* modes = nullptr;  // ids: the SizeMode values
        std::vector<QWidget*> scale;    // enabled with mode 0
        std::vector<QWidget*> fit;      // enabled with mode 1
    };

    QWidget* TopTab();
    QWidget* ListTab();
    QWidget* DetailTab();
    QWidget* ButtonRow(int helpContext);

    QLineEdit* Text(std::string PageStyle::*member, const char* objectName, size_t maxBytes,
                    const QString& name);
    NumberField* Number(int PageStyle::*member, const char* objectName, const QString& name);
    // A folder field with its "..." button; fixed: read-only while EnvChangePath is off.
    QLayout* FolderRow(std::string PageStyle::*member, const char* objectName, const char* caption,
                       const QString& name, bool fixed);
    QWidget* TemplateGroup(Template& t, TemplateSource PageStyle::*useFile, int PageStyle::*preset,
                           std::string PageStyle::*file, const char* prefix);
    QWidget* SizeGroup(SizeRows& size, SizeMode PageStyle::*mode, int PageStyle::*scale,
                       int PageStyle::*width, int PageStyle::*height, const char* prefix);

    void Show(const PageStyle& style);
    void Collect(PageStyle& style) const;
    void UpdateStates();
    void ResetToDefaults();
    void ExportChosenPreset(const Template& t);
    void ChooseTemplateFile(const Template& t);
    void OpenReplacementStrings();
    void ExtractThumbnails();
    // A template file the album does not use yet must be readable; false after the loader's
    // message.
    bool TemplateReadable(const PageStyle& style, const Template& t,
                          TemplateSource PageStyle::*useFile, std::string PageStyle::*file);
    void ShowHint(const QString& text);

    UiSession& session_;
    PageStyle edited_;  // the copy the dialog edits
    QTabWidget* tabs_ = nullptr;
    QLabel* hint_ = nullptr;
    FieldBinder binder_;
    std::vector<TextField> texts_;
    std::vector<NumberBinding> numbers_;
    std::vector<Choice> choices_;
    std::vector<SwitchBinding> switches_;
    std::vector<QWidget*> outputFolders_;  // fixed while EnvChangePath is off
    QButtonGroup* layouts_ = nullptr;
    QWidget* frameWidthRow_[2] = {};   // label and field of ListFrameWidth
    QWidget* frameHeightRow_[2] = {};  // label and field of ListFrameHeight
    Template listTemplate_{PresetKind::List};
    Template detailTemplate_{PresetKind::Detail};
    SizeRows thumbSize_;
    SizeRows imageSize_;
    QPushButton* extract_ = nullptr;
    std::unique_ptr<DialogHelp> help_;
};

}  // namespace mirulane::ui
