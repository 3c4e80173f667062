#pragma once

#include <QPushButton>

namespace namlex {

// A command button whose whole face is one flat colour, its palette's Button,
// inside a raised frame drawn from the palette's Light, Dark and Shadow that
// sinks while the button is down. Styles that shade their buttons would
// change the colour the face was given.
class ColourFacedButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace namlex
