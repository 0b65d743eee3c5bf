#include "StatusChild.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <cstdlib>

#include "Appearance.h"
#include "platform/window/LayoutUnits.h"

namespace rt::desktop {

namespace {

using definition::Control;
using definition::ControlKind;

constexpr int kDefaultDisplayLength = 40;
constexpr int kLongestDisplay = 255;
// A label belongs to the value display on its row: within half a line of it.
constexpr int kSameRow = 4;

QString text(const std::string& value) {
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
}

int givenOr(std::int32_t value, int fallback) {
    return value == definition::kNotGiven ? fallback : static_cast<int>(value);
}

int displayLength(const Control& control) {
    const auto length = control.variable.length;
    return length > 0 && length <= kLongestDisplay ? static_cast<int>(length) : kDefaultDisplayLength;
}

void setRole(QWidget& widget, QPalette::ColorRole role, const std::optional<QColor>& colour) {
    if (colour) {
        QPalette palette = widget.palette();
        palette.setColor(role, *colour);
        widget.setPalette(palette);
    }
}

QSize naturalSize(const Control& control, const QWidget& widget, BaseUnits base) {
    const QFontMetrics metrics(widget.font());
    const int frame = 2 * widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
    switch (control.kind) {
        case ControlKind::ValueDisplay:
            return {displayLength(control) * base.x + frame,
                    std::max(verticalPixels(kFittedDisplayHeight, base), metrics.height() + 4)};
        case ControlKind::PushButton:
            return {std::max(horizontalPixels(kFittedButtonWidth, base),
                             metrics.horizontalAdvance(text(control.text)) + 2 * frame),
                    verticalPixels(kFittedButtonHeight, base)};
        case ControlKind::StaticText:
            break;
    }
    return {metrics.horizontalAdvance(text(control.text)) + 2,
            std::max(verticalPixels(kFittedTextHeight, base), metrics.height())};
}

QWidget* makeControl(const Control& control, QWidget& content, const QFont& windowFont) {
    const QFont font = Appearance::controlFont(control, windowFont);
    const auto textColour = Appearance::colour(control.font.textColour, content.palette());
    switch (control.kind) {
        case ControlKind::ValueDisplay: {
            auto* display = new QLineEdit(&content);
            display->setFont(font);
            // Read-only, yet still focusable, so that its value can be selected and copied.
            display->setReadOnly(true);
            setRole(*display, QPalette::Base, Appearance::colour(control.background, content.palette()));
            setRole(*display, QPalette::Text, textColour);
            return display;
        }
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text(control.text), &content);
            button->setFont(font);
            // Outside a dialog a focused button answers Space only; this adds Return.
            button->setAutoDefault(true);
            return button;
        }
        case ControlKind::StaticText:
            break;
    }
    auto* label = new QLabel(&content);
    label->setTextFormat(Qt::PlainText);
    label->setText(text(control.text));
    label->setFont(font);
    setRole(*label, QPalette::WindowText, textColour);
    return label;
}

QString accessibleNameFrom(QString label) {
    label.remove(QLatin1Char('&'));
    label = label.trimmed();
    if (label.endsWith(QLatin1Char(':'))) {
        label.chop(1);
    }
    return label;
}

}  // namespace

StatusChild::StatusChild(const WindowView& view, Callbacks callbacks) : m_callbacks(std::move(callbacks)) {
    const auto& description = *view.description;
    auto* content = new QWidget(this);
    content->setFont(Appearance::windowFont(description));
    const BaseUnits base = Appearance::baseUnitsOf(content->font());
    buildControls(description, *content, base);
    nameDisplaysAfterTheirLabels(description);
    QSize size(horizontalPixels(givenOr(description.width, 0), base),
               verticalPixels(givenOr(description.height, 0), base));
    if (description.width == definition::kNotGiven || description.height == definition::kNotGiven) {
        const QRect used = content->childrenRect();
        size = QSize(used.right() + base.x, used.bottom() + base.y);
    }
    // A fixed size keeps the designed size through cascading.
    content->setFixedSize(size);
    setWidget(content);
    setWindowTitle(text(description.title));
    setAttribute(Qt::WA_DeleteOnClose);
    for (const auto& [id, value] : view.texts) {
        setControlText(id, text(value));
    }
}

void StatusChild::buildControls(const definition::WindowDescription& description, QWidget& content,
                                BaseUnits base) {
    // Widgets made in definition order take the focus in that order when Tab is pressed.
    for (const auto& control : description.controls) {
        QWidget* widget = makeControl(control, content, content.font());
        const QSize natural = naturalSize(control, *widget, base);
        widget->setGeometry(
            horizontalPixels(givenOr(control.x, 0), base), verticalPixels(givenOr(control.y, 0), base),
            control.width == definition::kNotGiven ? natural.width() : horizontalPixels(control.width, base),
            control.height == definition::kNotGiven ? natural.height()
                                                    : verticalPixels(control.height, base));
        widget->setObjectName(QStringLiteral("control%1").arg(control.id));
        const int id = control.id;
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QObject::connect(button, &QPushButton::clicked, this, [this, id] { m_callbacks.pressed(id); });
        } else if (auto* display = qobject_cast<QLineEdit*>(widget)) {
            QObject::connect(display, &QLineEdit::inputRejected, this,
                             [this, id] { m_callbacks.inputRejected(id); });
        }
        m_controls[id] = widget;
    }
}

// Screen readers announce a value display by the static text on its left.
void StatusChild::nameDisplaysAfterTheirLabels(const definition::WindowDescription& description) {
    for (const auto& display : description.controls) {
        if (display.kind != ControlKind::ValueDisplay) {
            continue;
        }
        const Control* nearest = nullptr;
        for (const auto& label : description.controls) {
            if (label.kind == ControlKind::StaticText && label.x < display.x &&
                std::abs(static_cast<std::int64_t>(label.y) - display.y) <= kSameRow &&
                (nearest == nullptr || label.x > nearest->x)) {
                nearest = &label;
            }
        }
        auto* label = nearest != nullptr ? qobject_cast<QLabel*>(control(nearest->id)) : nullptr;
        if (QWidget* field = control(display.id); label != nullptr && field != nullptr) {
            label->setBuddy(field);
            field->setAccessibleName(accessibleNameFrom(label->text()));
        }
    }
}

QWidget* StatusChild::control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void StatusChild::setControlText(int id, const QString& value) {
    QWidget* widget = control(id);
    if (auto* display = qobject_cast<QLineEdit*>(widget)) {
        display->setText(value);
        display->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(value);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(value);
    }
}

void StatusChild::focusControl(int id) {
    if (QWidget* widget = control(id)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void StatusChild::closeByProcedure() {
    m_closingForGood = true;
    close();
}

void StatusChild::closeEvent(QCloseEvent* event) {
    if (m_closingForGood) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    event->ignore();
    m_callbacks.closeRequested();
}

}  // namespace rt::desktop
