// The Start/Stop button and the block-length slider.
#include "ui/main.h"

#include "ui/programframe.h"
#include "ui/stabout.h"

#include <QPushButton>
#include <QSlider>

void TDuctForm::InButOnClick()
{
    InButton->setEnabled(false);
    // A relay whose playback device alone opened is running too: a press stops it.
    if (Engine.InOpen || Engine.OutOpen) {
        Engine.StopRelay();
        Bufset->setEnabled(true);
        InButton->setText(QStringLiteral("Close"));
        UpdateAndApplyCaps();
    } else if (Engine.QueryDevices()) {
        if (InButton->text() == QLatin1String("Close"))
            frame.HaltProgram();
        Bufset->setEnabled(false);
        if (TAboutBox* about = frame.AboutBox())
            about->hide();
        Engine.StartRelay();
        InButton->setText(QStringLiteral("Stop"));
    }
    InButton->setEnabled(true);
}

void TDuctForm::BufsetChange()
{
    const int tenths = 12 - Bufset->value();
    Bufset->setToolTip(QStringLiteral("BufferSize(%1.%2[sec])").arg(tenths / 10).arg(tenths % 10));
}
