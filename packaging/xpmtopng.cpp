// SPDX-License-Identifier: GPL-3.0-or-later
// Converts the program's own XPM icon to the PNG that desktop icon themes take, at build time.
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: xpmtopng ICON.xpm ICON.png\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]), "XPM");
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpmtopng: could not convert %s to %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
