#include "ui/ratebutton.h"

void RateButton::SetChecked(bool checked)
{
    if (checked) {
        setChecked(true);
        return;
    }
    // An auto-exclusive button refuses to clear itself while it is the checked one.
    setAutoExclusive(false);
    setChecked(checked);
    setAutoExclusive(true);
}

void RateButton::nextCheckState()
{
    clickChecked = !isChecked();
    QRadioButton::nextCheckState();
}
