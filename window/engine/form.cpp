// SPDX-License-Identifier: GPL-3.0-or-later
// The form engine on Qt Widgets: a QWidget per control, placed by pixel
// with no layout managers, so that resizing the window moves nothing.
#include "form.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>
#include <cstdio>
#include <limits>

#include "accessibility.h"
#include "colours.h"
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

// A key as the form names it ("Control+O", "ContextMenu") as Qt names it.
QKeySequence keySequence(std::string_view key)
{
    QString name = fromUtf8(key);
    name.replace(QLatin1String("Control+"), QLatin1String("Ctrl+"));
    if (name == QLatin1String("ContextMenu"))
        name = QStringLiteral("Menu");
    return QKeySequence(name, QKeySequence::PortableText);
}

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
}

// The window is mapped first, as a bare window is, and its controls are
// built before the event loop paints it: building a text box loads the
// system's font list, which a bare window does only when it first paints.
// What the first paint does not need comes after it (finishAfterFirstPaint).
void Form::load()
{
    show();
    fontGiven_.assign(std::size_t(core_.size()), false);
    for (int control = 0; control < core_.size(); ++control) {
        const int container = core_.container(control);
        widgets_.push_back(build(control, container < 0 ? this : widgets_[std::size_t(container)]));
    }
    stack();
    chainTabOrder();
    listenForShortcuts();
    announcement_ = new Announcement(this);
    announcement_->show();
    core_.load();
    for (int control = 0; control < core_.size(); ++control)
        if (core_.shown(control))
            giveFont(control);
    // Show where the focus is from the start, not only after the first Tab:
    // a key can press the focused button. Showing the window resets this.
    setAttribute(Qt::WA_KeyboardFocusChange);
}

bool Form::event(QEvent* event)
{
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        QTimer::singleShot(0, this, &Form::finishAfterFirstPaint);
    }
    return QWidget::event(event);
}

// The fonts of the controls that the start screen hides, and the window
// icon, whose sizes are images to read.
void Form::finishAfterFirstPaint()
{
    for (int control = 0; control < core_.size(); ++control)
        giveFont(control);
    const FormLayout& layout = core_.layout();
    if (layout.icon.empty())
        return;
    // Pre-rendered sizes spare the drawing's renderer.
    const QString base = picturePath(layout.icon).chopped(4);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        if (const QString png = QStringLiteral("%1-%2.png").arg(base).arg(size); QFile::exists(png))
            icon.addFile(png, QSize(size, size));
    setWindowIcon(icon.isNull() ? QIcon(picturePath(layout.icon)) : icon);
}

// Once per control: a font is loaded when a widget gets it.
void Form::giveFont(int control)
{
    const ControlRow& row = core_.row(control);
    if (row.font.family.empty() || fontGiven_[std::size_t(control)])
        return;
    widgets_[std::size_t(control)]->setFont(screenFont(row.font));
    fontGiven_[std::size_t(control)] = true;
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
        label->setAutoFillBackground(paintedGround(row).has_value());
        widget = label;
        break;
    }
    case Kind::TextBox: {
        auto* box = new TextBox(container, core_, control);
        box->setFrame(row.border);
        box->setAlignment(horizontal(row.align) | Qt::AlignVCenter);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setText(text);
        // A drop anywhere is the form's, on a text box too, and so is the
        // context menu.
        box->setAcceptDrops(false);
        box->setContextMenuPolicy(Qt::NoContextMenu);
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
        auto* panel = new Panel(container, borderLines(row));
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

    QPalette colours = widget->palette();
    if (const std::optional<Rgb> ground = paintedGround(row))
        colours.setColor(textBox ? QPalette::Base : QPalette::Window, toQColor(*ground));
    if (const std::optional<Rgb> colour = textColour(row)) {
        // A disabled control keeps the toolkit's dimmed text colour.
        for (auto group : {QPalette::Active, QPalette::Inactive})
            colours.setColor(group, textBox ? QPalette::Text : QPalette::WindowText, toQColor(*colour));
    }
    widget->setPalette(colours);
    if (!row.description.empty())
        widget->setAccessibleName(fromUtf8(row.description));
    if (!row.help.empty())
        widget->setAccessibleDescription(fromUtf8(row.help));
    widget->setEnabled(row.enabled);
    // The window is shown already: its new controls show as the layout
    // has them, and the Load handler hides what it hides.
    widget->show();
    return widget;
}

// Qt stacks siblings by creation order, the last on top; raising each
// control once, from the lowest up, gives the form's order.
void Form::stack()
{
    for (const int control : stackingOrder(core_.layout()))
        widgets_[std::size_t(control)]->raise();
}

void Form::chainTabOrder()
{
    QWidget* previous = nullptr;
    for (const int control : tabOrder(core_.layout())) {
        QWidget* next = widgets_[std::size_t(control)];
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

// A shortcut works anywhere in the window; the core decides what it does.
void Form::listenForShortcuts()
{
    for (std::string_view key : core_.shortcutKeys()) {
        auto* shortcut = new QShortcut(keySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, key] { core_.shortcut(key); });
    }
}

QWidget* Form::control(std::string_view name) const
{
    const int control = core_.lookup(name);
    return control < 0 || widgets_.empty() ? nullptr : widgets_[std::size_t(control)];
}

void Form::carryOut(int control, const CheckedCommand& command)
{
    QWidget* widget = widgets_[std::size_t(control)];
    switch (command.change) {
    case Change::Visible:
        if (command.visible)
            giveFont(control);
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
    QMetaObject::invokeMethod(this, [this, path] { takeFile(path); }, Qt::QueuedConnection);
}

void Form::takeFile(const QString& path)
{
    core_.dropFile(readFileBytes(QFile::encodeName(path).toStdString(), QFileInfo(path).fileName().toStdString()));
}

bool Form::offers(MenuAction action) const { return action != MenuAction::TypeFile; }

void Form::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Mouse)
        menuAt_ = event->globalPos();
    core_.openMenu();
    menuAt_.reset();
}

// The menu opens where the mouse opened it, or under the middle of the
// control with the focus; an entry is carried out once the menu is closed
// and the focus is back.
void Form::showMenu(const std::vector<int>& entries)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAccessibleName(windowTitle());
    for (const int entry : entries) {
        const MenuEntry& e = core_.menuEntry(entry);
        QAction* action = menu->addAction(withoutMnemonics(fromUtf8(e.caption)));
        if (!e.shortcut.empty()) {
            action->setShortcut(keySequence(e.shortcut));
            action->setShortcutVisibleInContextMenu(true);
        }
        connect(action, &QAction::triggered, this,
                [this, entry] { QMetaObject::invokeMethod(this, [this, entry] { core_.choose(entry); }, Qt::QueuedConnection); });
    }
    QWidget* focus = focusWidget() ? focusWidget() : this;
    menu->popup(menuAt_.value_or(focus->mapToGlobal(focus->rect().center())));
    // Opened by a key, the menu starts on its first entry, as the keys
    // that move in it expect.
    if (!menuAt_ && !menu->actions().isEmpty())
        menu->setActiveAction(menu->actions().front());
}

// Qt's own dialog, not the desktop's, so that it speaks German whatever the
// desktop speaks: with the game's other texts, from Qt's translations.
void Form::chooseFile(const FileChoice& choice)
{
    if (fileDialog_) {
        fileDialog_->activateWindow();
        return;
    }
    const QString files = fromUtf8(choice.kind) + QStringLiteral(" (*") + fromUtf8(choice.suffix) + QLatin1Char(')');
    auto* dialog = new QFileDialog(this, fromUtf8(choice.title), QString(), files);
    dialog->setNameFilters({files, QCoreApplication::translate("QFileDialog", "All Files (*)")});
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The file once the dialog is gone and the window has the keyboard back,
    // so that what the game then tells is the window's.
    connect(dialog, &QDialog::finished, this, &Form::takeKeysBack);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        QMetaObject::invokeMethod(this, [this, path] { takeFile(path); }, Qt::QueuedConnection);
    });
    fileDialog_ = dialog;
    dialog->open();
}

void Form::announce(std::string_view utf8) { announcement_->say(fromUtf8(utf8)); }

// The message goes to standard error too, where a terminal or the session's
// log keeps it after the box is closed. The box waits beside the window,
// which goes on; a new message takes the place of one still open.
void Form::showError(const RuntimeError& error)
{
    closeError();
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), error.what());
    // A word list's fault is the player's file's, not the program's.
    const auto icon = error.kind() == ErrorKind::WordList ? QMessageBox::Warning : QMessageBox::Critical;
    const QStringList lines = QString::fromUtf8(error.what()).split(QLatin1Char('\n'));
    // A long message (a word list with many faults) keeps the box on the
    // screen: its first lines show, and the whole scrolls under "Details".
    constexpr int shownLines = 12;
    auto* box = new QMessageBox(icon, windowTitle(), lines.mid(0, shownLines).join(QLatin1Char('\n')), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (lines.size() > shownLines) {
        box->setText(box->text() + QStringLiteral("\n…"));
        box->setDetailedText(lines.join(QLatin1Char('\n')));
    }
    connect(box, &QDialog::finished, this, &Form::takeKeysBack);
    message_ = box;
    box->open();
}

// A window manager gives the window the keyboard back when a dialog of its
// closes; not every platform has one that does.
void Form::takeKeysBack()
{
    if (isVisible() && !core_.unloaded())
        activateWindow();
}

void Form::closeError()
{
    if (message_)
        message_->close();
}

}  // namespace galgen::form
