#include "xsession.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <poll.h>

using namespace Qt::StringLiterals;

namespace namlex::bench {

namespace {

// A window may go between listing it and asking for its title; that is no
// reason to end the bench, as Xlib's default handler would.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

struct XSession::Connection
{
    Display *display = nullptr;
    Window root = 0;
    Atom clientList = 0;
    Atom netName = 0;
    Atom utf8 = 0;
    Atom activeWindow = 0;
    ~Connection()
    {
        if (display)
            XCloseDisplay(display);
    }
};

std::unique_ptr<XSession> XSession::start()
{
    std::unique_ptr<XSession> session(new XSession);
    for (int n = 120; n < 160 && session->display_.isEmpty(); ++n) {
        if (!QFile::exists(u"/tmp/.X%1-lock"_s.arg(n))
            && !QFile::exists(u"/tmp/.X11-unix/X%1"_s.arg(n)))
            session->display_ = u":%1"_s.arg(n);
    }
    session->server_.start(u"Xvfb"_s, {session->display_, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                                       u"-nolisten"_s, u"tcp"_s});
    if (!session->server_.waitForStarted())
        return nullptr;
    auto x = std::make_unique<Connection>();
    const QByteArray name = session->display_.toLatin1();
    for (int tries = 0; tries < 100 && !x->display; ++tries) {
        x->display = XOpenDisplay(name.constData());
        if (!x->display)
            QThread::msleep(50);
    }
    if (!x->display)
        return nullptr;
    XSetErrorHandler(ignoreErrors);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, session->display_);
    session->manager_.setProcessEnvironment(environment);
    session->manager_.start(u"openbox"_s, {});
    if (!session->manager_.waitForStarted())
        return nullptr;
    x->root = DefaultRootWindow(x->display);
    x->clientList = XInternAtom(x->display, "_NET_CLIENT_LIST", False);
    x->netName = XInternAtom(x->display, "_NET_WM_NAME", False);
    x->utf8 = XInternAtom(x->display, "UTF8_STRING", False);
    x->activeWindow = XInternAtom(x->display, "_NET_ACTIVE_WINDOW", False);
    XSelectInput(x->display, x->root, PropertyChangeMask);
    session->x_ = std::move(x);
    // openbox is ready once it keeps the list of windows.
    for (int tries = 0; tries < 100; ++tries) {
        session->windowShown(u"-"_s);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(session->x_->display, session->x_->root, session->x_->clientList, 0, 0,
                           False, XA_WINDOW, &type, &format, &count, &after, &data);
        if (data)
            XFree(data);
        if (type == XA_WINDOW)
            return session;
        QThread::msleep(50);
    }
    return nullptr;
}

XSession::~XSession()
{
    x_.reset();
    manager_.kill();
    manager_.waitForFinished();
    server_.kill();
    server_.waitForFinished();
}

void XSession::press(const char *key)
{
    const KeyCode code = XKeysymToKeycode(x_->display, XStringToKeysym(key));
    XTestFakeKeyEvent(x_->display, code, True, CurrentTime);
    XTestFakeKeyEvent(x_->display, code, False, CurrentTime);
    XFlush(x_->display);
}

// Looks through the windows the window manager has taken on, newest last,
// and focuses the first whose title begins with `title`.
bool XSession::windowShown(const QString &title)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(x_->display, x_->root, x_->clientList, 0, 4096, False, XA_WINDOW, &type,
                           &format, &count, &after, &data)
            != Success
        || !data)
        return false;
    const auto *windows = reinterpret_cast<const Window *>(data);
    bool found = false;
    for (unsigned long i = count; i-- > 0 && !found;) {
        unsigned char *name = nullptr;
        unsigned long length = 0;
        if (XGetWindowProperty(x_->display, windows[i], x_->netName, 0, 1024, False, x_->utf8,
                               &type, &format, &length, &after, &name)
                == Success
            && name) {
            found = QString::fromUtf8(reinterpret_cast<const char *>(name), qsizetype(length))
                        .startsWith(title);
            XFree(name);
        }
        if (found) {
            XEvent event = {};
            event.xclient.type = ClientMessage;
            event.xclient.window = windows[i];
            event.xclient.message_type = x_->activeWindow;
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2; // as a pager would: the user asked for it
            XSendEvent(x_->display, x_->root, False,
                       SubstructureRedirectMask | SubstructureNotifyMask, &event);
            XSetInputFocus(x_->display, windows[i], RevertToParent, CurrentTime);
            XFlush(x_->display);
        }
    }
    XFree(data);
    return found;
}

// Waits on the X connection itself: the window manager announces every
// window it takes on by changing the root's list of windows.
bool XSession::waitForWindow(const QString &title, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!windowShown(title)) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0)
            return false;
        while (XPending(x_->display)) {
            XEvent event;
            XNextEvent(x_->display, &event);
        }
        pollfd connection {ConnectionNumber(x_->display), POLLIN, 0};
        ::poll(&connection, 1, std::min(left, 5));
    }
    return true;
}

} // namespace namlex::bench
