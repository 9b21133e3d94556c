// The one number rule of the option dialogs: the page options and the environment settings
// refuse the same texts with the same message, and take the same integers.

#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include "album/album.h"
#include "app/session.h"
#include "ui/number_field_widget.h"
#include "ui/page_options_dialog.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;

class NumberRuleTest : public WindowTest {
  protected:
    // Opens the dialog of the command, types text into the field and presses OK: the messages
    // that OK gave. Refused, the dialog stays and is cancelled.
    QStringList TypeAndOk(C::Command command, const char* field, const QString& text,
                          const char* enable = nullptr) {
        chooser.messages.clear();
        chooser.dialogScripts.push_back([&](QDialog& d) {
            d.show();
            if (enable) Click(d, enable);
            Find<NumberField>(d, field)->findChild<QLineEdit*>()->setText(text);
            Click(d, "ok");
            if (d.isVisible()) Click(d, "cancel");
            return d.result();
        });
        Trigger(command);
        EXPECT_TRUE(chooser.dialogScripts.empty());
        return chooser.MessageTexts();
    }
};

TEST_F(NumberRuleTest, BothOptionDialogsRefuseTheSameTextsAndTakeTheSameIntegers) {
    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg"})));
    const QStringList refused{U("整数を入力してください。")};
    for (const char* text :
         {"", " ", "abc", "12px", "1 2", "1.5", "+", "-", "++1", "2147483648", "0x10", "１２"}) {
        EXPECT_EQ(TypeAndOk(C::kPageOptions, "listSpacing", U(text)), refused) << text;
        EXPECT_EQ(TypeAndOk(C::kEnvironment, "dispMaxW", U(text), "dispSize2"), refused) << text;
    }
    for (auto [text, value] : {std::pair{" 7 ", 7}, std::pair{"+12", 12}, std::pair{"0", 0}}) {
        EXPECT_TRUE(TypeAndOk(C::kPageOptions, "listSpacing", U(text)).isEmpty()) << text;
        EXPECT_EQ(session->Core().album.style.ListCellSpacing, value) << text;
        EXPECT_TRUE(TypeAndOk(C::kEnvironment, "dispMaxW", U(text), "dispSize2").isEmpty()) << text;
        EXPECT_EQ(session->Core().settings.EnvDispMaxW, value) << text;
    }
}

}  // namespace
}  // namespace mirulane::ui::testing
