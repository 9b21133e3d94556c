// The field binder of the entry and option dialogs: what a field was loaded from comes back
// byte for byte while its text is unchanged, and its Shift-JIS limit holds for typing only.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QtTest/QTest>
#include <memory>
#include <string>

#include "ui/field_binder.h"

namespace mirulane::ui::testing {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(FieldBinder, UnchangedTextGivesBackTheLoadedBytesAndAChangedOneItsStoredForm) {
    QStringList hints;
    FieldBinder binder([&](const QString& text) { hints << text; });
    QLineEdit line;
    line.show();
    const int title = binder.AddLine(&line, 10, U("名前"));
    int commentKey = -1;
    std::unique_ptr<CommentEdit> comment(binder.AddComment(20, U("コメント"), &commentKey));

    // Bytes that do not survive a trip through Unicode: an IBM extension character in its NEC
    // code, a lead byte without its trail byte, a text beyond the limit.
    for (const std::string& bytes :
         {std::string("\xED\x40"), std::string("x\x81"), std::string(30, 'r')}) {
        binder.Load(title, bytes);
        EXPECT_EQ(binder.Stored(title), bytes);
    }
    EXPECT_TRUE(hints.isEmpty());

    // Typed, the text is stored as typed; typed back to what was loaded, the loaded bytes.
    binder.Load(title, "\xED\x40");
    line.setFocus();
    QTest::keyClick(&line, Qt::Key_End);
    QTest::keyClicks(&line, "a");
    EXPECT_EQ(binder.Stored(title).back(), 'a');
    EXPECT_NE(binder.Stored(title), std::string("\xED\x40") + "a");
    QTest::keyClick(&line, Qt::Key_Backspace);
    EXPECT_EQ(binder.Stored(title), "\xED\x40");

    // Typing stops at the limit and says why; the program's text is never refused.
    binder.Load(title, "");
    QTest::keyClicks(&line, "0123456789AB");
    EXPECT_EQ(line.text(), "0123456789");
    ASSERT_FALSE(hints.isEmpty());
    EXPECT_EQ(hints.back(), U("「名前」に入力できるのは半角 10 文字（全角 5 文字）までです"));
    binder.SetText(title, "0123456789ABCDEF");
    EXPECT_EQ(binder.Stored(title), "0123456789ABCDEF");

    // A comment shows its breaks as lines and keeps its bytes until it is changed.
    binder.Load(commentKey, "one<br>two");
    EXPECT_EQ(comment->toPlainText(), "one\ntwo");
    EXPECT_EQ(binder.Stored(commentKey), "one<br>two");
    binder.SetText(commentKey, "one\nthree");
    EXPECT_EQ(binder.Stored(commentKey), "one<br>three");
}

}  // namespace
}  // namespace mirulane::ui::testing
