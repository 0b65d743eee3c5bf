#include "ClipboardActions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMetaObject>

namespace rt::desktop {

namespace {

bool isReadOnly(const QWidget* widget) {
    const QVariant readOnly = widget->property("readOnly");
    return readOnly.isValid() && readOnly.toBool();
}

// Text widgets of every kind offer the slot; a button does not, and asking
// it would only print a warning.
void callSlot(QWidget* widget, const char* slot, const char* signature) {
    if (widget != nullptr && widget->metaObject()->indexOfSlot(signature) >= 0) {
        QMetaObject::invokeMethod(widget, slot);
    }
}

}  // namespace

void ClipboardActions::copy(QWidget* focused) {
    auto* line = qobject_cast<QLineEdit*>(focused);
    if (line != nullptr && line->isReadOnly() && !line->hasSelectedText()) {
        if (line->echoMode() == QLineEdit::Normal && !line->text().isEmpty()) {
            QGuiApplication::clipboard()->setText(line->text());
        }
        return;
    }
    callSlot(focused, "copy", "copy()");
}

void ClipboardActions::cut(QWidget* focused) {
    if (focused != nullptr && isReadOnly(focused)) {
        copy(focused);
        return;
    }
    callSlot(focused, "cut", "cut()");
}

void ClipboardActions::paste(QWidget* focused) {
    if (focused != nullptr && isReadOnly(focused)) {
        return;
    }
    callSlot(focused, "paste", "paste()");
}

}  // namespace rt::desktop
