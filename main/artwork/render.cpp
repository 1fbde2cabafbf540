// render-artwork DIR: draws the program's pictures into DIR as splash.bmp and about.bmp. Run by
// the build, so that the program shows the pictures without drawing them, fonts and all, at
// every start.
#include "Artwork.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: render-artwork PASTA\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!artwork::drawSplash().save(dir + QStringLiteral("/splash.bmp")) ||
        !artwork::drawAboutBox().save(dir + QStringLiteral("/about.bmp"))) {
        std::fprintf(stderr, "render-artwork: não foi possível gravar em %s\n", argv[1]);
        return 1;
    }
    return 0;
}
