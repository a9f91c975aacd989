// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/faces.h"

#include <QFont>

void MapWindowsFaceNames()
{
    // fontconfig already resolves "Times New Roman" to Liberation Serif; it has no alias for
    // the Japanese face, which would otherwise fall back to a sans font of other metrics.
    for (const QString& face : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")})
        QFont::insertSubstitution(face, QStringLiteral("IPAPGothic"));
}
