// The environment settings dialog "動作環境の設定", driven through its widgets from the window's
// command: the remembered tab and its help, the folder tree, the enabling rules, the size
// fields' arrows, OK and Cancel, and what the window brings up to date after it. Also the
// profile written at exit.

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "album/album.h"
#include "app/session.h"
#include "platform/profile.h"
#include "ui/environment_dialog.h"
#include "ui/help.h"
#include "ui/mirulane_doc.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;

QTabWidget* Tabs(QDialog& d) { return Find<QTabWidget>(d, "tabs"); }
// The text of a size field.
QLineEdit* FieldEdit(QDialog& d, const char* name) {
    return Find<QAbstractSpinBox>(d, name)->findChild<QLineEdit*>();
}

// The folder tree as text: each node, its children in brackets; a node that has children and
// is not expanded is marked with "+".
QString TreeText(QTreeWidgetItem* parent) {
    QStringList nodes;
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem* item = parent->child(i);
        QString text = item->text(0);
        if (item->childCount() > 0) {
            text += (item->isExpanded() ? "[" : "+[") + TreeText(item) + "]";
        }
        nodes << text;
    }
    return nodes.join(' ');
}
QString TreeText(QDialog& d) {
    return TreeText(Find<QTreeWidget>(d, "folderTree")->invisibleRootItem());
}

class EnvironmentTest : public WindowTest {
  protected:
    // Opens the dialog from the window and runs the script on it; the script's result ends it.
    void Open(std::function<int(QDialog&)> script) {
        chooser.dialogScripts.push_back([script](QDialog& dialog) {
            EXPECT_NE(dynamic_cast<EnvironmentDialog*>(&dialog), nullptr);
            EXPECT_EQ(dialog.windowTitle(), U("動作環境の設定"));
            dialog.show();
            return script(dialog);
        });
        Trigger(C::kEnvironment);
        EXPECT_TRUE(chooser.dialogScripts.empty()) << "the dialog did not open";
    }
    Settings& settings() { return session->Core().settings; }
    // The settings as the profile would hold them.
    std::string Stored() {
        IniProfile out("");
        Settings copy = settings();
        copy.Save(out);
        return out.Serialize();
    }
};

TEST_F(EnvironmentTest, OpensOnTheTabShownLastWithThatTabsHelp) {
    const QStringList topics{"040101.html", "040102.html", "040103.html", "040104.html",
                             "040105.html"};
    Open([&](QDialog& d) {
        QTabWidget* tabs = Tabs(d);
        EXPECT_EQ(tabs->currentIndex(), 0);
        EXPECT_EQ(tabs->tabBar()->tabText(0), U("出力先の既定値"));
        EXPECT_EQ(tabs->tabBar()->tabText(4), U("上級者向け"));
        EXPECT_EQ(d.focusWidget(), tabs->tabBar());
        // Each tab has its context while it is in front; the help button and F1 open its page.
        for (int tab : {0, 1, 2, 3, 4, 2}) {
            tabs->setCurrentIndex(tab);
            EXPECT_EQ(session->HelpContext(), kHelpEnvFolders + tab);
            Click(d, "help");
            EXPECT_EQ(chooser.openedUrls.back().fileName(), topics[tab]);
        }
        QTest::keyClick(&d, Qt::Key_F1);
        EXPECT_EQ(chooser.openedUrls.back().fileName(), topics[2]);
        Click(d, "cancel");
        return d.result();
    });
    EXPECT_EQ(session->HelpContext(), kHelpMainWindowAgain);

    // Open again: the third tab, and its help.
    Open([&](QDialog& d) {
        EXPECT_EQ(Tabs(d)->currentIndex(), 2);
        EXPECT_TRUE(Find<QWidget>(d, "previewPanePage")->isVisible());
        EXPECT_FALSE(Find<QWidget>(d, "foldersPage")->isVisible());
        EXPECT_EQ(session->HelpContext(), kHelpEnvPreviewPane);
        Click(d, "help");
        EXPECT_EQ(chooser.openedUrls.back().fileName(), topics[2]);
        return QDialog::Rejected;
    });
    EXPECT_EQ(session->HelpContext(), kHelpMainWindowAgain);
    Trigger(C::kHelp);
    EXPECT_EQ(chooser.openedUrls.back().fileName(), "index.html");

    // The tab is remembered for this run only.
    Start();
    Open([&](QDialog& d) {
        EXPECT_EQ(Tabs(d)->currentIndex(), 0);
        return QDialog::Rejected;
    });
}

TEST_F(EnvironmentTest, FolderTreeFollowsEveryChoiceOfTheThreeCombos) {
    Open([&](QDialog& d) {
        auto* top = Find<QComboBox>(d, "pathIdx");
        auto* list = Find<QComboBox>(d, "pathLst");
        auto* thumb = Find<QComboBox>(d, "pathThm");
        EXPECT_EQ(top->count(), 4);
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(thumb->count(), 2);
        EXPECT_EQ(top->itemText(3), U("ターゲットフォルダと同位の \"html\" フォルダ"));
        // The defaults.
        EXPECT_EQ(TreeText(d),
                  U("ターゲットフォルダ[html[リスト・個別.html] thumb[サムネイル] トップページ]"));
        // Both pages in the "html" folder beside the target: one node holds both.
        top->setCurrentIndex(3);
        list->setCurrentIndex(2);
        EXPECT_EQ(TreeText(d),
                  U("ターゲットフォルダ[thumb[サムネイル]] html[トップページ リスト・個別.html]"));
        // The thumbnails beside the target folder.
        thumb->setCurrentIndex(1);
        EXPECT_EQ(TreeText(d),
                  U("ターゲットフォルダ html[トップページ リスト・個別.html] thumb[サムネイル]"));
        // The top page in the target folder itself.
        top->setCurrentIndex(1);
        EXPECT_EQ(TreeText(d),
                  U("ターゲットフォルダ[トップページ] html[リスト・個別.html] thumb[サムネイル]"));
        // Beside the target folder, its pages in it.
        top->setCurrentIndex(0);
        list->setCurrentIndex(0);
        EXPECT_EQ(TreeText(d),
                  U("ターゲットフォルダ[リスト・個別.html] thumb[サムネイル] トップページ"));
        Click(d, "ok");
        return d.result();
    });
    EXPECT_EQ(settings().EnvPathIdx, 0);
    EXPECT_EQ(settings().EnvPathLst, 0);
    EXPECT_EQ(settings().EnvPathThm, 1);
}

TEST_F(EnvironmentTest, ValuesOutsideTheChoicesShowWherePagesGoAndAreKept) {
    // A hand-edited profile.
    dir.Write("mirulane.ini",
              "[Environment]\nEnvPathIdx=9\nEnvPathLst=-1\nEnvExifFlash=5\n"
              "EnvDispImage=7\n");
    Start();
    Open([&](QDialog& d) {
        EXPECT_EQ(Find<QComboBox>(d, "pathIdx")->currentIndex(), -1);
        EXPECT_EQ(TreeText(d),
                  U("ターゲットフォルダ[thumb[サムネイル] トップページ リスト・個別.html]"));
        for (QRadioButton* r : d.findChildren<QRadioButton*>(QRegularExpression("^dispImage"))) {
            EXPECT_FALSE(r->isChecked());
        }
        Find<QCheckBox>(d, "listGrid")->setChecked(false);
        Click(d, "ok");
        return d.result();
    });
    EXPECT_EQ(settings().EnvLstGrid, 0);
    EXPECT_EQ(settings().EnvPathIdx, 9);
    EXPECT_EQ(settings().EnvPathLst, -1);
    EXPECT_EQ(settings().EnvExifFlash, 5);
    EXPECT_EQ(settings().EnvDispImage, 7);
}

TEST_F(EnvironmentTest, SizeFieldArrowsStepTheTextAndOnlyTheSpecifiedSizeEnablesThem) {
    Open([&](QDialog& d) {
        Tabs(d)->setCurrentIndex(2);
        auto* width = Find<QAbstractSpinBox>(d, "dispMaxW");
        auto* height = Find<QAbstractSpinBox>(d, "dispMaxH");
        QLineEdit* w = FieldEdit(d, "dispMaxW");
        QLineEdit* h = FieldEdit(d, "dispMaxH");
        EXPECT_EQ(w->text(), "320");
        EXPECT_EQ(h->text(), "240");
        // "ウィンドウに収まるように自動伸縮" (the default): the fields and their labels are off.
        EXPECT_TRUE(Find<QRadioButton>(d, "dispSize1")->isChecked());
        EXPECT_FALSE(width->isEnabled());
        EXPECT_FALSE(height->isEnabled());
        Find<QRadioButton>(d, "dispSize2")->click();
        EXPECT_TRUE(width->isEnabled());
        EXPECT_TRUE(height->isEnabled());

        width->setFocus();
        QTest::keyClick(width, Qt::Key_Up);
        EXPECT_EQ(w->text(), "321");
        w->setText("1");
        QTest::keyClick(width, Qt::Key_Down);
        EXPECT_EQ(w->text(), "0");
        QTest::keyClick(width, Qt::Key_Down);
        EXPECT_EQ(w->text(), "0");
        w->setText("abc");
        width->stepUp();
        EXPECT_EQ(w->text(), "1");
        h->setText("99999");
        height->stepUp();
        EXPECT_EQ(h->text(), "100000");

        Find<QRadioButton>(d, "dispSize0")->click();
        EXPECT_FALSE(width->isEnabled());
        Click(d, "ok");
        return d.result();
    });
    // Disabled fields still hold their values, and OK stores them.
    EXPECT_EQ(settings().EnvDispSize, DisplaySize::Original);
    EXPECT_EQ(settings().EnvDispMaxW, 1);
    EXPECT_EQ(settings().EnvDispMaxH, 100000);
}

TEST_F(EnvironmentTest, SizeThatIsNoIntegerKeepsTheDialogOpenOnIt) {
    Open([&](QDialog& d) {
        Find<QCheckBox>(d, "withExif")->setChecked(false);
        Tabs(d)->setCurrentIndex(2);
        Find<QRadioButton>(d, "dispSize2")->click();
        FieldEdit(d, "dispMaxH")->setText("12px");
        Tabs(d)->setCurrentIndex(4);
        Click(d, "ok");
        EXPECT_EQ(chooser.MessageTexts(), QStringList{U("整数を入力してください。")});
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Tabs(d)->currentIndex(), 2);
        auto* height = Find<QAbstractSpinBox>(d, "dispMaxH");
        EXPECT_TRUE(d.focusWidget() == height || height->isAncestorOf(d.focusWidget()));
        FieldEdit(d, "dispMaxH")->setText(" 200 ");
        Click(d, "ok");
        EXPECT_FALSE(d.isVisible());
        return d.result();
    });
    EXPECT_EQ(settings().EnvDispMaxH, 200);
    EXPECT_EQ(settings().EnvWithExif, 0);

    // A field that is not in use (another size choice) keeps its value instead.
    Open([&](QDialog& d) {
        FieldEdit(d, "dispMaxW")->setText("abc");
        Find<QRadioButton>(d, "dispSize1")->click();
        Click(d, "ok");
        return d.result();
    });
    EXPECT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(settings().EnvDispSize, DisplaySize::FitPane);
    EXPECT_EQ(settings().EnvDispMaxW, 320);
}

TEST_F(EnvironmentTest, EnablingRulesGreyControlsButKeepTheirValues) {
    Open([&](QDialog& d) {
        auto* useFilter = Find<QCheckBox>(d, "useFilter");
        auto* filterList = Find<QListWidget>(d, "filterList");
        EXPECT_TRUE(useFilter->isChecked());
        EXPECT_TRUE(filterList->isEnabled());
        useFilter->click();
        EXPECT_FALSE(filterList->isEnabled());
        useFilter->click();
        EXPECT_TRUE(filterList->isEnabled());
        useFilter->click();

        auto* getExif = Find<QCheckBox>(d, "getExif");
        auto* dtorg = Find<QComboBox>(d, "exifDtorg");
        dtorg->setCurrentIndex(2);
        Find<QCheckBox>(d, "exifDtfil")->setChecked(false);
        getExif->click();
        const char* exif[] = {"exifFlash", "exifShtsp", "exifAprtv", "exifFolen",
                              "exifDtorg", "exifEbias", "exifIsosr"};
        for (const char* name : exif) EXPECT_FALSE(Find<QComboBox>(d, name)->isEnabled()) << name;
        EXPECT_FALSE(Find<QCheckBox>(d, "exifDtfil")->isEnabled());
        for (QLabel* label : Find<QWidget>(d, "exifPage")->findChildren<QLabel*>()) {
            EXPECT_FALSE(label->isEnabled()) << label->text().toStdString();
        }
        Click(d, "ok");
        return d.result();
    });
    EXPECT_EQ(settings().EnvUseFilter, 0);
    EXPECT_EQ(settings().EnvGetExif, 0);
    EXPECT_EQ(settings().EnvExifDtorg, 2);
    EXPECT_EQ(settings().EnvExifDtfil, 0);
    Open([&](QDialog& d) {
        // Opened again: the rules hold from the start.
        EXPECT_FALSE(Find<QListWidget>(d, "filterList")->isEnabled());
        EXPECT_FALSE(Find<QComboBox>(d, "exifFlash")->isEnabled());
        EXPECT_EQ(Find<QComboBox>(d, "exifDtorg")->currentIndex(), 2);
        return QDialog::Rejected;
    });
}

TEST_F(EnvironmentTest, FilterCheckListTogglesAndReachesTheScanOnlyAfterOk) {
    auto rows = [](QDialog& d) {
        QString shown;
        auto* list = Find<QListWidget>(d, "filterList");
        for (int i = 0; i < list->count(); ++i) {
            shown +=
                list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? "+" : "-");
        }
        return shown;
    };
    // A double click on the extension (as the view reports it), or a click on its check box.
    auto flip = [](QDialog& d, int row, bool doubleClick) {
        auto* list = Find<QListWidget>(d, "filterList");
        QListWidgetItem* item = list->item(row);
        if (doubleClick) {
            emit list->itemDoubleClicked(item);
        } else {
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        }
    };
    Open([&](QDialog& d) {
        Tabs(d)->setCurrentIndex(1);
        EXPECT_EQ(rows(d), "jpg+avi+mov+mpg+png-gif-bmp-tif-raw-jpeg+mp4+m4v+webm+");
        flip(d, 0, true);
        flip(d, 4, true);
        flip(d, 8, false);
        EXPECT_EQ(rows(d), "jpg-avi+mov+mpg+png+gif-bmp-tif-raw+jpeg+mp4+m4v+webm+");
        Click(d, "cancel");
        return d.result();
    });
    EXPECT_TRUE(settings().PassesFilter("jpg"));
    EXPECT_FALSE(settings().PassesFilter("png"));
    Open([&](QDialog& d) {
        EXPECT_EQ(Tabs(d)->currentIndex(), 1);
        EXPECT_EQ(rows(d), "jpg+avi+mov+mpg+png-gif-bmp-tif-raw-jpeg+mp4+m4v+webm+");
        flip(d, 0, true);
        flip(d, 10, false);
        Click(d, "ok");
        return d.result();
    });
    EXPECT_FALSE(settings().PassesFilter("jpg"));
    EXPECT_TRUE(settings().PassesFilter("avi"));
    EXPECT_TRUE(settings().PassesFilter("jpeg"));
    EXPECT_FALSE(settings().PassesFilter("mp4"));
    frame->close();
    EXPECT_NE(Profile().find("EnvFilterCheck=0111000001011"), std::string::npos);
}

// The option to make missing thumbnails is on by default (the window makes the same album as
// the command line) and turning it off reaches the profile on OK.
TEST_F(EnvironmentTest, MakeThumbCheckBoxIsStoredInTheProfile) {
    Open([&](QDialog& d) {
        auto* box = Find<QCheckBox>(d, "makeThumb");
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        Click(d, "ok");
        return d.result();
    });
    EXPECT_EQ(settings().EnvMakeThumb, 0);
    frame->close();
    EXPECT_NE(Profile().find("EnvMakeThumb=0"), std::string::npos);
}

TEST_F(EnvironmentTest, CancelChangesNothingInTheSettingsOrTheAlbum) {
    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg", "b.jpg"})));
    const std::string stored = Stored();
    const PageStyle style = session->Core().album.style;
    chooser.fonts.push_back(QFont(QStringLiteral("DejaVu Sans")));
    Open([&](QDialog& d) {
        for (QComboBox* combo : d.findChildren<QComboBox*>()) {
            combo->setCurrentIndex(combo->count() - 1 - combo->currentIndex());
        }
        for (QCheckBox* check : d.findChildren<QCheckBox*>()) check->click();
        Find<QRadioButton>(d, "dispImage3")->click();
        Find<QRadioButton>(d, "dispSize2")->click();
        FieldEdit(d, "dispMaxW")->setText("5");
        Find<QListWidget>(d, "filterList")->item(0)->setCheckState(Qt::Unchecked);
        Click(d, "changeFont");
        EXPECT_EQ(Find<QLabel>(d, "fontSample")->text(), "DejaVu Sans");
        Click(d, "cancel");
        return d.result();
    });
    EXPECT_EQ(Stored(), stored);
    EXPECT_TRUE(frame->ListPane()->showGrid());
    EXPECT_EQ(session->Core().album.style.ListFolder, style.ListFolder);
    EXPECT_EQ(session->Core().album.style.TopFolder, style.TopFolder);
    EXPECT_FALSE(session->Core().album.modified);
}

TEST_F(EnvironmentTest, OkBringsTheListAndThePreviewUpToDateAtOnce) {
    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg", "b.jpg"})));
    session->Core().album.currentEntry = 1;
    const PageStyle style = session->Core().album.style;
    std::vector<int> previews;
    QObject::connect(&frame->Doc(), &CMirulaneDoc::Updated, [&](QObject* sender, int hint) {
        if (sender) previews.push_back(hint);
    });

    // Grid lines off and another list folder: the list changes at once, the album does not.
    Open([&](QDialog& d) {
        Find<QCheckBox>(d, "listGrid")->click();
        Find<QComboBox>(d, "pathLst")->setCurrentIndex(2);
        Click(d, "ok");
        return d.result();
    });
    EXPECT_FALSE(frame->ListPane()->showGrid());
    EXPECT_TRUE(previews.empty());
    EXPECT_EQ(session->Core().album.style.ListFolder, style.ListFolder);
    EXPECT_EQ(settings().EnvPathLst, 2);

    // Another image choice: the preview shows the current entry again.
    Open([&](QDialog& d) {
        Find<QRadioButton>(d, "dispImage3")->click();
        Click(d, "ok");
        return d.result();
    });
    EXPECT_EQ(previews, std::vector<int>{1});
    EXPECT_EQ(settings().EnvDispImage, 3);

    // A font: the sample shows it, the list takes it on OK, the profile at exit.
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(15);
    chooser.fonts.push_back(std::nullopt);
    chooser.fonts.push_back(chosen);
    Open([&](QDialog& d) {
        auto* sample = Find<QLabel>(d, "fontSample");
        EXPECT_EQ(sample->text(), "MS UI Gothic");
        Click(d, "changeFont");  // cancelled
        EXPECT_EQ(sample->text(), "MS UI Gothic");
        Click(d, "changeFont");
        EXPECT_EQ(sample->text(), "DejaVu Sans");
        EXPECT_EQ(sample->font().family(), "DejaVu Sans");
        EXPECT_NE(frame->ListPane()->font().family(), "DejaVu Sans");
        Click(d, "ok");
        return d.result();
    });
    EXPECT_EQ(frame->ListPane()->font().family(), "DejaVu Sans");
    EXPECT_EQ(chooser.fontsOffered.size(), 2u);
    EXPECT_EQ(previews.size(), 1u);
    EXPECT_FALSE(OptionsWritten());
    frame->close();
    EXPECT_NE(Profile().find("FontFaceName=DejaVu Sans"), std::string::npos);
    EXPECT_NE(Profile().find("FontHeight=-20"), std::string::npos);
    EXPECT_NE(Profile().find("EnvLstGrid=0"), std::string::npos);
    EXPECT_TRUE(chooser.MessageTexts().isEmpty());
}

TEST_F(EnvironmentTest, EveryControlHasANameAndEveryTabCaptionShows) {
    Open([&](QDialog& d) {
        for (int tab = 0; tab < Tabs(d)->count(); ++tab) {
            Tabs(d)->setCurrentIndex(tab);
            for (QWidget* w : d.findChildren<QWidget*>()) {
                if (!w->isVisible() || !w->focusPolicy() || w->isWindow()) continue;
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                EXPECT_NE(a, nullptr);
                if (!a) continue;
                EXPECT_FALSE(a->text(QAccessible::Name).isEmpty())
                    << w->metaObject()->className() << " " << w->objectName().toStdString();
            }
        }
        // Every tab caption shows in full.
        QTabBar* bar = Tabs(d)->tabBar();
        EXPECT_LE(bar->sizeHint().width(), bar->width());
        EXPECT_EQ(Find<QAbstractSpinBox>(d, "dispMaxW")->accessibleName(), U("幅"));
        EXPECT_EQ(Find<QComboBox>(d, "pathIdx")->accessibleName(), U("トップページ (index.html)"));
        return QDialog::Rejected;
    });
}

TEST_F(WindowTest, ProfileThatCannotBeWrittenAtExitIsReported) {
    // The profile's folder is a file.
    std::string blocker = dir.Write("blocker", "x");
    frame.reset();
    session =
        std::make_unique<UiSession>(chooser, QString::fromStdString(blocker + "/mirulane.ini"));
    frame = std::make_unique<CMainFrame>(*session);
    frame->close();
    ASSERT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(chooser.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(chooser.messages[0].text, U("動作環境の設定を保存できません (errno=20)\n") +
                                            QString::fromStdString(blocker) + "/mirulane.ini");
    // Once.
    frame.reset();
    session.reset();
    EXPECT_EQ(chooser.messages.size(), 1u);
}

}  // namespace
}  // namespace mirulane::ui::testing
