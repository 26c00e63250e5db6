// SPDX-License-Identifier: GPL-3.0-or-later
// The form engine on Qt Widgets: a QWidget per control, placed by pixel
// with no layout managers, so that resizing the window moves nothing.
#include "form.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QShortcut>
#include <cstdio>
#include <limits>

#include "accessibility.h"
#include "file_bytes.h"
#include "fonts.h"
#include "text.h"
#include "widgets.h"

namespace galgen::form {

namespace {

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString toQString(const Text& text) { return fromUtf8(text.toUtf8()); }

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QFont screenFont(const Font& font)
{
    QFont result(fromUtf8(substituteFamily(font.family)));
    result.setPixelSize(pixelSize(font));
    result.setWeight(QFont::Weight(font.weight));
    return result;
}

Qt::Alignment horizontal(Align align) { return align == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft; }

// The first local file of a drag, or nothing.
QString draggedFile(const QMimeData* data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    return !urls.isEmpty() && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

// A caption character is never a mnemonic.
QString withoutMnemonics(QString caption) { return caption.replace(QLatin1Char('&'), QLatin1String("&&")); }

}  // namespace

Form::Form(const FormLayout& layout, const QString& pictureFolder)
    : core_(layout, *this), pictureFolder_(pictureFolder)
{
    installAccessibility();
    setObjectName(fromUtf8(layout.name));
    setWindowTitle(fromUtf8(layout.caption));
    resize(toPixels(layout.clientWidth), toPixels(layout.clientHeight));
    QPalette ground = palette();
    ground.setColor(QPalette::Window, toQColor(layout.backColor));
    setPalette(ground);
    setAutoFillBackground(true);
    setAcceptDrops(true);

    if (!layout.icon.empty()) {
        // Pre-rendered sizes spare the start-up the drawing's renderer.
        const QString base = picturePath(layout.icon).chopped(4);
        QIcon icon;
        for (const int size : {16, 24, 32, 48, 64, 128})
            if (const QString png = QStringLiteral("%1-%2.png").arg(base).arg(size); QFile::exists(png))
                icon.addFile(png, QSize(size, size));
        setWindowIcon(icon.isNull() ? QIcon(picturePath(layout.icon)) : icon);
    }

    for (int control = 0; control < core_.size(); ++control) {
        const int container = core_.container(control);
        widgets_.push_back(build(control, container < 0 ? this : widgets_[std::size_t(container)]));
    }
    stack();
    chainTabOrder();
    listenForShortcuts();
    announcement_ = new Announcement(this);
}

QString Form::picturePath(std::string_view name) const
{
    return pictureFolder_ + fromUtf8(findPicture(core_.layout(), name).file);
}

QWidget* Form::build(int control, QWidget* container)
{
    const ControlRow& row = core_.row(control);
    const QString text = fromUtf8(row.text);
    QWidget* widget = nullptr;
    switch (row.kind) {
    case Kind::Label: {
        auto* label = new QLabel(container);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop | horizontal(row.align));
        label->setText(text);
        label->setAutoFillBackground(row.opaque);
        widget = label;
        break;
    }
    case Kind::TextBox: {
        auto* box = new TextBox(container, core_, control);
        box->setFrame(row.border);
        box->setAlignment(horizontal(row.align) | Qt::AlignVCenter);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setText(text);
        // A drop anywhere is the form's, on a text box too.
        box->setAcceptDrops(false);
        widget = box;
        break;
    }
    case Kind::CommandButton: {
        auto* button = new CommandButton(container);
        button->setText(withoutMnemonics(text));
        connect(button, &QPushButton::clicked, this, [this, control] { core_.click(control, 1); });
        widget = button;
        break;
    }
    case Kind::Frame: {
        auto* panel = new Panel(container);
        if (!row.border)
            panel->setFrameStyle(QFrame::NoFrame);
        panel->setAutoFillBackground(true);
        widget = panel;
        break;
    }
    case Kind::PictureBox: {
        const Picture& picture = findPicture(core_.layout(), row.picture);
        widget = new PictureBox(container, picturePath(row.picture), QSize(picture.width, picture.height),
                                row.backColor ? toQColor(*row.backColor) : Qt::white);
        widget->setAccessibleName(fromUtf8(picture.description));
        break;
    }
    case Kind::Shape:
        widget = new Shape(container, row.backColor ? toQColor(*row.backColor) : Qt::black);
        break;
    case Kind::Line:
        widget = new Line(container, placeLine(row), row.lineWidth,
                          row.foreColor ? toQColor(*row.foreColor) : Qt::black);
        break;
    }

    const PixelRect place = pixelRect(row);
    widget->setGeometry(place.left, place.top, place.width, place.height);
    widget->setObjectName(fromUtf8(row.name));
    const bool textBox = row.kind == Kind::TextBox;
    widget->setFocusPolicy(canTakeFocus(row.kind) ? Qt::StrongFocus : Qt::NoFocus);
    if (!row.font.family.empty())
        widget->setFont(screenFont(row.font));

    QPalette colours = widget->palette();
    if (row.backColor)
        colours.setColor(textBox ? QPalette::Base : QPalette::Window, toQColor(*row.backColor));
    if (row.foreColor) {
        // A disabled control keeps the toolkit's dimmed text colour.
        for (auto group : {QPalette::Active, QPalette::Inactive})
            colours.setColor(group, textBox ? QPalette::Text : QPalette::WindowText, toQColor(*row.foreColor));
    }
    widget->setPalette(colours);
    if (!row.description.empty())
        widget->setAccessibleName(fromUtf8(row.description));
    if (!row.help.empty())
        widget->setAccessibleDescription(fromUtf8(row.help));
    widget->setEnabled(row.enabled);
    return widget;
}

// Qt stacks siblings by creation order, the last on top; raising each
// control once, from the lowest up, gives the form's order.
void Form::stack()
{
    for (const ControlRow* row : stackingOrder(core_.layout()))
        widgets_[std::size_t(row - core_.layout().controls.data())]->raise();
}

void Form::chainTabOrder()
{
    QWidget* previous = nullptr;
    for (const ControlRow* row : tabOrder(core_.layout())) {
        QWidget* next = widgets_[std::size_t(row - core_.layout().controls.data())];
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

// A shortcut works anywhere in the window; the core decides what it does.
void Form::listenForShortcuts()
{
    for (std::string_view key : core_.shortcutKeys()) {
        auto* shortcut = new QShortcut(QKeySequence(fromUtf8(key)), this);
        connect(shortcut, &QShortcut::activated, this, [this, key] { core_.shortcut(key); });
    }
}

QWidget* Form::control(std::string_view name) const
{
    const int control = core_.lookup(name);
    return control < 0 ? nullptr : widgets_[std::size_t(control)];
}

void Form::carryOut(int control, const CheckedCommand& command)
{
    QWidget* widget = widgets_[std::size_t(control)];
    switch (command.change) {
    case Change::Visible:
        widget->setVisible(command.visible);
        reportVisibility(widget, command.visible);
        break;
    case Change::LabelCaption:
        static_cast<QLabel*>(widget)->setText(toQString(*command.text));
        break;
    case Change::ButtonCaption:
        static_cast<CommandButton*>(widget)->setText(withoutMnemonics(toQString(*command.text)));
        break;
    case Change::BoxText:
        static_cast<TextBox*>(widget)->setText(toQString(*command.text));
        break;
    }
}

void Form::focus(int control) { widgets_[std::size_t(control)]->setFocus(Qt::OtherFocusReason); }

void Form::load()
{
    core_.load();
    show();
    // Show where the focus is from the start, not only after the first Tab:
    // a key can press the focused button. Showing the window resets this.
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void Form::unload() { close(); }

void Form::dragEnterEvent(QDragEnterEvent* event)
{
    if (!draggedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form::dragMoveEvent(QDragMoveEvent* event)
{
    if (!draggedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

// The drag's source waits for the drop to end: the handler, which may show
// a message, runs after it.
void Form::dropEvent(QDropEvent* event)
{
    const QString path = draggedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    FileBytes file = readFileBytes(QFile::encodeName(path).toStdString(), QFileInfo(path).fileName().toStdString());
    QMetaObject::invokeMethod(this, [this, file = std::move(file)] { core_.dropFile(file); }, Qt::QueuedConnection);
}

void Form::announce(std::string_view utf8) { announcement_->say(fromUtf8(utf8)); }

// The message goes to standard error too, where a terminal or the session's
// log keeps it after the box is closed.
void Form::showError(const RuntimeError& error)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), error.what());
    // A word list's fault is the player's file's, not the program's.
    const auto icon = error.kind() == ErrorKind::WordList ? QMessageBox::Warning : QMessageBox::Critical;
    QMessageBox box(icon, windowTitle(), QString::fromUtf8(error.what()), QMessageBox::Ok, this);
    box.exec();
}

}  // namespace galgen::form
