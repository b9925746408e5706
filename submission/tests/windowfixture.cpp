#include "submission/tests/windowfixture.h"

#include <QMenuBar>

#include "platform/core/safefile.h"

QStringList VistralWindowTest::visibleMenus(TForm1& form) {
    QStringList menus;
    for (QAction* action : form.menuBar()->actions()) {
        if (action->isVisible())
            menus << action->text();
    }
    return menus;
}

std::string VistralWindowTest::file(const std::string& relative) const {
    return readFileBytes(dir / relative);
}
