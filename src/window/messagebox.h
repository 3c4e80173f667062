#pragma once

#include "texts/prompter.h"

#include <QMessageBox>

class QTableView;

namespace namlex {

// A message box as the program shows it: the text, title, buttons and icon
// of the message, German button captions whatever the locale, the message's
// informative line, and its details, which may be a table. A box with a
// table can be resized, the table growing with it, and Ctrl+C copies the
// whole table as text. A check box of the message shows unticked below.
class MessageBox : public QMessageBox
{
public:
    MessageBox(const Message &message, QWidget *parent);

    // The table of the details, once they were opened.
    QTableView *table() const { return table_; }

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showTable();
    void makeTable();
    void fitTable();
    void placeOverWindow(const QSize &size);
    int wantedHeight(int tableHeight);
    QAbstractButton *detailsButton() const;
    bool tableShown() const;

    Message message_;
    QWidget *details_ = nullptr; // the box's details area
    QTableView *table_ = nullptr; // made when the details are first opened
};

} // namespace namlex
