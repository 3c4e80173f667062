#pragma once

#include <QCheckBox>

namespace namlex {

// A check box whose long caption wraps over several lines inside its own
// rectangle, all of which reacts to the mouse.
class WrappingCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

} // namespace namlex
