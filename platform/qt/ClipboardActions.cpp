#include "ClipboardActions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "StatusChild.h"

namespace rt::qt {

namespace {

bool isReadOnly(const QWidget* widget) {
    const QVariant readOnly = widget->property("readOnly");
    return readOnly.isValid() && readOnly.toBool();
}

bool offersSlot(const QWidget* widget, const char* signature) {
    return widget != nullptr && widget->metaObject()->indexOfSlot(signature) >= 0;
}

// Text widgets of every kind offer the slot; a button does not, and asking
// it would only print a warning.
void callSlot(QWidget* widget, const char* slot, const char* signature) {
    if (offersSlot(widget, signature)) {
        QMetaObject::invokeMethod(widget, slot);
    }
}

}  // namespace

FocusedText ClipboardActions::textOf(const QWidget* focused) {
    if (!offersSlot(focused, "copy()")) {
        return FocusedText::None;
    }
    return isReadOnly(focused) ? FocusedText::ReadOnly : FocusedText::Editable;
}

bool ClipboardActions::hasSelection(const QWidget* focused) {
    if (const auto* line = qobject_cast<const QLineEdit*>(focused)) {
        return line->hasSelectedText();
    }
    if (const auto* edit = qobject_cast<const QTextEdit*>(focused)) {
        return edit->textCursor().hasSelection();
    }
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(focused)) {
        return plain->textCursor().hasSelection();
    }
    return false;
}

void ClipboardActions::copy(QWidget* focused, const StatusChild* active) {
    auto* line = qobject_cast<QLineEdit*>(focused);
    if (line != nullptr && line->isReadOnly() && !line->hasSelectedText()) {
        if (line->echoMode() == QLineEdit::Normal && !line->text().isEmpty()) {
            QGuiApplication::clipboard()->setText(line->text());
        }
        return;
    }
    if (textOf(focused) == FocusedText::None || !hasSelection(focused)) {
        if (active != nullptr) {
            QGuiApplication::clipboard()->setText(active->resultsText());
        }
        return;
    }
    callSlot(focused, "copy", "copy()");
}

void ClipboardActions::cut(QWidget* focused) {
    if (focused == nullptr || isReadOnly(focused)) {
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

}  // namespace rt::qt
