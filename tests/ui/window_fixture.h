#pragma once
// A main window on a profile of its own, with every dialog answered by a ScriptedChooser.
// Also the small finders the widget tests share.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "fixtures/image_builder.h"
#include "scripted_chooser.h"
#include "ui/left_view.h"
#include "ui/main_frame.h"
#include "ui/ui_session.h"

namespace mirulane::ui::testing {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The dialog's widget of this object name; a test fails when there is none.
template <typename W = QWidget>
W* Find(QDialog& d, const char* name) {
    W* w = d.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void Click(QDialog& d, const char* button) { Find<QAbstractButton>(d, button)->click(); }

// Lets the window's event loop go on until no run owns the album: a run a command started has
// then ended and put its results in place. A test fails when that takes more than a minute.
void WaitForRun(const UiSession& session);

class WindowTest : public ::testing::Test {
  protected:
    // Starts (or restarts) the program on the test's profile.
    void Start() {
        frame.reset();
        session = std::make_unique<UiSession>(chooser, ProfilePath());
        frame = std::make_unique<CMainFrame>(*session);
    }
    void SetUp() override { Start(); }

    QString ProfilePath() const { return QString::fromStdString(dir.path() + "/mirulane.ini"); }
    std::string Profile() const { return dir.Read("mirulane.ini"); }
    // Whether the options have reached the profile (they do at exit; the recent albums go
    // there as soon as they change).
    bool OptionsWritten() const { return Profile().find("[Environment]") != std::string::npos; }

    // An album list file of entries with these names whose target folder is dir/photos.
    std::string WriteAlbum(const std::vector<std::string>& names,
                           const std::string& file = "album.txt") const;
    // A target folder with count small JPEG files.
    std::string PhotoFolder(int count, const std::string& name = "trip") const;

    QAction* Action(CMainFrame::Command c) const { return frame->Action(c); }
    // Triggers the command and waits for the run it may have started.
    void Trigger(CMainFrame::Command c) const {
        frame->Action(c)->trigger();
        WaitForRun(*session);
    }
    QString Status(StatusPane pane) const { return frame->StatusLabel(pane)->text(); }

    fixtures::TempDir dir;
    ScriptedChooser chooser;
    std::unique_ptr<UiSession> session;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace mirulane::ui::testing
