// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/ratebutton.h"

#include <QKeyEvent>

RateButton::RateButton(const QString& text, QWidget* parent) : QRadioButton(text, parent)
{
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QAbstractButton::toggled, this,
            [this](bool checked) { setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus); });
}

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

void RateButton::keyPressEvent(QKeyEvent* event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right: step = 1; break;
    case Qt::Key_Up:
    case Qt::Key_Left: step = -1; break;
    default: QRadioButton::keyPressEvent(event); return;
    }
    // The group is the rate buttons of the window, in the order they were made.
    const QList<RateButton*> group =
        parentWidget()->findChildren<RateButton*>(Qt::FindDirectChildrenOnly);
    const qsizetype size = group.size();
    const qsizetype at = group.indexOf(this);
    for (qsizetype n = 1; n < size; ++n) {
        RateButton* next = group[((at + step * n) % size + size) % size];
        if (next->isEnabled()) {
            next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            next->click();
            return;
        }
    }
}
