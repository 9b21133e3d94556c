// "ページ作成オプション" and "テンプレートの置換文字列設定" driven through their widgets from the
// window's command: what they show, the number fields' rules, the reset, the preset export,
// template files, what OK and Cancel leave in the album, the remembered tab, help, and the
// names assistive technology reads.

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest/QTest>

#include <filesystem>

#include "album/album_file.h"
#include "app/session.h"
#include "fixtures/cli_runner.h"
#include "fixtures/exif_builder.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"
#include "ui/help.h"
#include "ui/mirulane_doc.h"
#include "ui/number_field_widget.h"
#include "ui/page_options_dialog.h"
#include "ui/replacement_strings_dialog.h"
#include "ui/thumbnail_dialog.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;

QString Shown(QDialog& d, const char* field) {
    if (auto* spin = d.findChild<QAbstractSpinBox*>(QString::fromLatin1(field))) {
        return spin->text();
    }
    return Find<QLineEdit>(d, field)->text();
}

// What the user types into: the spin box's own line edit.
QLineEdit* EditOf(QAbstractSpinBox* spin) { return spin->findChild<QLineEdit*>(); }

// Types into a number field and leaves it.
void TypeNumber(QDialog& d, const char* field, const QString& text) {
    auto* spin = Find<NumberField>(d, field);
    EditOf(spin)->setText(text);
    emit spin->editingFinished();
}

class PageOptionsTest : public WindowTest {
  protected:
    void OpenAlbum(int entries = 2) {
        std::vector<std::string> names;
        for (int i = 0; i < entries; ++i) names.push_back("p" + std::to_string(i) + ".jpg");
        frame->OpenAlbumFile(QString::fromStdString(WriteAlbum(names)));
        ASSERT_EQ(session->State().entries, entries);
    }
    Album& album() { return session->Core().album; }

    template <typename Dialog>
    void Script(std::function<int(Dialog&)> script) {
        chooser.dialogScripts.push_back([script](QDialog& d) {
            auto* dialog = dynamic_cast<Dialog*>(&d);
            EXPECT_NE(dialog, nullptr) << d.windowTitle().toStdString();
            return dialog ? script(*dialog) : QDialog::Rejected;
        });
    }
    // Opens the options with a script; the script's result.
    void Options(std::function<int(PageOptionsDialog&)> script) {
        Script<PageOptionsDialog>(std::move(script));
        Trigger(C::kPageOptions);
        EXPECT_TRUE(chooser.dialogScripts.empty());
    }
    // The album as its list file holds it: every field, byte for byte.
    std::string AlbumBytes() {
        ScriptedInteraction ui;
        std::string path = dir.path() + "/snapshot.txt";
        (void)WriteAlbumFile(album(), path);
        return dir.Read("snapshot.txt");
    }
};

int Ok(QDialog& d) {
    Click(d, "ok");
    return d.result();
}
int Cancel(QDialog& d) {
    Click(d, "cancel");
    return d.result();
}

TEST_F(PageOptionsTest, ShowsTheAlbumsOptionsAndOkStoresThemAndRefreshesThePreview) {
    OpenAlbum();
    PageStyle& s = album().style;
    s.TopFolder = dir.path() + "/photos";
    s.ListFrameWidth = 150;
    s.ListFrameHeight = 77;
    s.ThumbSizeMode = SizeMode::Scale;
    s.DetailPreset = 11;
    album().modified = false;
    QSignalSpy updates(&frame->Doc(), &CMirulaneDoc::Updated);

    Options([&](PageOptionsDialog& d) {
        d.show();
        EXPECT_EQ(d.windowTitle(), U("ページ作成オプション"));
        QTabWidget* tabs = d.Tabs();
        EXPECT_EQ(tabs->tabText(0), U("トップページ"));
        EXPECT_EQ(tabs->tabText(1), U("リストページ"));
        EXPECT_EQ(tabs->tabText(2), U("個別ページ"));
        EXPECT_EQ(tabs->currentIndex(), 0);
        EXPECT_EQ(Shown(d, "topTitle"), U("ミルレーン"));
        EXPECT_EQ(Shown(d, "topFolder"), QString::fromStdString(s.TopFolder));
        EXPECT_TRUE(Find<QToolButton>(d, "layout0")->isChecked());
        // Layouts 0 and 1 show the frame's width, 2 and 3 its height, in the same place.
        EXPECT_TRUE(Find(d, "frameWidth")->isVisible());
        EXPECT_FALSE(Find(d, "frameHeight")->isVisible());
        EXPECT_EQ(Shown(d, "frameWidth"), "150");
        Click(d, "layout2");
        EXPECT_FALSE(Find(d, "frameWidth")->isVisible());
        EXPECT_TRUE(Find(d, "frameHeight")->isVisible());
        EXPECT_EQ(Shown(d, "frameHeight"), "77");
        TypeNumber(d, "frameHeight", "90");

        // The size modes enable their fields.
        tabs->setCurrentIndex(PageOptionsDialog::kListTab);
        EXPECT_TRUE(Find<QRadioButton>(d, "thumbScaleMode")->isChecked());
        EXPECT_TRUE(Find(d, "thumbScale")->isEnabled());
        EXPECT_FALSE(Find(d, "thumbFitWidth")->isEnabled());
        Click(d, "thumbActualMode");
        EXPECT_FALSE(Find(d, "thumbScale")->isEnabled());
        EXPECT_FALSE(Find(d, "thumbFitHeight")->isEnabled());
        Click(d, "thumbFitMode");
        EXPECT_TRUE(Find(d, "thumbFitHeight")->isEnabled());
        EXPECT_FALSE(Find(d, "thumbScale")->isEnabled());
        TypeNumber(d, "thumbFitWidth", "120");
        auto* lists = Find<QComboBox>(d, "listPresets");
        EXPECT_EQ(lists->count(), kListPresetCount);
        EXPECT_EQ(lists->itemText(4), U("サムネイル＋枠＋撮影情報"));
        Find<QComboBox>(d, "listAlign")->setCurrentIndex(1);

        tabs->setCurrentIndex(PageOptionsDialog::kDetailTab);
        auto* details = Find<QComboBox>(d, "detailPresets");
        EXPECT_EQ(details->count(), kDetailPresetCount);
        EXPECT_EQ(details->currentText(), U("いろいろ"));
        details->setCurrentIndex(16);
        Click(d, "targetToTop");

        // Without EnvChangePath the output folders are fixed; the pictures' folder is not.
        for (const char* name : {"topFolder", "listFolder", "thumbFolder", "detailFolder"}) {
            EXPECT_TRUE(Find<QLineEdit>(d, name)->isReadOnly()) << name;
            EXPECT_FALSE(Find(d, (std::string(name) + "Browse").c_str())->isEnabled()) << name;
        }
        EXPECT_FALSE(Find<QLineEdit>(d, "imageFolder")->isReadOnly());
        EXPECT_TRUE(Find(d, "imageFolderBrowse")->isEnabled());
        chooser.folders.push_back(QString::fromStdString(dir.path() + "/pictures"));
        Click(d, "imageFolderBrowse");
        return Ok(d);
    });
    EXPECT_EQ(chooser.folderTitles, QStringList{U("フォルダを選択してください")});
    EXPECT_EQ(s.TopStyle, TopLayout::ListBelow);
    EXPECT_EQ(s.ListFrameHeight, 90);
    EXPECT_EQ(s.ListFrameWidth, 150);  // kept while hidden
    EXPECT_EQ(s.ThumbSizeMode, SizeMode::Fit);
    EXPECT_EQ(s.ThumbFitWidth, 120);
    EXPECT_EQ(s.ListAlign, 1);
    EXPECT_EQ(s.DetailPreset, 16);
    EXPECT_EQ(s.TargetToTop, 0);
    EXPECT_EQ(s.ImageFolder, dir.path() + "/pictures");
    EXPECT_TRUE(album().modified);
    ASSERT_EQ(updates.size(), 1);
    EXPECT_EQ(updates[0][1].toInt(), album().currentEntry);
    EXPECT_EQ(session->HelpContext(), kHelpMainWindowAgain);

    // With EnvChangePath the output folders can be typed and browsed.
    session->Core().settings.EnvChangePath = 1;
    Options([&](PageOptionsDialog& d) {
        for (const char* name : {"topFolder", "listFolder", "thumbFolder", "detailFolder"}) {
            EXPECT_FALSE(Find<QLineEdit>(d, name)->isReadOnly()) << name;
            EXPECT_TRUE(Find(d, (std::string(name) + "Browse").c_str())->isEnabled()) << name;
        }
        return Cancel(d);
    });
    EXPECT_EQ(updates.size(), 2);  // Cancel refreshes the views too
}

TEST_F(PageOptionsTest, NumberFieldsNeverStepBelowZeroAndOkRefusesTextThatIsNoInteger) {
    OpenAlbum();
    album().style.ListFrameWidth = -5;  // an album file may hold it; the field shows 0
    Options([&](PageOptionsDialog& d) {
        d.show();
        EXPECT_EQ(Shown(d, "frameWidth"), "0");
        auto* spin = Find<NumberField>(d, "listMarginH");
        // A click on an empty field gives 1 up, 0 down; down stops at 0; no upper limit.
        for (auto [start, steps, expected] :
             {std::tuple{"", 1, "1"}, std::tuple{"", -1, "0"}, std::tuple{"0", -1, "0"},
              std::tuple{"abc", 1, "1"}, std::tuple{"7", -1, "6"}, std::tuple{"7", 1, "8"},
              std::tuple{"2147483647", 1, "2147483647"}}) {
            EditOf(spin)->setText(QString::fromLatin1(start));
            spin->stepBy(steps);
            EXPECT_EQ(spin->text(), QString::fromLatin1(expected)) << start << " " << steps;
        }
        EditOf(spin)->setText("3");
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Down);
        QTest::keyClick(spin, Qt::Key_Down);
        QTest::keyClick(spin, Qt::Key_Down);
        QTest::keyClick(spin, Qt::Key_Down);
        EXPECT_EQ(spin->text(), "0");
        QTest::keyClick(spin, Qt::Key_Up);
        EXPECT_EQ(spin->text(), "1");
        // Typed text stays as it was typed; OK reads it as a whole integer.
        TypeNumber(d, "listMarginW", " 640 ");
        EXPECT_EQ(Shown(d, "listMarginW"), " 640 ");
        // A field that holds no integer keeps the dialog open on its tab, the field in focus.
        EditOf(Find<NumberField>(d, "detailMarginH"))->setText("x");
        d.Tabs()->setCurrentIndex(PageOptionsDialog::kDetailTab);
        Click(d, "ok");
        EXPECT_EQ(chooser.MessageTexts(), QStringList{U("整数を入力してください。")});
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.Tabs()->currentIndex(), PageOptionsDialog::kTopTab);
        auto* bad = Find<NumberField>(d, "detailMarginH");
        EXPECT_TRUE(d.focusWidget() == bad || bad->isAncestorOf(d.focusWidget()));
        EditOf(bad)->setText("+2");
        // A field not in use (another size mode) keeps its value, whatever it holds.
        Find<QRadioButton>(d, "thumbFitMode")->click();
        EditOf(Find<NumberField>(d, "thumbScale"))->setText("abc");
        return Ok(d);
    });
    const PageStyle& s = album().style;
    EXPECT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(s.ListFrameWidth, 0);
    EXPECT_EQ(s.ListFrameMarginH, 1);
    EXPECT_EQ(s.ListFrameMarginW, 640);
    EXPECT_EQ(s.DetailFrameMarginH, 2);
    EXPECT_EQ(s.ThumbSizeMode, SizeMode::Fit);
    EXPECT_EQ(s.ThumbScale, PageStyle().ThumbScale);
}

TEST_F(PageOptionsTest, ResetToDefaultsAsksAndKeepsPlacesTitleTemplateFilesAndPresets) {
    OpenAlbum();
    const std::string listTemplate = dir.Write("mine.html", "<html>list</html>");
    PageStyle& s = album().style;
    s.TopStyle = TopLayout::ListAbove;
    s.TopTitle = Sj("旅行");
    s.TopFolder = dir.path() + "/top";
    s.ListFolder = dir.path() + "/list";
    s.ThumbFolder = dir.path() + "/thumbs";
    s.DetailFolder = dir.path() + "/detail";
    s.ImageFolder = dir.path() + "/images";
    s.ListFrameMarginH = 30;
    s.DetailFrameMarginW = 40;
    s.ListFrameHeight = 200;
    s.FrameBorder = 1;
    s.MakeAutorun = 1;
    s.ThumbSizeMode = SizeMode::Actual;
    s.ThumbFitWidth = 10;
    s.ListTextKind = 3;
    s.ListCellSpacing = 0;
    s.ListAlign = 2;
    s.ListUseFile = TemplateSource::File;
    s.ListPreset = 3;
    s.ListTemplateFile = listTemplate;
    s.DetailPreset = 16;
    s.DetailTemplateFile = dir.path() + "/gone.html";
    s.ImageScale = 25;
    s.TargetToTop = 0;
    album().modified = false;
    const std::string before = AlbumBytes();

    Options([&](PageOptionsDialog& d) {
        d.show();
        Find<QLineEdit>(d, "topTitle")->setText(U("夏の旅行"));  // typed, not yet stored
        chooser.answers = {QMessageBox::No, QMessageBox::Yes};
        Click(d, "reset");
        EXPECT_TRUE(Find<QToolButton>(d, "layout3")->isChecked());  // "No" changes nothing
        EXPECT_EQ(Shown(d, "listMarginH"), "30");
        Click(d, "reset");
        EXPECT_TRUE(Find<QToolButton>(d, "layout0")->isChecked());
        EXPECT_EQ(Shown(d, "listMarginH"), "5");
        EXPECT_EQ(Shown(d, "frameWidth"), "140");
        EXPECT_EQ(Shown(d, "frameHeight"), "140");
        EXPECT_EQ(Shown(d, "detailMarginW"), "15");
        EXPECT_FALSE(Find<QCheckBox>(d, "frameBorder")->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(d, "makeAutorun")->isChecked());
        EXPECT_TRUE(Find<QRadioButton>(d, "thumbFitMode")->isChecked());
        EXPECT_EQ(Shown(d, "thumbFitWidth"), "94");
        EXPECT_EQ(Find<QComboBox>(d, "listText")->currentIndex(), 1);
        EXPECT_EQ(Shown(d, "listSpacing"), "8");
        EXPECT_EQ(Find<QComboBox>(d, "listAlign")->currentIndex(), 0);
        EXPECT_EQ(Shown(d, "imageScale"), "100");
        EXPECT_TRUE(Find<QCheckBox>(d, "targetToTop")->isChecked());
        // "プリセット" again, with the preset last chosen; the names and places stay.
        EXPECT_TRUE(Find<QRadioButton>(d, "listPresetChoice")->isChecked());
        EXPECT_TRUE(Find(d, "listPresets")->isEnabled());
        EXPECT_FALSE(Find(d, "listTemplateFile")->isEnabled());
        EXPECT_EQ(Find<QComboBox>(d, "listPresets")->currentIndex(), 3);
        EXPECT_EQ(Find<QComboBox>(d, "detailPresets")->currentIndex(), 16);
        EXPECT_EQ(Shown(d, "listTemplateFile"), QString::fromStdString(listTemplate));
        EXPECT_EQ(Shown(d, "detailTemplateFile"), QString::fromStdString(s.DetailTemplateFile));
        EXPECT_EQ(Shown(d, "topTitle"), U("夏の旅行"));
        for (auto [field, path] : {std::pair{"topFolder", &s.TopFolder},
                                   {"listFolder", &s.ListFolder},
                                   {"thumbFolder", &s.ThumbFolder},
                                   {"detailFolder", &s.DetailFolder},
                                   {"imageFolder", &s.ImageFolder}}) {
            EXPECT_EQ(Shown(d, field), QString::fromStdString(*path)) << field;
        }
        return Cancel(d);  // nothing is stored before OK
    });
    ASSERT_EQ(chooser.messages.size(), 2u);
    const auto& question = chooser.messages[0];
    EXPECT_EQ(question.caption, U("確認メッセージ"));
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.text,
              U("ページ作成オプションを既定値に戻します。\nよろしいですか？\n\n※ "
                "但し、下記の項目は変更されません\n   ・トップページの出力先、タイトル\n   "
                "・リストページの出力先、サムネイル画像の場所\n   "
                "・個別ページの出力先、画像の場所、テンプレートファイル名"));
    EXPECT_EQ(AlbumBytes(), before);
    EXPECT_FALSE(album().modified);

    chooser.answers = {QMessageBox::Yes};
    Options([&](PageOptionsDialog& d) {
        Click(d, "reset");
        return Ok(d);
    });
    EXPECT_EQ(s.TopStyle, TopLayout::ListLeft);
    EXPECT_EQ(s.ListUseFile, TemplateSource::Preset);
    EXPECT_EQ(s.ListPreset, 3);
    EXPECT_EQ(s.ListTemplateFile, listTemplate);
    EXPECT_EQ(s.TopTitle, Sj("旅行"));
    EXPECT_EQ(s.ThumbFolder, dir.path() + "/thumbs");
    EXPECT_EQ(s.ThumbFitWidth, 94);
    EXPECT_TRUE(album().modified);
}

TEST_F(PageOptionsTest, CancelChangesNothingInTheAlbumOrTheSettings) {
    OpenAlbum();
    session->Core().settings.EnvChangePath = 1;
    album().modified = false;
    const std::string before = AlbumBytes();
    Options([&](PageOptionsDialog& d) {
        Click(d, "layout1");
        Find<QLineEdit>(d, "topTitle")->setText("x");
        Find<QLineEdit>(d, "listFolder")->setText("/elsewhere");
        TypeNumber(d, "thumbScale", "5");
        Click(d, "listFileChoice");
        Find<QComboBox>(d, "detailPresets")->setCurrentIndex(0);
        Click(d, "frameNoResize");
        return Cancel(d);
    });
    Options([&](PageOptionsDialog& d) {
        Click(d, "layout3");
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    });
    EXPECT_EQ(AlbumBytes(), before);
    EXPECT_FALSE(album().modified);
    // The settings are written at exit: the profile holds what it held before.
    session->Core().settings.EnvChangePath = 0;
    frame->close();
    std::string profile = Profile();
    Start();
    Trigger(C::kNew);
    frame->close();
    EXPECT_EQ(Profile(), profile);
}

TEST_F(PageOptionsTest, ExportWritesTheSameBytesAsTheCommandLineUnderTheProposedName) {
    OpenAlbum();
    album().style.TopStyle = TopLayout::ListBelow;  // stored: the list frame is a row
    const std::string out = dir.path() + "/out";
    std::filesystem::create_directory(out);
    Options([&](PageOptionsDialog& d) {
        Click(d, "layout0");  // picked, not stored: the export does not follow it
        d.Tabs()->setCurrentIndex(PageOptionsDialog::kListTab);
        Find<QComboBox>(d, "listPresets")->setCurrentIndex(4);
        chooser.saveFiles = {std::nullopt, QString::fromStdString(out + "/lsttmplt5h.html")};
        Click(d, "listExport");  // cancelled: nothing written
        Click(d, "listExport");
        d.Tabs()->setCurrentIndex(PageOptionsDialog::kDetailTab);
        Find<QComboBox>(d, "detailPresets")->setCurrentIndex(16);
        chooser.saveFiles = {QString::fromStdString(out + "/template17.html")};
        Click(d, "detailExport");
        // Only with "プリセット" chosen.
        Click(d, "detailFileChoice");
        EXPECT_FALSE(Find(d, "detailExport")->isEnabled());
        return Cancel(d);
    });
    ASSERT_EQ(chooser.saves.size(), 3u);
    const QString folder = session->DialogFolder();
    EXPECT_EQ(chooser.saves[0].proposedPath, folder + "/lsttmplt5h.html");
    EXPECT_EQ(chooser.saves[2].proposedPath, folder + "/template17.html");
    EXPECT_EQ(chooser.saves[0].filters,
              (QStringList{U("HTMLﾄﾞｷｭﾒﾝﾄ (*.htm *.html)"), U("すべてのﾌｧｲﾙ (*)")}));
    EXPECT_EQ(chooser.saves[0].defaultSuffix, "html");
    EXPECT_TRUE(chooser.messages.empty());

    for (auto [args, name] : {std::pair{"list 4 --layout h", "lsttmplt5h.html"},
                              std::pair{"detail 16", "template17.html"}}) {
        auto cli = fixtures::RunCli(
            MIRULANE_CLI_PATH,
            std::string("--profile none.ini export-preset ") + args + " -o cli-" + name,
            dir.path());
        ASSERT_EQ(cli.status, 0) << cli.err;
        EXPECT_EQ(dir.Read(std::string("out/") + name), dir.Read(std::string("cli-") + name))
            << name;
    }
    // Not the vertical variant of the layout that was picked but not stored.
    auto vertical = fixtures::RunCli(
        MIRULANE_CLI_PATH, "--profile none.ini export-preset list 4 -o v.html", dir.path());
    ASSERT_EQ(vertical.status, 0);
    EXPECT_NE(dir.Read("out/lsttmplt5h.html"), dir.Read("v.html"));
}

TEST_F(PageOptionsTest, TemplateFileThatCannotBeReadIsRefusedWithTheLoadersMessage) {
    OpenAlbum();
    const std::string good = dir.Write("mine.html", "<html>_TITLE_</html>");
    const std::string empty = dir.Write("empty.html", "");
    const std::string missing = dir.path() + "/missing.html";
    album().modified = false;
    const std::string before = AlbumBytes();
    Options([&](PageOptionsDialog& d) {
        d.Tabs()->setCurrentIndex(PageOptionsDialog::kListTab);
        EXPECT_FALSE(Find(d, "listTemplateBrowse")->isEnabled());
        Click(d, "listFileChoice");
        EXPECT_TRUE(Find(d, "listTemplateBrowse")->isEnabled());
        EXPECT_FALSE(Find(d, "listPresets")->isEnabled());
        EXPECT_FALSE(Find(d, "listExport")->isEnabled());
        chooser.openFiles = {QString::fromStdString(missing), QString::fromStdString(empty)};
        Click(d, "listTemplateBrowse");
        Click(d, "listTemplateBrowse");
        EXPECT_EQ(Shown(d, "listTemplateFile"), "");
        // Typed by hand, it is refused at OK; the dialog stays on the tab.
        d.Tabs()->setCurrentIndex(PageOptionsDialog::kTopTab);
        Find<QLineEdit>(d, "listTemplateFile")->setText(QString::fromStdString(missing));
        Click(d, "ok");
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_EQ(d.Tabs()->currentIndex(), PageOptionsDialog::kListTab);
        EXPECT_EQ(AlbumBytes(), before);
        chooser.openFiles = {QString::fromStdString(good)};
        Click(d, "listTemplateBrowse");
        EXPECT_EQ(Shown(d, "listTemplateFile"), QString::fromStdString(good));
        return Ok(d);
    });
    ASSERT_EQ(chooser.openFilters.size(), 3u);
    EXPECT_EQ(chooser.openFilters[0],
              (QStringList{U("HTMLドｷｭﾒﾝﾄ (*.htm *.html)"), U("すべてのﾌｧｲﾙ (*)")}));
    QStringList texts = chooser.MessageTexts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], U("指定されたテンプレートファイルを開けません(errno=2)\n") +
                            QString::fromStdString(missing));
    EXPECT_TRUE(texts[1].startsWith(U("テンプレートファイルから読み込めません(errno=")));
    EXPECT_TRUE(texts[1].endsWith(QString::fromStdString(empty)));
    EXPECT_EQ(texts[2], texts[0]);
    EXPECT_EQ(album().style.ListUseFile, TemplateSource::File);
    EXPECT_EQ(album().style.ListTemplateFile, good);
}

TEST_F(PageOptionsTest, ReplacementStringsAreStoredAtOnceAndSurviveACancelledOptionsDialog) {
    OpenAlbum();
    album().modified = false;
    int contextInside = -1;
    int contextAfter = -1;
    Script<PageOptionsDialog>([&](PageOptionsDialog& d) {
        d.Tabs()->setCurrentIndex(PageOptionsDialog::kListTab);
        Find<QLineEdit>(d, "topTitle")->setText(U("捨てる題"));
        // Cancel of the replacement strings changes nothing.
        Script<ReplacementStringsDialog>([&](ReplacementStringsDialog& r) {
            r.SwitchBox(Token::TITLE)->setChecked(false);
            return Cancel(r);
        });
        Click(d, "listReplacementStrings");
        EXPECT_TRUE(album().style.Switch(Token::TITLE));
        Script<ReplacementStringsDialog>([&](ReplacementStringsDialog& r) {
            contextInside = session->HelpContext();
            QStringList frames;
            for (QGroupBox* box : r.findChildren<QGroupBox*>()) frames << box->title();
            EXPECT_EQ(frames, (QStringList{U("撮影データ（Exif情報）"), U("リストページ専用"),
                                           QStringLiteral("Notice")}));
            EXPECT_EQ(r.windowTitle(), U("テンプレートの置換文字列設定"));
            for (int t = 0; t < kTokenCount; ++t) {
                EXPECT_TRUE(r.SwitchBox(static_cast<Token>(t))->isChecked()) << t;
            }
            EXPECT_EQ(r.PrevTextField()->text(), "Prev");
            EXPECT_EQ(r.NextTextField()->text(), "Next");
            r.SwitchBox(Token::PGTOTAL)->setChecked(false);
            r.SwitchBox(Token::THUMBSP)->setChecked(false);
            r.PrevTextField()->setText(U("前へ"));
            return Ok(r);
        });
        Click(d, "listReplacementStrings");
        contextAfter = session->HelpContext();
        return Cancel(d);
    });
    Trigger(C::kPageOptions);
    EXPECT_EQ(contextInside, kHelpTemplateStrings);
    EXPECT_EQ(contextAfter, kHelpPageList);
    const PageStyle& s = album().style;
    EXPECT_FALSE(s.Switch(Token::PGTOTAL));
    EXPECT_FALSE(s.Switch(Token::THUMBSP));
    EXPECT_TRUE(s.Switch(Token::PGCUR));
    EXPECT_EQ(s.PrevText, Sj("前へ"));
    EXPECT_EQ(s.NextText, "Next");
    EXPECT_EQ(s.TopTitle, Sj("ミルレーン"));
    // Kept in the album list file: the save prompt must know.
    EXPECT_TRUE(album().modified);

    // What the dialog shows: three columns of tokens, the link texts, the repeat markers.
    ASSERT_EQ(chooser.dialogs.size(), 3u);
    const QStringList& shown = chooser.dialogs[2].texts;
    EXPECT_EQ(shown.count(U("置換対象")), 3);
    for (const char* text : {"ターゲット(&R):",
                             "_TARGET_",
                             "ﾌｧｲﾙ名EX(&E):",
                             "_FILEEX_",
                             "次ページ(&X):",
                             "_NEXT_",
                             "表示内容:",
                             "画像サイズ(&Z):",
                             "_IMGSZ_",
                             "ｻﾑﾈｲﾙSP(&5):",
                             "_THUMBSP_",
                             "_CELLSPC_",
                             "開始:",
                             "<!--mirulanestart-->",
                             "終了:",
                             "<!--mirulaneend-->",
                             "エントリ用HTML繰り返し区間\n\u3000（これは置換対象ではない）",
                             "OK",
                             "ｷｬﾝｾﾙ",
                             "ヘルプ"}) {
        EXPECT_TRUE(shown.contains(U(text))) << text;
    }
    EXPECT_EQ(shown.count(U("表示内容:")), 2);
}

TEST_F(PageOptionsTest, RemembersTheTabForTheRunAndHelpShowsTheTabInFront) {
    OpenAlbum();
    std::vector<int> contexts;
    Options([&](PageOptionsDialog& d) {
        contexts.push_back(session->HelpContext());
        d.Tabs()->setCurrentIndex(PageOptionsDialog::kListTab);
        contexts.push_back(session->HelpContext());
        Click(d, "help");
        d.Tabs()->setCurrentIndex(PageOptionsDialog::kDetailTab);
        contexts.push_back(session->HelpContext());
        d.show();
        QApplication::setActiveWindow(&d);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        QTest::keyClick(Find(d, "detailFolder"), Qt::Key_F1);
        return Cancel(d);
    });
    EXPECT_EQ(session->HelpContext(), kHelpMainWindowAgain);
    Options([&](PageOptionsDialog& d) {
        EXPECT_EQ(d.Tabs()->currentIndex(), PageOptionsDialog::kDetailTab);
        contexts.push_back(session->HelpContext());
        Click(d, "help");
        return Ok(d);
    });
    EXPECT_EQ(contexts,
              (std::vector<int>{kHelpPageTop, kHelpPageList, kHelpPageDetail, kHelpPageDetail}));
    QStringList pages;
    for (const QUrl& url : chooser.openedUrls) pages << url.fileName();
    EXPECT_EQ(pages, (QStringList{"040302.html", "040303.html", "040303.html"}));

    // Not saved: the next run starts on the top page.
    frame->close();
    Start();
    OpenAlbum();
    Options([&](PageOptionsDialog& d) {
        EXPECT_EQ(d.Tabs()->currentIndex(), PageOptionsDialog::kTopTab);
        return Cancel(d);
    });
}

TEST_F(PageOptionsTest, ThumbnailExtractionFromTheListTabStoresItsFolderAtOnce) {
    dir.Write("photos/p0.jpg", fixtures::MakeCameraJpeg());
    dir.Write("photos/p1.jpg", fixtures::MakeCameraJpeg());
    OpenAlbum();
    session->Core().settings.EnvChangePath = 1;
    const QString thumbs = QString::fromStdString(dir.path() + "/small");
    Options([&](PageOptionsDialog& d) {
        d.Tabs()->setCurrentIndex(PageOptionsDialog::kListTab);
        Script<ThumbnailDialog>([&](ThumbnailDialog& t) {
            EXPECT_EQ(session->HelpContext(), kHelpThumbnails);
            t.OutputField()->setText(thumbs);
            t.RunButton()->click();
            WaitForRun(*session);
            return t.result();
        });
        Click(d, "extractThumbnails");
        EXPECT_EQ(session->HelpContext(), kHelpPageList);
        EXPECT_EQ(Shown(d, "thumbFolder"), thumbs);
        return Cancel(d);
    });
    EXPECT_EQ(album().style.ThumbFolder, dir.path() + "/small");
    EXPECT_EQ(dir.Read("small/p0.jpg"), fixtures::MakeThumbnailJpeg());

    // An album without entries has nothing to extract from.
    Trigger(C::kNew);
    PageOptionsDialog empty(*session, frame.get());
    EXPECT_FALSE(Find(empty, "extractThumbnails")->isEnabled());
}

TEST_F(PageOptionsTest, EveryControlOfBothDialogsHasAName) {
    OpenAlbum();
    std::vector<std::unique_ptr<QDialog>> dialogs;
    dialogs.push_back(std::make_unique<PageOptionsDialog>(*session, frame.get()));
    dialogs.push_back(std::make_unique<ReplacementStringsDialog>(*session, frame.get()));
    for (auto& dialog : dialogs) {
        dialog->show();
        if (auto* options = dynamic_cast<PageOptionsDialog*>(dialog.get())) {
            // Every tab's controls, with the frame's width and height both shown once.
            for (int tab = 0; tab < 3; ++tab) options->Tabs()->setCurrentIndex(tab);
        }
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                                 qobject_cast<QAbstractSpinBox*>(w) ||
                                 (qobject_cast<QLineEdit*>(w) &&
                                  !qobject_cast<QAbstractSpinBox*>(w->parentWidget()));
            if (!control || w->objectName().startsWith(QLatin1String("qt_"))) continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty())
                << dialog->windowTitle().toStdString() << ": " << w->metaObject()->className()
                << " " << w->objectName().toStdString();
        }
    }
    // The picture buttons say which layout they stand for.
    EXPECT_EQ(dialogs[0]->findChild<QToolButton*>("layout2")->accessibleName(),
              U("上下分割１（上:個別、下:リスト）"));
    EXPECT_EQ(dialogs[0]->findChild<QToolButton*>("layout4")->accessibleName(),
              U("フレームなし（スマートフォン対応）"));
}

}  // namespace
}  // namespace mirulane::ui::testing
