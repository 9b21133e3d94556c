// The entry dialogs driven through their widgets: the file-information dialog's steps, saves,
// deletes, group box, refusals and the selection it leaves; the batch edit; the help of both.

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest/QTest>

#include "album/album_file.h"
#include "app/entry_edit.h"
#include "platform/cp932.h"
#include "ui/help.h"
#include "ui/mirulane_doc.h"
#include "ui/typed_field.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;

QString Text(QDialog& d, const char* field) {
    if (auto* comment = d.findChild<QPlainTextEdit*>(QString::fromLatin1(field))) {
        return comment->toPlainText();
    }
    if (auto* box = d.findChild<QComboBox*>(QString::fromLatin1(field))) return box->currentText();
    return Find<QLineEdit>(d, field)->text();
}

// Types each character of text as one key press (keyClicks knows ASCII only).
void Keys(QWidget* w, const QString& text) {
    for (QChar c : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), {});
}

// Types into a field as a user does: its whole text selected first, then the keys.
void Type(QDialog& d, const char* field, const QString& text) {
    QWidget* w = Find(d, field);
    if (auto* box = qobject_cast<QComboBox*>(w)) w = box->lineEdit();
    if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
    if (auto* comment = qobject_cast<QPlainTextEdit*>(w)) comment->selectAll();
    Keys(w, text);
}

// What assistive technology reads as a field's name: a combo box, whose name is its text
// here, is named by the label it is labelled by.
QString AccessibleName(QWidget* w) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (qobject_cast<QComboBox*>(w)) {
        for (const auto& [label, relation] : iface->relations(QAccessible::Label)) {
            QString text = label->text(QAccessible::Name);
            return text.remove(QLatin1Char('&')).remove(QRegularExpression("\\(.\\):?$"));
        }
        return {};
    }
    return iface->text(QAccessible::Name);
}

class EntryDialogTest : public WindowTest {
  protected:
    // An album of n entries a.jpg, b.jpg, ... with titles ta, tb, ...
    void OpenAlbum(int n) {
        std::vector<std::string> names;
        for (int i = 0; i < n; ++i) names.push_back(std::string(1, char('a' + i)) + ".jpg");
        frame->OpenAlbumFile(QString::fromStdString(WriteAlbum(names)));
        for (int i = 0; i < n; ++i) Entries().SetField(i, COL_TITLE, "t" + names[i].substr(0, 1));
    }
    EntryList& Entries() { return session->Core().album.entries; }
    std::string Title(int row) { return Entries().Field(row, COL_TITLE); }
    std::vector<int> Selected() {
        std::vector<int> out;
        for (int i = 0; i < Entries().Count(); ++i) {
            if (Entries().IsSelected(i)) out.push_back(i);
        }
        return out;
    }
    void Select(const QList<int>& rows) {
        session->SetSelection(rows);
        frame->UpdateCommandStates();
    }
    // Runs the file-information command with a script for its dialog.
    void EditFileInfo(std::function<int(QDialog&)> script) {
        chooser.dialogScripts.push_back(std::move(script));
        Trigger(C::kEditFileInfo);
        EXPECT_TRUE(chooser.dialogScripts.empty());
    }
};

TEST_F(EntryDialogTest, FileInfoShowsItsLabelsButtonsAndNamesEveryField) {
    OpenAlbum(2);
    Select({1});
    EditFileInfo([&](QDialog& d) -> int {
        EXPECT_EQ(d.windowTitle(), U("情報設定"));
        EXPECT_EQ(Text(d, "file"), "b.jpg");
        EXPECT_TRUE(Find<QLineEdit>(d, "folder")->isReadOnly());
        EXPECT_TRUE(Find<QLineEdit>(d, "file")->isReadOnly());
        EXPECT_EQ(AccessibleName(Find(d, "folder")), U("フォルダ"));
        EXPECT_EQ(AccessibleName(Find(d, "file")), U("ファイル"));
        EXPECT_TRUE(Find<QComboBox>(d, "group")->isEditable());
        EXPECT_TRUE(Find<QPushButton>(d, "next")->isDefault());
        for (int f = 0; f < kEditFieldCount; ++f) {
            QWidget* w = Find(d, FieldObjectName(f).toLatin1().constData());
            if (w) {
                EXPECT_EQ(AccessibleName(w), FieldName(kEditFields[f].labelUtf8)) << f;
            }
        }
        return int(QDialog::Rejected);
    });
    QStringList texts = chooser.dialogs.at(0).texts;
    for (const char* t :
         {"フォルダ(&R):",   "ファイル(&N):",   "タイトル(&T):", "読み(&Y):",     "グループ(&G):",
          "コメント１(&1):", "コメント２(&2):", "メーカー(&M):", "モデル(&O):",   "撮影日時(&D):",
          "ISO感度(&S):",    "ｼｬｯﾀｰ速度(&H):",  "絞り値(&A):",   "焦点距離(&L):", "フラッシュ(&F):",
          "露光補正量(&E):", "画像サイズ(&Z):", "前へ(&P)",      "次へ(&N)",      "削除",
          "閉じる",          "ヘルプ"}) {
        EXPECT_TRUE(texts.contains(U(t))) << t;
    }
}

TEST_F(EntryDialogTest, FileInfoStepsWrapAroundSaveEachEntryLeftAndMoveThePreview) {
    OpenAlbum(5);
    Select({1, 3});
    QSignalSpy picked(&frame->Doc(), &CMirulaneDoc::Updated);
    EditFileInfo([&](QDialog& d) -> int {
        d.show();
        EXPECT_EQ(Text(d, "file"), "b.jpg");
        EXPECT_EQ(Text(d, "title"), "tb");
        Type(d, "title", "B");
        Type(d, "maker", "Maker");
        Click(d, "next");
        EXPECT_EQ(Title(1), "B");
        EXPECT_EQ(Entries().Field(1, COL_MAKER), "Maker");
        EXPECT_EQ(Text(d, "file"), "c.jpg");
        EXPECT_EQ(Text(d, "maker"), "");
        EXPECT_EQ(Selected(), (std::vector<int>{2, 3}));
        Click(d, "next");
        Click(d, "next");
        Type(d, "title", "E");
        QTest::keyClick(Find(d, "title"), Qt::Key_Return);  // Enter is "next"
        EXPECT_EQ(Title(4), "E");
        EXPECT_EQ(Text(d, "file"), "a.jpg");  // wrapped around
        Type(d, "title", "A");
        Click(d, "previous");
        EXPECT_EQ(Title(0), "A");
        EXPECT_EQ(Text(d, "file"), "e.jpg");
        Type(d, "title", "not kept");
        d.reject();  // Escape
        return d.result();
    });
    EXPECT_EQ(Title(4), "E");  // saved by the step, the cancelled edit dropped
    EXPECT_EQ(Selected(), (std::vector<int>{4}));
    EXPECT_FALSE(Entries().At(4).focused);
    EXPECT_TRUE(session->Core().album.modified);
    QList<int> hints;
    for (const QList<QVariant>& call : picked) hints << call.at(1).toInt();
    EXPECT_EQ(hints, (QList<int>{1, 2, 3, 4, 0, 4}));
}

TEST_F(EntryDialogTest, FileInfoLeavesThePreviewAloneWhileItShowsTheListPage) {
    OpenAlbum(2);
    Select({0});
    session->Core().settings.EnvPreView = PreviewMode::ListPage;
    QSignalSpy picked(&frame->Doc(), &CMirulaneDoc::Updated);
    EditFileInfo([&](QDialog& d) -> int {
        Click(d, "next");
        Click(d, "close");
        return d.result();
    });
    EXPECT_EQ(picked.count(), 0);
    EXPECT_EQ(Selected(), (std::vector<int>{1}));
}

TEST_F(EntryDialogTest, FileInfoDeletesTheFourthOfFiveAndClosesWhenNoneIsLeft) {
    OpenAlbum(5);
    Select({3});
    EditFileInfo([&](QDialog& d) -> int {
        Type(d, "title", "dropped");
        Click(d, "delete");
        EXPECT_EQ(Text(d, "file"), "e.jpg");
        EXPECT_EQ(Entries().Count(), 4);
        EXPECT_EQ(Status(StatusPane::RowCount), U("　　     4 行"));
        Click(d, "delete");  // the last one: the new last is shown
        EXPECT_EQ(Text(d, "file"), "c.jpg");
        Click(d, "close");
        return d.result();
    });
    EXPECT_TRUE(chooser.messages.empty());
    EXPECT_EQ(Selected(), (std::vector<int>{2}));

    Trigger(C::kNew);
    OpenAlbum(1);
    Select({0});
    int result = -1;
    EditFileInfo([&](QDialog& d) -> int {
        Click(d, "delete");
        result = d.result();
        return d.result();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(Entries().Count(), 0);
    ASSERT_FALSE(chooser.messages.empty());
    EXPECT_EQ(chooser.messages.back().text, U("表示する情報がなくなりました"));
    EXPECT_TRUE(session->Core().album.modified);
    EXPECT_FALSE(Action(C::kEditFileInfo)->isEnabled());
}

TEST_F(EntryDialogTest, FileInfoGroupBoxIgnoresLetterCaseAndBecomesTheGroupsOnClose) {
    OpenAlbum(3);
    session->Core().album.groups = {"trip", "Beach"};
    Select({0});
    EditFileInfo([&](QDialog& d) -> int {
        auto* box = Find<QComboBox>(d, "group");
        EXPECT_EQ(box->count(), 2);
        EXPECT_EQ(box->itemText(0), "Beach");
        Type(d, "group", "Trip");
        Click(d, "next");
        EXPECT_EQ(box->count(), 2);
        Type(d, "group", U("旅行"));
        Click(d, "next");
        EXPECT_EQ(box->count(), 3);
        d.reject();
        return d.result();
    });
    // Cancel keeps the steps' saves but not the box.
    EXPECT_EQ(Entries().Field(1, COL_GROUP), Sj("旅行"));
    EXPECT_EQ(session->Core().album.groups, (std::vector<std::string>{"trip", "Beach"}));

    Select({1});
    EditFileInfo([&](QDialog& d) -> int {
        EXPECT_EQ(Find<QComboBox>(d, "group")->count(), 2);
        Type(d, "group", U("旅行"));
        Click(d, "close");
        return d.result();
    });
    EXPECT_EQ(session->Core().album.groups,
              (std::vector<std::string>{"Beach", "trip", Sj("旅行")}));
}

TEST_F(EntryDialogTest, FileInfoRefusesWhatShiftJisCannotHoldAndTextsPastTheLimit) {
    OpenAlbum(1);
    Select({0});
    EditFileInfo([&](QDialog& d) -> int {
        d.show();
        auto* hint = Find<QLabel>(d, "hint");
        Type(d, "title", U("aé"));
        EXPECT_EQ(Text(d, "title"), "a");
        EXPECT_TRUE(hint->text().contains("Shift-JIS")) << hint->text().toStdString();
        Find<QLineEdit>(d, "title")->setText(QString(254, 'x'));
        Keys(Find(d, "title"), U("表"));  // 256 bytes
        EXPECT_EQ(Text(d, "title").size(), 254);
        EXPECT_TRUE(hint->text().contains(U("「タイトル」"))) << hint->text().toStdString();
        hint->clear();
        Keys(Find(d, "title"), "y");
        EXPECT_TRUE(hint->text().isEmpty());
        // Line breaks in a comment are stored as the album list file writes them.
        Type(d, "comment1", "one");
        QTest::keyClick(Find(d, "comment1"), Qt::Key_Return);
        Keys(Find(d, "comment1"), U("二"));
        EXPECT_EQ(Text(d, "comment1"), U("one\n二"));
        Find<QPlainTextEdit>(d, "comment2")->setPlainText(QString(63, '\n'));
        QTest::keyClick(Find(d, "comment2"), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(Find(d, "comment2"), Qt::Key_Return);  // 64 breaks: 256 bytes
        EXPECT_EQ(Text(d, "comment2"), QString(63, '\n'));
        Keys(Find(d, "comment2"), "abc");
        EXPECT_EQ(Text(d, "comment2"), QString(63, '\n') + "abc");
        Click(d, "close");
        return d.result();
    });
    EXPECT_EQ(Title(0), std::string(254, 'x') + "y");
    EXPECT_EQ(Entries().Field(0, COL_COMM1), Sj("one<br>二"));
    EXPECT_EQ(Entries().Field(0, COL_COMM2).size(), 63u * 4 + 3);

    // Shown again, the breaks are lines; what was not changed is stored byte for byte, even a
    // text beyond the limit read from a file.
    Entries().SetField(0, COL_YOMI, std::string(300, 'r'));
    Select({0});
    EditFileInfo([&](QDialog& d) -> int {
        EXPECT_EQ(Text(d, "comment1"), U("one\n二"));
        QTest::keyClick(Find(d, "reading"), Qt::Key_End);
        QTest::keyClick(Find(d, "reading"), Qt::Key_Backspace);
        Click(d, "close");
        return d.result();
    });
    EXPECT_EQ(Entries().Field(0, COL_COMM1), Sj("one<br>二"));
    EXPECT_EQ(Entries().Field(0, COL_YOMI), std::string(299, 'r'));
}

TEST_F(EntryDialogTest, BatchEditWritesOnlyTheCheckedFieldsIntoTheSelectedEntries) {
    OpenAlbum(4);
    for (int i = 0; i < 4; ++i) Entries().SetField(i, COL_GROUP, "g");
    Select({0});
    EXPECT_FALSE(Action(C::kBatchEdit)->isEnabled());
    Select({1, 3});
    ASSERT_TRUE(Action(C::kBatchEdit)->isEnabled());
    chooser.dialogScripts.push_back([&](QDialog& d) -> int {
        EXPECT_EQ(d.windowTitle(), U("詳細情報の一括設定"));
        for (int f = 0; f < kEditFieldCount; ++f) {
            QByteArray name = FieldObjectName(f).toLatin1();
            auto* check = Find<QCheckBox>(d, (name + "Check").constData());
            QWidget* edit = Find(d, name.constData());
            if (!check || !edit) continue;
            EXPECT_EQ(check->text(), U(kEditFields[f].labelUtf8));
            EXPECT_FALSE(check->isChecked());
            if (IsCommentField(f)) {
                // The comments take several lines, as in the single entry's dialog.
                auto* comment = qobject_cast<QPlainTextEdit*>(edit);
                if (!comment) {
                    ADD_FAILURE() << name.constData();
                    continue;
                }
                EXPECT_GE(comment->height(), comment->fontMetrics().lineSpacing() * 3);
                EXPECT_TRUE(comment->toPlainText().isEmpty());
            } else {
                EXPECT_TRUE(qobject_cast<QLineEdit*>(edit)->text().isEmpty());
            }
            EXPECT_EQ(QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name),
                      FieldName(kEditFields[f].labelUtf8));
        }
        auto* camera = d.findChild<QGroupBox*>();
        EXPECT_TRUE(camera && camera->title() == U("撮影データ") &&
                    camera->isAncestorOf(Find(d, "imageSize")));
        Find<QCheckBox>(d, "groupCheck")->setChecked(true);
        Type(d, "title", "typed but not checked");
        Find<QCheckBox>(d, QString(FieldObjectName(3) + "Check").toLatin1().constData())
            ->setChecked(true);
        Find<QPlainTextEdit>(d, FieldObjectName(3).toLatin1().constData())
            ->setPlainText(QStringLiteral("one\ntwo"));
        Click(d, "ok");
        return d.result();
    });
    Trigger(C::kBatchEdit);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Entries().Field(i, COL_GROUP), i % 2 ? "" : "g") << i;
        if (i % 2) {
            EXPECT_EQ(Entries().Field(i, COL_COMM1), "one<br>two") << i;
        }
        EXPECT_EQ(Title(i), "t" + std::string(1, char('a' + i)));
    }
    EXPECT_TRUE(session->Core().album.modified);
    QStringList texts = chooser.dialogs.back().texts;
    for (const char* t : {"チェックを付けた項目だけが、選択中の全てのエントリに設定されます", "OK",
                          "キャンセル", "ヘルプ"}) {
        EXPECT_TRUE(texts.contains(U(t))) << t;
    }

    session->Core().album.modified = false;
    chooser.dialogScripts.push_back([&](QDialog& d) -> int {
        Find<QCheckBox>(d, "titleCheck")->setChecked(true);
        Click(d, "cancel");
        return d.result();
    });
    Trigger(C::kBatchEdit);
    EXPECT_EQ(Title(1), "tb");
    EXPECT_FALSE(session->Core().album.modified);
}

TEST_F(EntryDialogTest, EachDialogSetsItsHelpContextOpensItsTopicAndRestoresTheWindows) {
    OpenAlbum(2);
    Select({0, 1});
    for (C::Command c : {C::kEditFileInfo, C::kBatchEdit}) {
        chooser.openedUrls.clear();
        int context = -1;
        chooser.dialogScripts.push_back([&](QDialog& d) -> int {
            context = session->HelpContext();
            Click(d, "help");
            d.show();
            QApplication::setActiveWindow(&d);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            QTest::keyClick(&d, Qt::Key_F1);
            d.reject();
            return d.result();
        });
        Trigger(c);
        EXPECT_EQ(context, c == C::kEditFileInfo ? kHelpFileInfo : kHelpBatchEdit);
        EXPECT_EQ(session->HelpContext(), kHelpMainWindowAgain);
        ASSERT_EQ(chooser.openedUrls.size(), 2u) << c;
        for (const QUrl& url : chooser.openedUrls) EXPECT_EQ(url.fileName(), "040500.html");
    }
}

}  // namespace
}  // namespace mirulane::ui::testing
