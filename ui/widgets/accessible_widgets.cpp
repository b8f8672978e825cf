#include "ui/widgets/accessible_widgets.h"

#include <QAccessible>

#include "ui/widgets/accessible_button_list.h"
#include "ui/widgets/accessible_progress_bar.h"

namespace tv {

namespace {

QAccessibleInterface* MakeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(CButtonList::staticMetaObject.className())) {
        return new AccessibleButtonList(static_cast<CButtonList*>(object));
    }
    if (className == QLatin1String(CProgressBarEx::staticMetaObject.className())) {
        return new AccessibleProgressBarEx(static_cast<CProgressBarEx*>(object));
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleWidgets() {
    static const bool installed = [] {
        QAccessible::installFactory(&MakeAccessible);
        return true;
    }();
    (void)installed;
}

}  // namespace tv
