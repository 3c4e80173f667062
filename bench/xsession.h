#pragma once

#include <QProcess>
#include <QString>

#include <memory>

namespace namlex::bench {

// An X server (Xvfb) with a window manager (openbox) of the bench's own, and
// a connection to it that presses keys as a person would (XTest) and sees
// windows appear as the window manager takes them on.
class XSession
{
public:
    // Empty when Xvfb, openbox or the X server cannot be started.
    static std::unique_ptr<XSession> start();
    ~XSession();

    QString display() const { return display_; }
    // Presses and releases the key (an X keysym name such as "Return").
    void press(const char *key);
    // Waits up to `timeoutMs` for a window whose title begins with `title`
    // to be shown, and gives it the focus; false when none appeared.
    bool waitForWindow(const QString &title, int timeoutMs = 20000);

private:
    XSession() = default;
    bool windowShown(const QString &title);

    QString display_;
    QProcess server_;
    QProcess manager_;
    struct Connection;
    std::unique_ptr<Connection> x_;
};

} // namespace namlex::bench
