// SPDX-License-Identifier: GPL-3.0-or-later
// A sampling-rate radio button as the platform's radio groups behave: only the checked
// button is a tab stop, and the arrow keys check the next enabled button of the group, as a
// click does.
#pragma once

#include <QRadioButton>

class RateButton : public QRadioButton {
public:
    RateButton(const QString& text, QWidget* parent);

    // Sets the state from code; unlike setChecked, can also clear the checked button.
    void SetChecked(bool checked);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
