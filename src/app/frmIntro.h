#pragma once

#include "app/Screen.h"

class QLabel;

namespace bis {

class CommandButton;

// The introduction screen, the first one shown. Loading it initialises the show record. Set Up
// starts a new show, Recall Existing Report reads a show file and goes straight to the summary,
// Exit ends the program. The program never comes back here.
class frmIntro : public Screen {
    Q_OBJECT

  public:
    explicit frmIntro(ScreenContext &context);

    // Recalls the show file at the path as Recall Existing Report does once its file is chosen.
    // True when the show was read: the summary of results is shown with the show saved, and this
    // screen is unloaded. False after the message that says why, with this screen as it was.
    bool RecallShowFile(const QString &path);

    // Offers to continue each show that a program stopped before it was saved, before anything
    // else is shown. True when the Tabulator took one up: the screen the journal left off on is
    // open, with the show rebuilt, and this screen is unloaded. False when there was none, or
    // every one was discarded.
    bool ContinueUnfinishedShow();

  protected:
    void Form_CloseRequested() override;

  private:
    void Form_Load();
    void cmdSetup_Click();
    void cmdExisting_Click();
    void cmdExit_Click();

    // After a show file was read: the summary of results, with the show held in a file.
    void OpenSummary();

    QLabel *lblHead1;
    QLabel *Label1;
    CommandButton *cmdSetup;
    CommandButton *cmdExisting;
    CommandButton *cmdExit;
    QLabel *lblVersionNumber;
};

}  // namespace bis
