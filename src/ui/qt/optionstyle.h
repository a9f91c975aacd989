// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's radio button and check box metrics at 96 pixels per inch: a 13-pixel
// indicator and 3 pixels before the caption. The toolkit's own take 20 pixels in all, and
// the captions in the Japanese face would no longer fit the controls' widths.
#pragma once

#include <QProxyStyle>

class OptionStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};
