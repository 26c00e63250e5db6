// SPDX-License-Identifier: GPL-3.0-or-later
// The accessibility of the engine's controls. Qt's own interfaces serve the
// labels, buttons and the window; the factory below serves the rest.
#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include "widgets.h"

namespace galgen::form {

namespace {

// A text box: its text for reading and review, and its click, where it has
// one, as the action "Press" under the layout's German name.
class TextBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TextBoxAccessible(TextBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !box()->isReadOnly();
        state.readOnly = box()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (box()->core.clickable(box()->control))
            names.prepend(pressAction());
        return names;
    }
    QString localizedActionName(const QString& action) const override
    {
        return action == pressAction() ? clickName() : QAccessibleWidget::localizedActionName(action);
    }
    QString localizedActionDescription(const QString& action) const override
    {
        return action == pressAction() ? clickName() : QAccessibleWidget::localizedActionDescription(action);
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            box()->core.activate(box()->control);
        else
            QAccessibleWidget::doAction(action);
    }

    // The text, read by offsets into what the box shows.
    QString text(int start, int end) const override { return box()->displayText().mid(start, end - start); }
    int characterCount() const override { return int(box()->displayText().size()); }
    QRect characterRect(int offset) const override { return box()->characterRect(offset); }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = *start + box()->selectionLength();
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    TextBox* box() const { return static_cast<TextBox*>(widget()); }
    QString clickName() const
    {
        const std::string_view name = box()->core.row(box()->control).clickAction;
        return name.empty() ? QAccessibleWidget::localizedActionName(pressAction())
                            : QString::fromUtf8(name.data(), qsizetype(name.size()));
    }
};

template <typename Kind>
bool is(const QString& className)
{
    return className == QLatin1String(Kind::staticMetaObject.className());
}

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (is<TextBox>(className))
        return new TextBoxAccessible(static_cast<TextBox*>(widget));
    if (is<PictureBox>(className) || is<Shape>(className) || is<Line>(className))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (is<Panel>(className))
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    if (is<Announcement>(className))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

// The connection to the accessibility bus that Qt's AT-SPI bridge opened
// under this name; a signal about one of our objects must come from it.
const QString bridgeConnection = QStringLiteral("a11y");
const QString objectPathPrefix = QStringLiteral("/org/a11y/atspi/accessible/");

// An AT-SPI object reference: the bus name and the object's path.
QDBusArgument objectReference(const QDBusConnection& bus, const QString& path)
{
    QDBusArgument reference;
    reference.beginStructure();
    reference << bus.baseService() << QDBusObjectPath(path);
    reference.endStructure();
    return reference;
}

}  // namespace

void installAccessibility()
{
    static const bool installed = (QAccessible::installFactory(&accessibleFor), true);
    (void)installed;
}

// The signal that Qt sends for "showing", with the state "visible": the
// event type's detail, the new value, an unused second value, the object
// itself, and the application's root.
void reportVisibility(QWidget* widget, bool visible)
{
    QDBusConnection bus(bridgeConnection);
    if (!bus.isConnected())
        return;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (!accessible)
        return;
    const QString path = objectPathPrefix + QString::number(QAccessible::uniqueId(accessible));
    QDBusMessage signal =
        QDBusMessage::createSignal(path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("StateChanged"));
    signal << QStringLiteral("visible") << int(visible) << 0
           << QVariant::fromValue(QDBusVariant(QVariant::fromValue(objectReference(bus, path))))
           << QVariant::fromValue(objectReference(bus, objectPathPrefix + QStringLiteral("root")));
    bus.send(signal);
}

}  // namespace galgen::form
