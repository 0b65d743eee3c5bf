#include "GuardedApplication.h"

#include "ModuleEnd.h"
#include "platform/base/EntryGuard.h"

namespace rt::qt {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    return guardEntry(kModuleEndedByError, [&] { return QApplication::notify(receiver, event); });
}

}  // namespace rt::qt
