// SPDX-License-Identifier: GPL-3.0-or-later
// The form engine on Qt Widgets: a QWidget per control, placed by pixel
// with no layout managers, so that resizing the window moves nothing.
#include "form.h"

#include <QLabel>
#include <QMessageBox>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <vector>

#include "accessibility.h"
#include "control_rules.h"
#include "fonts.h"
#include "picture_source.h"
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

QRect pixelRect(const ControlRow& row)
{
    return {toPixels(row.left), toPixels(row.top), toPixels(row.width), toPixels(row.height)};
}

// A caption character is never a mnemonic.
QString withoutMnemonics(QString caption) { return caption.replace(QLatin1Char('&'), QLatin1String("&&")); }

}  // namespace

Form::Form(const FormLayout& layout, const PictureSource& pictures) : layout_(layout), pictures_(pictures)
{
    installAccessibility();
    setObjectName(fromUtf8(layout.name));
    setWindowTitle(fromUtf8(layout.caption));
    setWindowIcon(pictures.icon(layout.icon));
    resize(toPixels(layout.clientWidth), toPixels(layout.clientHeight));
    QPalette ground = palette();
    ground.setColor(QPalette::Window, toQColor(layout.backColor));
    setPalette(ground);
    setAutoFillBackground(true);

    for (const ControlRow& row : layout.controls) {
        QWidget* container = row.container.empty() ? this : find(row.container).widget;
        QWidget* widget = build(row, container);
        widget->setObjectName(fromUtf8(row.name));
        controls_.emplace(std::string(row.name), Control{&row, widget});
    }
    stack();
    chainTabOrder();
    announcement_ = new Announcement(this);
    report_ = [this](const RuntimeError& error) { showError(error); };
}

QWidget* Form::build(const ControlRow& row, QWidget* container)
{
    const QString text = fromUtf8(row.text);
    QWidget* widget = nullptr;
    switch (row.kind) {
    case Kind::Label: {
        auto* label = new QLabel(container);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop | (row.align == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft));
        label->setText(text);
        label->setAutoFillBackground(row.opaque);
        widget = label;
        break;
    }
    case Kind::TextBox: {
        auto* box = new TextBox(container);
        box->setFrame(row.border);
        box->setAlignment((row.align == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setText(text);
        box->clickActionName = fromUtf8(row.clickAction);
        widget = box;
        break;
    }
    case Kind::CommandButton: {
        auto* button = new CommandButton(container);
        button->setText(withoutMnemonics(text));
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
    case Kind::PictureBox:
        widget = new PictureBox(container, pictures_, row.picture,
                                row.backColor ? toQColor(*row.backColor) : Qt::white);
        widget->setAccessibleName(pictures_.description(row.picture));
        break;
    case Kind::Shape:
        widget = new Shape(container, row.backColor ? toQColor(*row.backColor) : Qt::black);
        break;
    case Kind::Line:
        widget = new Line(container, placeLine(row), row.lineWidth,
                          row.foreColor ? toQColor(*row.foreColor) : Qt::black);
        break;
    }

    if (row.kind != Kind::Line)
        widget->setGeometry(pixelRect(row));
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
    widget->setEnabled(row.enabled);
    return widget;
}

// Qt stacks siblings by creation order, the last on top. Raising every
// sibling once, from the bottom up, gives the layout's order: the painted
// kinds beneath the windowed ones, and within each layer the first listed on
// top.
void Form::stack()
{
    std::vector<QWidget*> bottomUp;
    for (bool painted : {true, false})
        for (auto row = layout_.controls.rbegin(); row != layout_.controls.rend(); ++row)
            if (isPainted(row->kind) == painted)
                bottomUp.push_back(find(row->name).widget);
    for (QWidget* widget : bottomUp)
        widget->raise();
}

void Form::chainTabOrder()
{
    for (const ControlRow* row : tabOrder(layout_))
        tabOrder_.push_back(find(row->name).widget);
    for (std::size_t i = 1; i < tabOrder_.size(); ++i)
        setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

const Form::Control& Form::find(std::string_view name) const
{
    const auto found = controls_.find(name);
    if (found == controls_.end())
        throw std::invalid_argument("no control named " + std::string(name));
    return found->second;
}

QWidget* Form::control(std::string_view name) const
{
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second.widget;
}

void Form::apply(const DisplayCommand& command)
{
    const auto found = controls_.find(command.control);
    const CheckedCommand checked = checkCommand(command, found == controls_.end() ? nullptr : found->second.row);
    QWidget* widget = found->second.widget;
    switch (checked.change) {
    case Change::Visible:
        widget->setVisible(checked.visible);
        reportVisibility(widget, checked.visible);
        break;
    case Change::LabelCaption:
        static_cast<QLabel*>(widget)->setText(toQString(*checked.text));
        break;
    case Change::ButtonCaption:
        static_cast<CommandButton*>(widget)->setText(withoutMnemonics(toQString(*checked.text)));
        break;
    case Change::BoxText:
        static_cast<TextBox*>(widget)->setText(toQString(*checked.text));
        break;
    }
}

void Form::onClick(std::string_view control, Handler handler)
{
    const Control& target = find(control);
    if (auto* box = qobject_cast<TextBox*>(target.widget))
        box->onClick = [this, handler = std::move(handler)] { run(handler); };
    else if (auto* button = qobject_cast<CommandButton*>(target.widget))
        connect(button, &QPushButton::clicked, this, [this, handler = std::move(handler)] { run(handler); });
    else
        throw std::invalid_argument(std::string(control) + " raises no Click");
}

void Form::onKeyPress(std::string_view control, KeyPressHandler handler)
{
    auto* box = qobject_cast<TextBox*>(find(control).widget);
    if (!box)
        throw std::invalid_argument(std::string(control) + " raises no KeyPress");
    box->onCharacter = [this, handler = std::move(handler)](char32_t ch) {
        const i16 keyAscii = unicodeToCp1252(ch);
        run([&] { handler(keyAscii); });
    };
}

void Form::load()
{
    if (load_)
        run(load_);
    const auto first = std::ranges::find_if(tabOrder_, [this](QWidget* w) {
        return w->isEnabled() && w->isVisibleTo(this) && (w->focusPolicy() & Qt::TabFocus);
    });
    if (first != tabOrder_.end())
        (*first)->setFocus(Qt::TabFocusReason);
    show();
    // Show where the focus is from the start, not only after the first Tab:
    // a key can press the focused button. Showing the window resets this.
    setAttribute(Qt::WA_KeyboardFocusChange);
}

void Form::unload() { close(); }

void Form::announce(std::string_view utf8) { announcement_->say(fromUtf8(utf8)); }

void Form::run(const std::function<void()>& handler) { runHandler(handler, report_); }

void Form::showError(const RuntimeError& error)
{
    QMessageBox box(QMessageBox::Critical, windowTitle(), QString::fromUtf8(error.what()), QMessageBox::Ok, this);
    box.exec();
}

}  // namespace galgen::form
