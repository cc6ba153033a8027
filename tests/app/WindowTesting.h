#pragma once

// Helpers the window tests share.

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QtTest>

namespace windowtesting {

// Shows the window full screen; whether it was exposed in time.
inline bool shownFullScreen(QWidget *window)
{
    window->showFullScreen();
    return QTest::qWaitForWindowExposed(window);
}

// Clicks the button from inside the application's event loop; returns the loop's exit code,
// 99 when a watchdog ends it after 20 s.
inline int execClicking(QAbstractButton *button)
{
    QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(20000);
    return QApplication::exec();
}

} // namespace windowtesting
