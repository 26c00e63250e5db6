// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the startup benchmark: the least a Qt Widgets program of the
// game's size does, a window of 483 x 449 with a label and a button.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.resize(483, 449);
    QLabel label(QStringLiteral("Worteraten mit dem Galgenmännchen"), &window);
    label.setGeometry(9, 2, 464, 29);
    QPushButton button(QStringLiteral("Ende"), &window);
    button.setGeometry(248, 102, 227, 30);
    QObject::connect(&button, &QPushButton::clicked, &app, &QApplication::quit);
    window.show();
    return app.exec();
}
