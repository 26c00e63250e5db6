// Writes every picture as a PNG through renderPicture, the same code path the
// window uses, so the artwork can be reviewed outside the game.
//   galgen_render_pictures DIR [RATIO...]   (default ratio 1)
// Files are named DIR/<resource name>@<ratio>x.png.
#include "pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    // No window is shown, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: galgen_render_pictures DIR [RATIO...]\n");
        return 2;
    }
    const QDir dir(args[1]);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(args[1]));
        return 1;
    }
    QStringList ratios = args.mid(2);
    if (ratios.isEmpty())
        ratios << QStringLiteral("1");

    using galgen::Picture;
    for (Picture picture : {Picture::GallowsIcon, Picture::CondemnedLedAway, Picture::HangedMan,
                            Picture::Executioner, Picture::Acquittal}) {
        const QString name = QFileInfo(galgen::pictureResource(picture)).completeBaseName();
        for (const QString &ratio : ratios) {
            bool ok = false;
            const qreal dpr = ratio.toDouble(&ok);
            if (!ok || dpr <= 0) {
                std::fprintf(stderr, "bad ratio %s\n", qPrintable(ratio));
                return 2;
            }
            const QString path = dir.filePath(name + QLatin1Char('@') + ratio + QStringLiteral("x.png"));
            if (!galgen::renderPicture(picture, dpr).save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
