// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main.h"

#include "platform/timezone.h"
#include "settings/settings.h"
#include "ui/locale.h"
#include "ui/programframe.h"

#include <cstdlib>
#include <cstring>

namespace {

template <typename Caps, typename GetCaps>
void FillList(DuctControls& controls, DeviceList list, UINT count, Caps& caps, GetCaps getCaps)
{
    controls.AddListItem(list, "Wave Mapper", -1);
    for (UINT n = 0; n < count; ++n) {
        // A device whose capabilities cannot be read gets no entry; each entry keeps its
        // device number, so the devices after it still map to the right number.
        if (getCaps(n, caps) != MMSYSERR_NOERROR)
            continue;
        controls.AddListItem(list, std::string(caps.szPname, strnlen(caps.szPname, MAXPNAMELEN)),
                             static_cast<int>(n));
    }
    controls.SetListSelection(list, 0);
}

}  // namespace

TDuctForm::TDuctForm(WaveService& service, DuctControls& controls, ProgramFrame& frame)
    : Engine(service, *this), service(service), controls(controls), frame(frame)
{
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
    LocaleStep(controls, IsJapaneseZone());
    SetBufsetPosition(7);
    LoadSettings(*this);
    BufsetChange();
    ReadOutCaps();
    ReadInCaps();
    Engine.UpdateCaps();
    ApplyCaps();
    controls.Show();
}

void TDuctForm::FillDeviceLists()
{
    FillList(controls, DeviceList::ComboBox1, service.waveOutGetNumDevs(), Engine.OutCaps,
             [this](UINT n, WAVEOUTCAPSA& caps) {
                 return service.waveOutGetDevCapsA(n, &caps, sizeof caps);
             });
    FillList(controls, DeviceList::ComboBox2, service.waveInGetNumDevs(), Engine.InCaps,
             [this](UINT n, WAVEINCAPSA& caps) {
                 return service.waveInGetDevCapsA(n, &caps, sizeof caps);
             });
}

void TDuctForm::FormOnDestroy()
{
    // Open notifications still queued belong to a relay that has started: handle them, so
    // that the relay is stopped and its devices and memory released.
    controls.HandlePostedNotifications();
    if (Engine.InOpen || Engine.OutOpen)
        Engine.StopRelay();
    SaveSettings(*this);
}

void TDuctForm::AboutOnClick()
{
    frame.ShowAboutBox();
}

void TDuctForm::HaltProgram()
{
    frame.HaltProgram();
    std::abort();  // not reached: the frame ends the process
}
