// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_icon.h"

#include <QString>

namespace galgen {

QIcon windowIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/gallows-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace galgen
