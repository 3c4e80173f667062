#pragma once

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

namespace namlex {

class DriveSelector;
class FileListBox;
class FolderTree;
class VolumeSource;

// The controls of the window, under the names the handlers know them by.
struct AuswahlFensterControls
{
    QPushButton *ZahlenLöschen = nullptr;
    FileListBox *File1 = nullptr;
    QLabel *Label1 = nullptr;
    FolderTree *Dir1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *PfadAnz = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *AppPath = nullptr;
    DriveSelector *Drive1 = nullptr;
    QLabel *Label4 = nullptr;
    QPushButton *USLöschen = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *FileInfo = nullptr;
    QGroupBox *Frame1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option1 = nullptr;
    QPushButton *BeidesLöschen = nullptr;
    QCheckBox *NurMitNull = nullptr;
    QLabel *Hilfe = nullptr;
    QTimer *Timer1 = nullptr;
    QFrame *Line1 = nullptr;

    // Creates every control on the window with its caption, tool tip,
    // geometry, font, colours, start value and place in the tab order.
    void setUp(QWidget *window, const VolumeSource &volumes);
};

} // namespace namlex
