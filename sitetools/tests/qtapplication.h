#pragma once

#include <QApplication>

// The one application object the window tests of an executable share; created on first use.
// It is never destroyed: destroying it during static destruction, after Qt's own statics are
// gone, crashes.
inline QApplication& qtApplication() {
    static int argc = 1;
    static char name[] = "sitetools_window_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
