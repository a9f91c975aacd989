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
void FillList(DuctControls& controls, DeviceList list, UINT count, GetCaps getCaps)
{
    Caps caps{};
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
    FillDeviceLists();
    LocaleStep(controls, IsJapaneseZone());
    SetBlockLengthPosition(7);
    LoadSettings(*this);
    BufsetChange();
    Engine.SelectOutDevice(controls.SelectedDevice(DeviceList::outputList));
    Engine.SelectInDevice(controls.SelectedDevice(DeviceList::inputList));
    ApplyCaps();
    controls.Show();
}

void TDuctForm::FillDeviceLists()
{
    FillList<WAVEOUTCAPSA>(controls, DeviceList::outputList, service.waveOutGetNumDevs(),
             [this](UINT n, WAVEOUTCAPSA& caps) {
                 return service.waveOutGetDevCapsA(n, &caps, sizeof caps);
             });
    FillList<WAVEINCAPSA>(controls, DeviceList::inputList, service.waveInGetNumDevs(),
             [this](UINT n, WAVEINCAPSA& caps) {
                 return service.waveInGetDevCapsA(n, &caps, sizeof caps);
             });
}

void TDuctForm::FormOnDestroy()
{
    // Open notifications still queued belong to a relay that has started: handle them, so
    // that the relay is stopped and its devices and memory released.
    controls.HandlePostedNotifications();
    if (Engine.Running())
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
