#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "platform/pagetoolbar.h"

// Stands in for showing a window's modal dialogs: records their titles and lets the test look at
// or drive each dialog instead of a nested event loop.
struct ModalRecorder {
    std::vector<std::string> titles;
    std::function<void(QDialog&)> onDialog;

    ModalRunner runner() {
        return [this](QDialog& dialog) {
            titles.push_back(dialog.windowTitle().toStdString());
            if (onDialog)
                onDialog(dialog);
            return 0;
        };
    }
};
