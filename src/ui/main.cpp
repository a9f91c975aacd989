#include "ui/main.h"

#include "platform/timezone.h"
#include "settings/settings.h"
#include "ui/locale.h"
#include "ui/programframe.h"
#include "ui/stabout.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>

#include <cstdlib>
#include <cstring>

namespace {

template <typename Caps, typename GetCaps>
void FillList(QComboBox* list, UINT count, Caps& caps, GetCaps getCaps)
{
    list->addItem(QStringLiteral("Wave Mapper"), -1);
    for (UINT n = 0; n < count; ++n) {
        // A device whose capabilities cannot be read gets no entry; each entry keeps its
        // device number, so the devices after it still map to the right number.
        if (getCaps(n, caps) != MMSYSERR_NOERROR)
            continue;
        const auto length = static_cast<int>(strnlen(caps.szPname, MAXPNAMELEN));
        list->addItem(QString::fromLocal8Bit(caps.szPname, length), static_cast<int>(n));
    }
    list->setCurrentIndex(0);
}

}  // namespace

TDuctForm::TDuctForm(WaveService& service, ProgramFrame& frame)
    : Engine(service, *this), service(service), frame(frame), target(*this)
{
    MapWindowsFaceNames();
    CreateControls();
    ConnectHandlers();
}

TDuctForm::~TDuctForm()
{
    FormOnDestroy();
    target.Detach();
}

void TDuctForm::FormOnCreate()
{
    Engine.HeaderBusy = false;
    FillDeviceLists();
    Engine.CapsTable.fill(true);
    Engine.InPos = 0;
    Engine.OutPos = 0;
    Engine.Ring.PutPos = 0;
    Engine.Ring.GetPos = 0;
    LocaleStep(*this, IsJapaneseZone());
    SetBufsetPosition(7);
    LoadSettings(*this);
    BufsetChange();
    ReadOutCaps();
    ReadInCaps();
    Engine.UpdateCaps();
    ApplyCaps();
    InButton->setFocus();
    show();
    raise();
    activateWindow();
}

void TDuctForm::FillDeviceLists()
{
    FillList(ComboBox1, service.waveOutGetNumDevs(), Engine.OutCaps,
             [this](UINT n, WAVEOUTCAPSA& caps) {
                 return service.waveOutGetDevCapsA(n, &caps, sizeof caps);
             });
    FillList(ComboBox2, service.waveInGetNumDevs(), Engine.InCaps,
             [this](UINT n, WAVEINCAPSA& caps) {
                 return service.waveInGetDevCapsA(n, &caps, sizeof caps);
             });
}

void TDuctForm::FormOnDestroy()
{
    // Open notifications still queued belong to a relay that has started: handle them, so
    // that the relay is stopped and its devices and memory released.
    QCoreApplication::sendPostedEvents(this, DeviceEvent::Kind);
    if (Engine.InOpen || Engine.OutOpen)
        Engine.StopRelay();
    SaveSettings(*this);
}

void TDuctForm::AboutOnClick()
{
    TAboutBox* about = frame.AboutBox();
    if (!about)
        return;
    about->show();
    about->raise();
    about->activateWindow();
}

void TDuctForm::HaltProgram()
{
    frame.HaltProgram();
    std::abort();  // not reached: the frame ends the process
}

bool TDuctForm::event(QEvent* event)
{
    if (event->type() != DeviceEvent::Kind)
        return QWidget::event(event);
    Engine.OnMessage(static_cast<DeviceEvent*>(event)->Message());
    return true;
}

void TDuctForm::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever other window is still shown.
    event->accept();
    QCoreApplication::quit();
}
