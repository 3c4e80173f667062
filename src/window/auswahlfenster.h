#pragma once

#include "commands/commandcontext.h"
#include "window/auswahlfenstercontrols.h"
#include "window/startpath.h"
#include "window/windowservices.h"

#include <QSet>
#include <QWidget>

#include <memory>

namespace namlex {

// The program's only window: browse to a folder, choose the filter, and
// tidy the names of the listed files.
class AuswahlFenster : public QWidget, private FolderSource, private Choices
{
    Q_OBJECT

public:
    explicit AuswahlFenster(const WindowServices &services, QWidget *parent = nullptr);

    using StartPath = namlex::StartPath;

    // Caption, first tool tips and the first folder: the one asked for, else
    // the stored one, else the first of the fallback folders that can be
    // shown, else the program folder.
    void load(const std::optional<StartPath> &start = std::nullopt);

    const AuswahlFensterControls &controls() const { return ui; }

Q_SIGNALS:
    // The summary label was rewritten.
    void summaryRefreshed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // FolderSource, Choices
    QString folderPath() const override;
    bool allFilesSelected() const override;
    bool musicOnlySelected() const override;
    bool onlyWithLeadingZero() const override;

    void showFolder(const QString &folder);
    void onDrive1Change();
    void onDir1Change();
    void onFile1Click();
    void onAppPathClick();
    void onFilterChosen(const QString &pattern);
    void FileInfoAktualisieren();

    void onKeyUp(int key);
    void onFile1KeyUp(int key);
    void onFile1Menu(const QPoint &at);
    void onTimer1Tick();
    void onBackgroundListing(bool changed);
    void runCommand(void (*command)(const CommandContext &));

    WindowServices services;
    // The folder the program was started in.
    const QString workingFolder;
    std::unique_ptr<Prompter> ownPrompter;
    Prompter &prompter;
    AuswahlFensterControls ui;
    // Keys whose press reached this window; only their release counts.
    QSet<int> pressedKeys;
    // While a command or a deletion runs, nothing re-reads the list under it.
    int busy = 0;
};

} // namespace namlex
