// Keeping drive, folder tree, file list, path label and summary in step.
#include "window/auswahlfenster.h"

#include "texts/messages.h"
#include "platform/namecodec.h"
#include "window/driveselector.h"
#include "window/filelistbox.h"
#include "window/foldertree.h"
#include "window/plaintooltip.h"

#include <QLabel>
#include <QRadioButton>

namespace namlex {

void AuswahlFenster::onDrive1Change()
{
    // The selector hands out the folder last shown on the drive; a drive
    // without a medium has none.
    const std::optional<QString> folder = ui.Drive1->folderOf(ui.Drive1->drive());
    if (!folder || !ui.Dir1->setPath(*folder)) {
        prompter.ask(messages::driveNotReady());
        // Back to the drive of the folder that is still shown.
        ui.Drive1->setDrive(ui.Dir1->path());
        return;
    }
    FileInfoAktualisieren();
    ui.Drive1->setToolTip(ui.Drive1->drive());
}

void AuswahlFenster::onDir1Change()
{
    const QString shown = platform::displayName(ui.Dir1->path());
    ui.PfadAnz->setText(shown);
    ui.File1->setPath(ui.Dir1->path());
    FileInfoAktualisieren();
    ui.Dir1->setToolTip(plainToolTip(shown));
    ui.PfadAnz->setToolTip(plainToolTip(shown));
    ui.Drive1->rememberFolder(ui.Dir1->path());
}

void AuswahlFenster::onFile1Click()
{
    ui.File1->setToolTip(plainToolTip(platform::displayName(ui.File1->fileName())));
}

void AuswahlFenster::onAppPathClick()
{
    ui.Dir1->setPath(services.programFolder);
    ui.Drive1->setDrive(ui.Dir1->path());
    FileInfoAktualisieren();
}

// Setting the pattern re-reads the list, so the count belongs to the new filter.
void AuswahlFenster::onFilterChosen(const QString &pattern)
{
    ui.File1->setPattern(pattern);
    FileInfoAktualisieren();
}

void AuswahlFenster::FileInfoAktualisieren()
{
    const int count = ui.File1->listCount();
    if (ui.Option1->isChecked())
        ui.FileInfo->setText(messages::musicFilesSummary(count));
    if (ui.Option2->isChecked())
        ui.FileInfo->setText(messages::allFilesSummary(count));
    Q_EMIT summaryRefreshed();
}

} // namespace namlex
