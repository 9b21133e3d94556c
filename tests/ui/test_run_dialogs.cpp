// The dialogs that run over the album ("Exif情報の再取得", "サムネイルの抽出") and the overwrite
// confirmation, driven through their widgets from the window's commands: what they show, what
// their runs do to the album and its files, help, and the names assistive technology reads.

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <QtTest/QTest>

#include <fstream>

#include "album/entry_list.h"
#include "app/session.h"
#include "fixtures/exif_builder.h"
#include "fixtures/picture_builder.h"
#include "ui/exif_reacquire_dialog.h"
#include "ui/help.h"
#include "ui/overwrite_dialog.h"
#include "ui/thumbnail_dialog.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;

class RunDialogTest : public WindowTest {
  protected:
    // An album of the files in dir/photos, opened in the window.
    void OpenAlbum(const std::vector<std::pair<std::string, std::string>>& files) {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : files) {
            if (!bytes.empty()) dir.Write("photos/" + name, bytes);
            names.push_back(name);
        }
        frame->OpenAlbumFile(QString::fromStdString(WriteAlbum(names)));
        ASSERT_EQ(session->State().entries, static_cast<int>(names.size()));
    }
    Album& album() { return session->Core().album; }
    std::string Photos() const { return dir.path() + "/photos"; }

    // Runs the next dialog with this script, typed as the dialog it is.
    template <typename Dialog>
    void Script(std::function<int(Dialog&)> script) {
        chooser.dialogScripts.push_back([script](QDialog& d) {
            auto* dialog = dynamic_cast<Dialog*>(&d);
            EXPECT_NE(dialog, nullptr) << d.windowTitle().toStdString();
            return dialog ? script(*dialog) : QDialog::Rejected;
        });
    }

    const std::string camera = fixtures::MakeCameraJpeg();
};

TEST_F(RunDialogTest, ReacquireReadsTheCameraDataOfAHundredEntriesAgain) {
    // 60 camera JPEGs; the others without Exif data, cut short, or gone.
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 0; i < 100; ++i) {
        std::string bytes = i % 5 < 3    ? camera
                            : i % 5 == 3 ? camera.substr(0, 300)
                            : i % 2      ? fixtures::MakeJpeg(8, 6)
                                         : std::string();
        files.emplace_back("P" + std::to_string(1000 + i) + ".jpg", bytes);
    }
    OpenAlbum(files);
    album().entries.SetField(0, COL_MAKER, "typed");

    // "ｷｬﾝｾﾙ" before a run changes nothing.
    Script<ExifReacquireDialog>([](ExifReacquireDialog& dialog) {
        Click(dialog, "cancel");
        return dialog.result();
    });
    Trigger(C::kReacquireExif);
    EXPECT_FALSE(album().modified);
    EXPECT_EQ(album().entries.Field(0, COL_MAKER), "typed");
    ASSERT_EQ(chooser.dialogs.size(), 1u);
    EXPECT_EQ(chooser.dialogs[0].title, U("Exif情報の再取得"));
    EXPECT_EQ(
        chooser.dialogs[0].texts,
        (QStringList{U("Exif形式のJPEGファイルから撮影データ（メーカーなど）を\n"
                       "再取得します。変更済みの項目は、元に戻ってしまうので\n"
                       "ご注意ください。"),
                     U("すべてのエントリを処理する(&A)"), U("選択したエントリだけを処理する(&S)"),
                     U("実行"), U("ｷｬﾝｾﾙ"), U("ヘルプ")}));

    int context = -1;
    bool triedToLeave = false;
    // Escape while the run works stops it after the entry in hand; the dialog stays until then.
    // Pressed as the run starts, it stops the run before its first entry.
    Script<ExifReacquireDialog>([&](ExifReacquireDialog& dialog) {
        dialog.show();
        QObject::connect(&dialog, &RunDialog::RunStarting, &dialog, [&] {
            triedToLeave = true;
            EXPECT_FALSE(dialog.RunButton()->isEnabled());
            EXPECT_TRUE(Find<QPushButton>(dialog, "cancel")->isEnabled());
            QTest::keyClick(&dialog, Qt::Key_Escape);
            EXPECT_TRUE(dialog.isVisible());
        });
        dialog.RunButton()->click();
        WaitForRun(*session);
        EXPECT_FALSE(dialog.ProgressRow()->isHidden());
        EXPECT_EQ(dialog.ProgressLabel()->text(), U("取得中..."));
        EXPECT_EQ(dialog.Counter()->text(), "0/100");
        return dialog.result();
    });
    Trigger(C::kReacquireExif);
    EXPECT_TRUE(triedToLeave);
    EXPECT_EQ(chooser.MessageTexts(),
              QStringList{U("エントリ 0件のうち、0件のExif情報取得に成功しました")});
    EXPECT_EQ(album().entries.Field(0, COL_MAKER), "typed");
    EXPECT_FALSE(session->State().runOwnsAlbum);
    chooser.messages.clear();

    Script<ExifReacquireDialog>([&](ExifReacquireDialog& dialog) {
        context = session->HelpContext();
        dialog.show();
        EXPECT_TRUE(dialog.AllButton()->isChecked());
        EXPECT_FALSE(dialog.SelectedButton()->isEnabled());  // nothing is selected
        EXPECT_TRUE(dialog.ProgressRow()->isHidden());
        dialog.RunButton()->click();
        WaitForRun(*session);
        EXPECT_EQ(dialog.ProgressLabel()->text(), U("取得完了"));
        EXPECT_EQ(dialog.Counter()->text(), "100/100");
        EXPECT_EQ(dialog.ProgressBar()->maximum(), 100);
        EXPECT_EQ(dialog.ProgressBar()->value(), 100);
        return dialog.result();
    });
    Trigger(C::kReacquireExif);
    EXPECT_EQ(context, kHelpExifReacquire);
    EXPECT_EQ(session->HelpContext(), kHelpMainWindowAgain);
    EXPECT_EQ(chooser.MessageTexts(),
              QStringList{U("エントリ 100件のうち、60件のExif情報取得に成功しました")});
    EXPECT_EQ(chooser.messages[0].caption, U("Exif情報取得結果"));
    EXPECT_EQ(chooser.messages[0].icon, QMessageBox::Information);
    EXPECT_TRUE(album().modified);
    EXPECT_EQ(album().entries.Field(0, COL_MAKER), "MIRU");
    EXPECT_FALSE(session->State().runOwnsAlbum);

    // Only the selected entries: P1001 (a camera JPEG) and P1003 (cut short).
    session->SetSelection({1, 3});
    Script<ExifReacquireDialog>([this](ExifReacquireDialog& dialog) {
        EXPECT_TRUE(dialog.SelectedButton()->isEnabled());
        dialog.SelectedButton()->click();
        dialog.RunButton()->click();
        WaitForRun(*session);
        return dialog.result();
    });
    chooser.messages.clear();
    Trigger(C::kReacquireExif);
    EXPECT_EQ(chooser.MessageTexts(),
              QStringList{U("選択エントリ 2件のうち、1件のExif情報取得に成功しました")});
}

TEST_F(RunDialogTest, ThumbnailExtractionRefusesTheTargetFolderAndStoresTheFolderItRanInto) {
    OpenAlbum({{"a.jpg", camera},
               {"b.jpg", camera},
               {"cut.jpg", camera.substr(0, 300)},
               {"plain.jpg", fixtures::MakeJpeg(8, 6)},
               {"c.jpg", camera}});
    session->Core().settings.EnvChangePath = 1;
    session->Core().settings.EnvMakeThumb = 0;  // extraction alone, and its summary
    const QString thumbs = QString::fromStdString(dir.path() + "/thumbs");
    const QString backslash = QString::fromStdString(dir.path() + "/th\\umbs");

    int context = -1;
    Script<ThumbnailDialog>([&](ThumbnailDialog& dialog) {
        context = session->HelpContext();
        dialog.show();
        EXPECT_EQ(dialog.TargetField()->text(), QString::fromStdString(Photos()));
        EXPECT_TRUE(dialog.TargetField()->isReadOnly());
        EXPECT_FALSE(dialog.OutputField()->isReadOnly());
        EXPECT_TRUE(dialog.ProgressRow()->isHidden());
        EXPECT_FALSE(dialog.SelectedButton()->isEnabled());

        // A typed "\" is a separator to the file system: th\umbs would make th/umbs.
        dialog.OutputField()->setText(backslash);
        dialog.RunButton()->click();
        WaitForRun(*session);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), dialog.OutputField());
        EXPECT_TRUE(dialog.ProgressRow()->isHidden());
        // The target folder, with a trailing separator too, is refused and the dialog stays.
        for (QString same :
             {QString::fromStdString(Photos()), QString::fromStdString(Photos()) + "/"}) {
            dialog.OutputField()->setText(same);
            dialog.RunButton()->click();
            WaitForRun(*session);
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_TRUE(dialog.RunButton()->isEnabled());
            EXPECT_EQ(dialog.focusWidget(), dialog.OutputField());
            EXPECT_TRUE(dialog.ProgressRow()->isHidden());
        }
        // "..." replaces the field's text with the chosen folder; a cancelled browser does not.
        chooser.folders = {std::nullopt, thumbs};
        dialog.BrowseButton()->click();
        EXPECT_EQ(dialog.OutputField()->text(), QString::fromStdString(Photos()) + "/");
        dialog.BrowseButton()->click();
        EXPECT_EQ(dialog.OutputField()->text(), thumbs);

        dialog.RunButton()->click();

        WaitForRun(*session);
        EXPECT_EQ(dialog.ProgressLabel()->text(), U("抽出完了"));
        EXPECT_EQ(dialog.Counter()->text(), "5/5");
        // The row was laid out before it was shown, with room for its texts.
        for (QWidget* w : {static_cast<QWidget*>(dialog.ProgressLabel()),
                           static_cast<QWidget*>(dialog.Counter())}) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
        }
        EXPECT_FALSE(dialog.ProgressRow()->isHidden());
        return dialog.result();
    });
    Trigger(C::kExtractThumbnails);
    EXPECT_EQ(context, kHelpThumbnails);
    EXPECT_EQ(session->HelpContext(), kHelpMainWindowAgain);
    EXPECT_EQ(chooser.folderTitles, QStringList(2, U("フォルダを選択してください")));
    QStringList refused(2, U("サムネイルの出力先は、ターゲットとは別の場所を指定してください"));
    QStringList messages{U("Shift-JIS で表せない文字か「\\」を含むパスは使用できません\n") +
                         backslash};
    EXPECT_EQ(chooser.MessageTexts(),
              messages + refused +
                  QStringList{U("エントリ 5件のうち、3件のサムネイル抽出に成功しました")});
    EXPECT_EQ(chooser.messages[1].caption, U("サムネイルの出力先エラー"));
    EXPECT_EQ(chooser.messages[1].icon, QMessageBox::Warning);
    EXPECT_EQ(chooser.messages[3].caption, U("サムネイル抽出結果"));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.path() + "/th")));
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        EXPECT_EQ(dir.Read(std::string("thumbs/") + name), fixtures::MakeThumbnailJpeg()) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(thumbs + "/cut.jpg"));
    EXPECT_EQ(album().style.ThumbFolder, dir.path() + "/thumbs");
    EXPECT_TRUE(album().modified);

    // Without EnvChangePath the folder is the album's; "ｷｬﾝｾﾙ" leaves it as it was.
    session->Core().settings.EnvChangePath = 0;
    Script<ThumbnailDialog>([&](ThumbnailDialog& dialog) {
        EXPECT_EQ(dialog.OutputField()->text(), thumbs);
        EXPECT_TRUE(dialog.OutputField()->isReadOnly());
        EXPECT_FALSE(dialog.BrowseButton()->isEnabled());
        dialog.OutputField()->setText("elsewhere");  // as a program could
        Click(dialog, "cancel");
        return dialog.result();
    });
    Trigger(C::kExtractThumbnails);
    EXPECT_EQ(album().style.ThumbFolder, dir.path() + "/thumbs");
}

// The check box starts as the environment setting says and decides whether pictures without
// an Exif thumbnail get one made.
TEST_F(RunDialogTest, ThumbnailDialogMakesMissingThumbnailsWhenTicked) {
    OpenAlbum({{"a.jpg", camera},
               {"p.png", fixtures::MakePicture(fixtures::PictureFormat::Png, 320, 240)}});
    session->Core().settings.EnvChangePath = 1;
    session->Core().settings.EnvForceOverWrite = 1;
    session->Core().settings.EnvMakeThumb = 0;
    const QString thumbs = QString::fromStdString(dir.path() + "/thumbs");
    auto run = [&](bool expectChecked, bool tick) {
        Script<ThumbnailDialog>([&](ThumbnailDialog& dialog) {
            EXPECT_EQ(dialog.MakeMissingBox()->isChecked(), expectChecked);
            dialog.MakeMissingBox()->setChecked(tick);
            dialog.OutputField()->setText(thumbs);
            dialog.RunButton()->click();
            WaitForRun(*session);
            return dialog.result();
        });
        chooser.messages.clear();
        Trigger(C::kExtractThumbnails);
    };
    run(false, false);
    EXPECT_EQ(chooser.MessageTexts(),
              QStringList{U("エントリ 2件のうち、1件のサムネイル抽出に成功しました")});
    EXPECT_FALSE(QFileInfo::exists(thumbs + "/p.png"));

    session->Core().settings.EnvMakeThumb = 1;
    run(true, true);
    EXPECT_EQ(chooser.MessageTexts(),
              QStringList{U("エントリ 2件のうち、1件を抽出、1件を縮小作成しました")});
    auto made = fixtures::DecodePicture(dir.Read("thumbs/p.png"));
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->jpeg);
    EXPECT_EQ(album().style.ThumbFolder, dir.path() + "/thumbs");
    // Unticking holds for that run only.
    run(true, false);
    EXPECT_EQ(session->Core().settings.EnvMakeThumb, 1);
}

// The run works on a thread of its own and waits while its overwrite question is asked on the
// window's thread; ｷｬﾝｾﾙ pressed meanwhile ends the run after that entry. What was written is
// whole, nothing after it is written, and no half-written file stays.
TEST_F(RunDialogTest, ThumbnailRunCancelledMidwayLeavesOnlyWholeThumbnails) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 0; i < 8; ++i) files.emplace_back("P" + std::to_string(i) + ".jpg", camera);
    OpenAlbum(files);
    session->Core().settings.EnvChangePath = 1;
    session->Core().settings.EnvForceOverWrite = 0;
    dir.Write("thumbs/P3.jpg", "the user's own");
    const QString thumbs = QString::fromStdString(dir.path() + "/thumbs");
    QThread* askedOn = nullptr;
    bool ownedWhileAsked = false;
    QString counterWhileAsked;
    Script<ThumbnailDialog>([&](ThumbnailDialog& dialog) {
        dialog.show();
        dialog.OutputField()->setText(thumbs);
        Script<OverwriteDialog>([&](OverwriteDialog& question) {
            askedOn = QThread::currentThread();
            ownedWhileAsked = session->State().runOwnsAlbum;
            counterWhileAsked = dialog.Counter()->text();  // the fourth entry is in hand
            Click(dialog, "cancel");
            EXPECT_TRUE(dialog.isVisible());
            for (QPushButton* b : question.findChildren<QPushButton*>()) {
                if (b->text() == U("はい(&Y)")) b->click();
            }
            return question.result();
        });
        dialog.RunButton()->click();
        WaitForRun(*session);
        EXPECT_EQ(dialog.Counter()->text(), "4/8");
        return dialog.result();
    });
    Trigger(C::kExtractThumbnails);
    EXPECT_EQ(askedOn, QCoreApplication::instance()->thread());
    EXPECT_TRUE(ownedWhileAsked);
    EXPECT_EQ(counterWhileAsked, "4/8");
    EXPECT_FALSE(session->State().runOwnsAlbum);
    EXPECT_TRUE(chooser.MessageTexts().isEmpty());
    EXPECT_EQ(chooser.dialogs.size(), 2u);
    QStringList written;
    const QString temp = QStringLiteral(".mrl-%1-").arg(QCoreApplication::applicationPid());
    for (const QString& name : QDir(thumbs).entryList(QDir::Files | QDir::Hidden)) {
        EXPECT_FALSE(name.startsWith(temp)) << name.toStdString();
        if (name.startsWith('P')) written << name;
    }
    EXPECT_EQ(written, (QStringList{"P0.jpg", "P1.jpg", "P2.jpg", "P3.jpg"}));
    for (const QString& name : written) {
        EXPECT_EQ(dir.Read("thumbs/" + name.toStdString()), fixtures::MakeThumbnailJpeg())
            << name.toStdString();
    }
}

TEST_F(RunDialogTest, HelpButtonAndF1OpenTheDialogsTopicAndTheContextComesBack) {
    OpenAlbum({{"a.jpg", camera}});
    auto pressHelp = [](RunDialog& dialog) {
        Click(dialog, "help");
        dialog.show();
        dialog.RunButton()->setFocus();
        QTest::keyClick(dialog.RunButton(), Qt::Key_F1);
        return static_cast<int>(QDialog::Rejected);
    };
    Script<ExifReacquireDialog>(pressHelp);
    Trigger(C::kReacquireExif);
    Script<ThumbnailDialog>(pressHelp);
    Trigger(C::kExtractThumbnails);
    QStringList pages;
    for (const QUrl& url : chooser.openedUrls) pages << url.fileName();
    EXPECT_EQ(pages, (QStringList{"070900.html", "070900.html", "040400.html", "040400.html"}));
    EXPECT_EQ(session->HelpContext(), kHelpMainWindowAgain);

    // Opened from another dialog (the page creation options), that dialog's context returns.
    session->SetHelpContext(kHelpPageList);
    chooser.dialogResults.push_back(QDialog::Rejected);
    ExecThumbnailDialog(*session, frame.get());
    EXPECT_EQ(session->HelpContext(), kHelpPageList);
}

TEST_F(RunDialogTest, EveryControlOfTheDialogsHasAName) {
    OpenAlbum({{"a.jpg", camera}});
    std::string page = dir.Write("page.html", "x");
    std::vector<std::unique_ptr<QDialog>> dialogs;
    dialogs.push_back(std::make_unique<ExifReacquireDialog>(*session, frame.get()));
    dialogs.push_back(std::make_unique<ThumbnailDialog>(*session, frame.get()));
    dialogs.push_back(std::make_unique<OverwriteDialog>(frame.get(), "/tmp", "page.html",
                                                        SizeText(1), CreationTimeText(0)));
    for (auto& dialog : dialogs) {
        dialog->show();
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w) &&
                !qobject_cast<QProgressBar*>(w)) {
                continue;
            }
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty())
                << dialog->windowTitle().toStdString() << ": " << w->metaObject()->className()
                << " " << w->objectName().toStdString();
        }
    }
}

// The album's pages, top page first.
std::vector<std::string> Pages(const PageStyle& style) {
    return {style.TopFolder + "/index.html", style.ListFolder + "/list.html",
            style.DetailFolder + "/IMG_1000.html", style.DetailFolder + "/IMG_1001.html"};
}

// Edits every page by hand, so that each is asked about.
void EditPages(const PageStyle& style) {
    for (const std::string& page : Pages(style)) {
        ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(page))) << page;
        std::ofstream edit(page, std::ios::app | std::ios::binary);
        edit << "<!-- edited -->\r\n";
    }
}

bool Edited(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.find("<!-- edited -->") != std::string::npos;
}

TEST_F(RunDialogTest, OverwriteDialogAnswersThroughWholeGenerationRuns) {
    chooser.folders.push_back(QString::fromStdString(PhotoFolder(2)));
    Trigger(C::kTargetFolder);
    Trigger(C::kCreateHtml);  // the first run: nothing to ask; "no" to the browser
    const std::vector<std::string> pages = Pages(album().style);
    EditPages(album().style);
    chooser.messages.clear();

    auto answer = [this](const char* caption) {
        Script<OverwriteDialog>([caption](OverwriteDialog& dialog) {
            for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
                if (b->text() == U(caption)) b->click();
            }
            return dialog.result();
        });
    };
    // Yes for the top page, no for the list page, all for the first detail page: the second
    // is not asked about.
    QString index = QString::fromStdString(pages[0]);
    QFileInfo info(index);
    QDateTime created = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
    QString sizeShown;
    QString createdShown;
    Script<OverwriteDialog>([&](OverwriteDialog& dialog) {
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
            if (edit->accessibleName() == U("サイズ")) sizeShown = edit->text();
            if (edit->accessibleName() == U("作成日時")) createdShown = edit->text();
            EXPECT_TRUE(edit->isReadOnly());
        }
        for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
            if (b->text() == U("はい(&Y)")) {
                // Enter answers it, and it has the focus rather than a read-only field.
                dialog.show();
                EXPECT_TRUE(b->isDefault());
                EXPECT_EQ(dialog.focusWidget(), b);
                b->click();
            }
        }
        return dialog.result();
    });
    answer("いいえ(&N)");
    answer("すべて上書き(&A)");
    Trigger(C::kCreateHtml);
    EXPECT_EQ(sizeShown, QLocale(QLocale::English).toString(info.size()) + U(" バイト"));
    EXPECT_EQ(createdShown, CreationTimeText(created.toSecsSinceEpoch()));
    EXPECT_TRUE(QRegularExpression(U("^\\d{4}年 [ \\d]\\d月 [ \\d]\\d日 [ \\d]\\d:\\d\\d:\\d\\d$"))
                    .match(createdShown)
                    .hasMatch())
        << createdShown.toStdString();
    ASSERT_EQ(chooser.dialogs.size(), 3u);
    EXPECT_FALSE(Edited(pages[0]));
    EXPECT_TRUE(Edited(pages[1]));
    EXPECT_FALSE(Edited(pages[2]));
    EXPECT_FALSE(Edited(pages[3]));
    EXPECT_EQ(chooser.MessageTexts(),
              QStringList{U("HTMLページを作成しました\n\nブラウザで表示してみますか？　　")});

    // Escape, and "キャンセル", at the top page end the run there: the run failed.
    EditPages(album().style);
    Script<OverwriteDialog>([](OverwriteDialog& dialog) {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
    });
    answer("キャンセル");
    for (int run = 0; run < 2; ++run) {
        chooser.messages.clear();
        Trigger(C::kCreateHtml);
        EXPECT_EQ(chooser.MessageTexts(), QStringList{U("HTMLページの作成に失敗しました")});
        EXPECT_TRUE(Edited(pages[0]));
        EXPECT_TRUE(Edited(pages[1]));
    }
    EXPECT_EQ(chooser.dialogs.size(), 5u);
    EXPECT_TRUE(chooser.dialogScripts.empty());
}

}  // namespace
}  // namespace mirulane::ui::testing
