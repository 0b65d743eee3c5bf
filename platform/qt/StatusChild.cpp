#include "StatusChild.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "Appearance.h"
#include "Latin1Text.h"
#include "platform/definition/WindowFrame.h"
#include "platform/window/LabelledValues.h"
#include "platform/window/LayoutUnits.h"

namespace rt::qt {

namespace {

using definition::Control;
using definition::ControlKind;

constexpr int kDefaultDisplayLength = 40;
constexpr int kLongestDisplay = 255;

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

// The definition's text colour, or a shade of it that reads on the
// background it is drawn on in the palette in use (ReadableColour.h).
void setTextColour(QWidget& widget, QPalette::ColorRole role, const QColor& background,
                   const std::optional<QColor>& colour) {
    if (colour) {
        setRole(widget, role, Appearance::readable(*colour, background));
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
                             metrics.horizontalAdvance(latin1Text(control.text)) + 2 * frame),
                    verticalPixels(kFittedButtonHeight, base)};
        case ControlKind::StaticText:
            break;
    }
    return {metrics.horizontalAdvance(latin1Text(control.text)) + 2,
            std::max(verticalPixels(kFittedTextHeight, base), metrics.height())};
}

QWidget* makeControl(const Control& control, QWidget& content, const QFont& windowFont) {
    const QFont font = Appearance::controlFont(control, windowFont);
    switch (control.kind) {
        case ControlKind::ValueDisplay: {
            auto* display = new QLineEdit(&content);
            display->setFont(font);
            // Read-only, yet still focusable, so that its value can be selected and copied.
            display->setReadOnly(true);
            return display;
        }
        case ControlKind::PushButton: {
            auto* button = new QPushButton(latin1Text(control.text), &content);
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
    label->setText(latin1Text(control.text));
    label->setFont(font);
    return label;
}

QString accessibleNameFrom(const std::string& label) {
    QString name = latin1Text(label);
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':'))) {
        name.chop(1);
    }
    return name;
}

// Where a value display draws the baseline of its text, in its parent's
// coordinates: the line edit centres one line in its contents rectangle.
int textBaseline(const QLineEdit& display) {
    QStyleOptionFrame option;
    option.initFrom(&display);
    option.rect = display.rect();
    option.lineWidth = display.hasFrame()
                           ? display.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &display)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    const QRect contents = display.style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, &display)
                               .marginsRemoved(display.textMargins());
    const QFontMetrics metrics(display.font());
    return display.y() + contents.y() + (contents.height() - metrics.height() + 1) / 2 + metrics.ascent();
}

// Moves a label's text down onto the baseline of its value, as dialog
// layouts set labels beside edit fields; the label keeps its defined place.
void alignWithValue(QLabel& label, const QLineEdit& display) {
    const QFontMetrics metrics(label.font());
    const int drop = textBaseline(display) - (label.y() + metrics.ascent());
    if (drop <= 0) {
        return;
    }
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.setContentsMargins(0, drop, 0, 0);
    label.resize(label.width(), std::max(label.height(), drop + metrics.height()));
}

Qt::WindowFlags frameFlags(definition::WindowFrame style) {
    Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (style.maximizable) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    // What the child window knows as "no sizing border": no grip, no Size in its menu.
    if (!style.sizable) {
        flags |= Qt::MSWindowsFixedSizeDialogHint;
    }
    return flags;
}

}  // namespace

StatusChild::StatusChild(const WindowView& view, Callbacks callbacks)
    : m_description(view.description), m_callbacks(std::move(callbacks)) {
    const auto& description = *view.description;
    applyFrameStyle(description);
    auto* content = new QWidget(this);
    content->setFont(Appearance::windowFont(description));
    const BaseUnits base = Appearance::baseUnitsOf(content->font());
    buildControls(description, *content, base);
    applyColours();
    pairLabelsWithTheirValues(description);
    QSize size(horizontalPixels(givenOr(description.width, 0), base),
               verticalPixels(givenOr(description.height, 0), base));
    if (description.width == definition::kNotGiven || description.height == definition::kNotGiven) {
        const QRect used = content->childrenRect();
        size = QSize(used.right() + base.x, used.bottom() + base.y);
    }
    // A fixed size keeps the designed size through cascading; a window that
    // may be sized only never shrinks below it.
    if (definition::windowFrameOf(description).sizable) {
        content->setMinimumSize(size);
        content->resize(size);
    } else {
        content->setFixedSize(size);
    }
    setWidget(content);
    setAttribute(Qt::WA_DeleteOnClose);
    for (const auto& [id, value] : view.texts) {
        setControlText(id, latin1Text(value));
    }
}

// From the desktop's palette each time: a system colour follows it, and a
// defined colour is shaded where it would not read on it. The window's own
// palette is the one in use: its controls take theirs from it only after it
// has heard of a change.
void StatusChild::applyColours() {
    const QPalette inUse = palette();
    for (const auto& control : m_description->controls) {
        QWidget* widget = this->control(control.id);
        if (widget == nullptr) {
            continue;
        }
        widget->setPalette(QPalette());
        const auto textColour = Appearance::colour(control.font.textColour, inUse);
        if (control.kind == ControlKind::ValueDisplay) {
            const auto background = Appearance::colour(control.background, inUse);
            setRole(*widget, QPalette::Base, background);
            setTextColour(*widget, QPalette::Text, background.value_or(inUse.color(QPalette::Base)),
                          textColour);
        } else if (control.kind == ControlKind::StaticText) {
            setTextColour(*widget, QPalette::WindowText, inUse.color(QPalette::Window), textColour);
        }
    }
}

bool StatusChild::event(QEvent* event) {
    const bool handled = QMdiSubWindow::event(event);
    if (event->type() == QEvent::PaletteChange && widget() != nullptr) {
        applyColours();
    }
    return handled;
}

void StatusChild::applyFrameStyle(const definition::WindowDescription& description) {
    setWindowFlags(frameFlags(definition::windowFrameOf(description)));
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
            display->installEventFilter(this);
        }
        m_controls[id] = widget;
    }
}

// Screen readers announce a value display by the static text on its left,
// and that text stands on the line of the value's text.
void StatusChild::pairLabelsWithTheirValues(const definition::WindowDescription& description) {
    for (const auto& display : description.controls) {
        if (display.kind != ControlKind::ValueDisplay) {
            continue;
        }
        const Control* paired = rt::labelOf(description, display);
        auto* label = paired != nullptr ? qobject_cast<QLabel*>(control(paired->id)) : nullptr;
        auto* field = qobject_cast<QLineEdit*>(control(display.id));
        if (label != nullptr && field != nullptr) {
            label->setBuddy(field);
            field->setAccessibleName(accessibleNameFrom(paired->text));
            alignWithValue(*label, *field);
        }
    }
}

// A window that joins an area has its title bar worked out again for each
// change on the way, the title fitted into it each time: for a window with
// no title yet that is nothing, so the title comes last.
void StatusChild::joinArea(QMdiArea* area) {
    if (area != nullptr) {
        area->addSubWindow(this);
    }
    setWindowTitle(latin1Text(m_description->title));
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

QString StatusChild::resultsText() const {
    std::map<int, std::string> texts;
    for (const auto& [id, widget] : m_controls) {
        if (const auto* display = qobject_cast<const QLineEdit*>(widget)) {
            texts[id] = display->text().toLatin1().toStdString();
        }
    }
    QString lines;
    for (const auto& line : rt::labelledValues(*m_description, texts)) {
        lines += latin1Text(line) + QLatin1Char('\n');
    }
    return lines;
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

// A line edit takes Ctrl+C for itself and copies nothing when nothing is
// selected; left to the frame's Copy, a result is copied whole.
bool StatusChild::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->ignore();
        return true;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void StatusChild::closeEvent(QCloseEvent* event) {
    if (m_closingForGood) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    event->ignore();
    m_callbacks.closeRequested();
}

}  // namespace rt::qt
