// A sampling-rate radio button that tells whether a click changed it: a click on the
// button that is already checked must run no handler.
#pragma once

#include <QRadioButton>

class RateButton : public QRadioButton {
public:
    RateButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

    // True when the last click found the button unchecked.
    bool ClickChecked() const { return clickChecked; }
    // Sets the state from code; unlike setChecked, can also clear the checked button.
    void SetChecked(bool checked);

protected:
    void nextCheckState() override;

private:
    bool clickChecked = false;
};
