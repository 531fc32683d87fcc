// Writes the program's icon for the desktop's icon theme at build time: one PNG per size,
// painted by the same code as the window icon so the two never differ.

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "resources/Artwork.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: make-desktop-icons FOLDER SIZE...\n", stderr);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QIcon icon = MainIcon();
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0 || size > 1024) {
            std::fprintf(stderr, "make-desktop-icons: bad size %s\n", argv[i]);
            return 2;
        }
        const std::string file =
            std::string(argv[1]) + "/" + std::to_string(size) + "x" + std::to_string(size) + ".png";
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        if (image.size() != QSize(size, size) || !image.save(QString::fromStdString(file), "PNG")) {
            std::fprintf(stderr, "make-desktop-icons: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
