// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window decides, whichever toolkit draws it: the window's logic on virtual
// devices, behind a plain stand-in for the controls that keeps what it is given, as both
// fronts do. Option availability, the device lists, Start/Stop/Close with their boxes, the
// window's end during a relay, the locale step and the stored position.
#include "platform/sleep.h"
#include "platform/timezone.h"
#include "platform/wave/sim/simwaveservice.h"
#include "settings/settingsstore.h"
#include "support/messagequeue.h"
#include "ui/main.h"
#include "ui/programframe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <thread>

// The settings' and the stop's pauses let real devices and the registry settle; the virtual
// devices and the test's store need none.
void Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds == 0)
        std::this_thread::yield();
}

namespace {
using enum Option;

struct Halted {};

class FakeFrame : public ProgramFrame {
public:
    void ShowAboutBox() override { aboutShown = true; }
    void HideAboutBox() override { aboutShown = false; }
    [[noreturn]] void HaltProgram() override { throw Halted{}; }
    bool aboutShown = false;
};

// The controls as the toolkits keep them: a rate checked clears the others, the slider
// clamps, and the focused button that is disabled loses the focus.
class FakeControls : public DuctControls {
public:
    bool IsChecked(Option o) const override { return checked[Index(o)]; }
    void SetChecked(Option o, bool on) override
    {
        if (on && Index(o) < 3)
            checked[0] = checked[1] = checked[2] = false;
        checked[Index(o)] = on;
    }
    void SetOptionEnabled(Option o, bool on) override { enabled[Index(o)] = on; }
    void AddListItem(DeviceList l, const std::string& name, int id) override
    {
        items[l].push_back(name), ids[l].push_back(id);
    }
    std::vector<std::string> ListItems(DeviceList l) const override { return items.at(l); }
    int ListSelection(DeviceList l) const override { return selection.at(l); }
    void SetListSelection(DeviceList l, int index) override { selection[l] = index; }
    int SelectedDevice(DeviceList l) const override
    {
        return selection.at(l) < 0 ? -1 : ids.at(l).at(selection.at(l));
    }
    void SetListEnabled(DeviceList l, bool on) override { listEnabled[l] = on; }
    int BlockLengthPosition() const override { return slider; }
    void SetBlockLengthPosition(int position) override { slider = std::clamp(position, 0, 9); }
    void SetBlockLengthEnabled(bool on) override { sliderEnabled = on; }
    std::string InButtonCaption() const override { return caption; }
    void SetInButtonCaption(const std::string& text) override { caption = text; }
    void SetInButtonEnabled(bool on) override
    {
        buttonEnabled = on;
        buttonFocused = buttonFocused && on;
    }
    void FocusInButton() override { buttonFocused = buttonEnabled; }
    void SetHint(Control c, const std::string& hint) override { hints[c] = hint; }
    void SetFaceName(Control c, const std::string& face) override { faces[c] = face; }
    void SetPointSize(Control c, int points) override { sizes[c] = points; }
    int Left() const override { return left; }
    int Top() const override { return top; }
    void SetLeft(int value) override { left = value; }
    void SetTop(int value) override { top = value; }
    int OuterWidth() const override { return 225; }
    int OuterHeight() const override { return 258; }
    int ScreenWidth() const override { return 1024; }
    int ScreenHeight() const override { return 768; }
    void Show() override { buttonFocused = true; }
    void ShowMessage(LPCSTR text, LPCSTR box) override { boxes.push_back(box), texts.push_back(text); }
    HWND Handle() override { return &posted; }
    void HandlePostedNotifications() override { deliver(); }

    std::array<bool, OptionCount> checked{true, false, false, true, true};
    std::array<bool, OptionCount> enabled{true, true, true, true, true};
    std::map<DeviceList, std::vector<std::string>> items;
    std::map<DeviceList, std::vector<int>> ids;
    std::map<DeviceList, int> selection{{DeviceList::outputList, -1}, {DeviceList::inputList, -1}};
    std::map<DeviceList, bool> listEnabled{{DeviceList::outputList, true},
                                           {DeviceList::inputList, true}};
    int slider = 8;
    bool sliderEnabled = true;
    std::string caption = "Start";
    bool buttonEnabled = true, buttonFocused = false;
    std::map<Control, std::string> hints, faces;
    std::map<Control, int> sizes;
    int left = 266, top = 176;
    std::vector<std::string> boxes, texts;
    MessageQueue posted;
    std::function<void()> deliver;

private:
    static std::size_t Index(Option o) { return static_cast<std::size_t>(o); }
};

SimDevice Device(const char* name, DWORD formats = 0xFFF)
{
    return SimDevice{name, formats, false};
}

constexpr DWORD Rate11 = 0x00F, Rate22 = 0x0F0, Rate44 = 0xF00;
constexpr DWORD Mono22 = WAVE_FORMAT_2M08 | WAVE_FORMAT_2M16;
constexpr DWORD EightBit11 = WAVE_FORMAT_1M08 | WAVE_FORMAT_1S08;

// A main window on virtual devices, created and destroyed as the program does it.
struct Window {
    explicit Window(SimWaveService& service) : form(service, controls, frame)
    {
        controls.deliver = [this] { Deliver(); };
        form.FormOnCreate();
    }
    // Also after the program's end, which destroys the window.
    ~Window() { form.FormOnDestroy(); }

    void Deliver()
    {
        while (auto message = controls.posted.TryTake())
            form.Engine.OnMessage(message->msg);
    }
    // A user's choice in a list: the entry selected, then its handler.
    void Choose(DeviceList list, int index)
    {
        controls.SetListSelection(list, index);
        list == DeviceList::outputList ? form.BoxOnChange() : form.Box2OnChange();
    }
    // A user's click on an option: the toolkit checks or toggles it, then the handler runs.
    void Click(Option option)
    {
        controls.SetChecked(option, option >= sixteenBits ? !controls.IsChecked(option) : true);
        const std::map<Option, void (TDuctForm::*)()> handlers = {
            {rate44100, &TDuctForm::is4410}, {rate22050, &TDuctForm::is2205},
            {rate11025, &TDuctForm::is1102}, {sixteenBits, &TDuctForm::is16bit},
            {stereo, &TDuctForm::isStereo}};
        (form.*handlers.at(option))();
    }
    void Press()
    {
        try {
            form.InButOnClick();
        } catch (const Halted&) {
            halted = true;
        }
        Deliver();
    }

    FakeControls controls;
    FakeFrame frame;
    TDuctForm form;
    bool halted = false;
};

using Flags = std::array<bool, OptionCount>;

// What the speakers got is the mic's sound, byte for byte, behind four blocks of silence.
bool PlaysTheMic(const SimWaveService& service, std::size_t blockLength)
{
    std::vector<BYTE> played;
    for (const SimWaveService::PlayedBlock& block : service.Played())
        played.insert(played.end(), block.bytes.begin(), block.bytes.end());
    const std::size_t preRoll = 4 * blockLength;
    if (played.size() <= preRoll)
        return false;
    std::vector<BYTE> recorded(played.size() - preRoll);
    SimWaveService::PatternSignal(0, recorded.data(), recorded.size());
    return std::equal(recorded.begin(), recorded.end(), played.begin() + preRoll);
}

}  // namespace

// Only what both devices share can be chosen; a check is cleared, never set, and an enabled
// state follows the devices both ways. One device a side: the mapper stands for it.
TEST(Form, OptionsFollowWhatBothDevicesShare)
{
    const struct {
        const char* what;
        DWORD in, out;
        std::vector<Option> clicks;
        Flags checked, enabled;
    } cases[] = {
        {"all twelve formats", 0xFFF, 0xFFF, {}, {1, 0, 0, 1, 1}, {1, 1, 1, 1, 1}},
        {"no 44.1 kHz for the output", 0xFFF, Rate11 | Rate22, {}, {0, 0, 0, 1, 1},
         {0, 1, 1, 1, 1}},
        {"no 44.1 kHz for the input", Rate22, 0xFFF, {}, {0, 0, 0, 1, 1}, {0, 1, 0, 1, 1}},
        {"no stereo at 22.05 kHz", 0xFFF, Mono22 | Rate44, {rate22050}, {0, 1, 0, 1, 0},
         {1, 1, 0, 1, 0}},
        {"then 44.1 kHz in stereo: enabled, not checked again", 0xFFF, Mono22 | Rate44,
         {rate22050, rate44100}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 1}},
        {"8 bits only at 11 kHz", 0xFFF, EightBit11 | Rate44, {rate11025}, {0, 0, 1, 0, 1},
         {1, 0, 1, 0, 1}},
        {"a check box's click applies again", 0xFFF, 0xFFF, {stereo, stereo}, {1, 0, 0, 1, 1},
         {1, 1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsStore fresh;
        SimWaveService service({Device("Mic", c.in)}, {Device("Speakers", c.out)});
        Window window(service);
        for (Option option : c.clicks)
            window.Click(option);
        EXPECT_EQ(window.controls.checked, c.checked);
        EXPECT_EQ(window.controls.enabled, c.enabled);
        window.form.ApplyCaps();
        EXPECT_EQ(window.controls.checked, c.checked) << "a second run changed them";
        EXPECT_EQ(window.controls.enabled, c.enabled);
        EXPECT_TRUE(window.controls.boxes.empty());
    }
}

// Each entry keeps its device number; a device whose capabilities cannot be read gets no
// entry, and a failing query of the chosen device shows its box and keeps the old record.
TEST(Form, DeviceListsMapEntriesToDevices)
{
    using Fault = std::function<void(SimWaveService&)>;
    const struct {
        const char* what;
        std::vector<SimDevice> out;
        Fault atCreation, atChoice;
        int chosen;
        std::vector<std::string> entries;
        int device;
        Flags enabled;
        std::vector<std::string> boxes;
    } cases[] = {
        {"two devices in number order", {Device("Speakers A"), Device("Speakers B", Rate22)},
         {}, {}, 2, {"Wave Mapper", "Speakers A", "Speakers B"}, 1, {0, 1, 0, 1, 1}, {}},
        {"the mapper", {Device("Speakers A", Rate22)}, {}, {}, 0, {"Wave Mapper", "Speakers A"},
         -1, {0, 1, 0, 1, 1}, {}},
        {"a device left out, no gap",
         {Device("Out 0"), Device("Out 1"), Device("Out 2", Rate22)},
         [](SimWaveService& s) { s.Fail(SimSide::Out, SimOp::GetDevCaps, 2, MMSYSERR_NOMEM); }, {},
         2, {"Wave Mapper", "Out 0", "Out 2"}, 2, {0, 1, 0, 1, 1}, {}},
        {"the chosen device's query fails", {Device("Out 0", Rate44), Device("Out 1")}, {},
         [](SimWaveService& s) { s.Fail(SimSide::Out, SimOp::GetDevCaps, 0, MMSYSERR_NODRIVER); },
         2, {"Wave Mapper", "Out 0", "Out 1"}, 1, {1, 0, 0, 1, 1}, {"WaveOutGetDevCaps"}},
        {"no device at all", {}, {}, {}, 0, {"Wave Mapper"}, -1, {0, 0, 0, 1, 1},
         {"WaveOutGetDevCaps", "WaveOutGetDevCaps"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsStore fresh;
        SimWaveService service({Device("Mic")}, c.out);
        if (c.atCreation)
            c.atCreation(service);
        Window window(service);
        EXPECT_EQ(window.controls.items[DeviceList::outputList], c.entries);
        EXPECT_EQ(window.controls.ListSelection(DeviceList::outputList), 0);
        if (c.atChoice) {
            window.Choose(DeviceList::outputList, 1);
            c.atChoice(service);
        }
        window.Choose(DeviceList::outputList, c.chosen);
        EXPECT_EQ(window.form.Engine.OutDevice(), c.device);
        EXPECT_EQ(window.controls.enabled, c.enabled);
        EXPECT_EQ(window.controls.boxes, c.boxes);
        for (const std::string& text : window.controls.texts)
            EXPECT_FALSE(text.empty());
    }
}

// The button through "Start", "Stop" and "Close": what each press does, with the boxes of a
// refused query or a failed open; after every press the button is enabled again and has the
// keyboard focus, so that the next key press goes to it.
TEST(Form, StartStopClose)
{
    struct After {
        std::string caption;
        bool capture, playback, locked;  // locked: slider, options and lists disabled
        std::vector<std::string> boxes;
    };
    const struct {
        const char* what;
        SimSide side;
        SimOp op;
        int call;
        MMRESULT code;
        std::vector<After> presses;
        bool halts;
    } cases[] = {
        {"start, stop, close", SimSide::In, SimOp::Open, 0, 0,
         {{"Stop", true, true, true, {}}, {"Close", false, false, false, {}}}, true},
        {"the start's query refused", SimSide::Out, SimOp::Open, 1, WAVERR_BADFORMAT,
         {{"Start", false, false, false, {"Out Device Query"}}}, false},
        {"the close's query refused", SimSide::In, SimOp::Open, 3, WAVERR_BADFORMAT,
         {{"Stop", true, true, true, {}}, {"Close", false, false, false, {}},
          {"Close", false, false, false, {"In Device Query"}}}, false},
        {"the capture device does not open: a press stops", SimSide::In, SimOp::Open, 2,
         MMSYSERR_ALLOCATED,
         {{"Stop", false, true, true, {"In Device Open"}}, {"Close", false, false, false, {}}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsStore fresh;
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        if (c.call)
            service.Fail(c.side, c.op, c.call, c.code);
        Window window(service);
        FakeControls& controls = window.controls;
        EXPECT_TRUE(controls.buttonFocused);
        window.form.AboutOnClick();
        for (std::size_t i = 0; i < c.presses.size(); ++i) {
            SCOPED_TRACE(i + 1);
            const After& after = c.presses[i];
            controls.boxes.clear();
            window.Press();
            EXPECT_EQ(controls.caption, after.caption);
            EXPECT_EQ(window.form.Engine.CaptureOpen(), after.capture);
            EXPECT_EQ(window.form.Engine.PlaybackOpen(), after.playback);
            EXPECT_EQ(controls.boxes, after.boxes);
            EXPECT_TRUE(controls.buttonEnabled && controls.buttonFocused);
            const bool refused = !after.boxes.empty() && after.boxes[0].ends_with("Query");
            EXPECT_EQ(controls.sliderEnabled, !after.locked);
            // A refused query leaves the options as the format derivation left them: locked.
            const Flags options = refused || after.locked ? Flags{} : Flags{1, 1, 1, 1, 1};
            EXPECT_EQ(controls.enabled, options);
            EXPECT_EQ(controls.listEnabled[DeviceList::outputList], !after.playback);
            EXPECT_EQ(controls.listEnabled[DeviceList::inputList], !after.capture);
            // Starting hides the About box; a refused start leaves it.
            EXPECT_EQ(window.frame.aboutShown, i == 0 && after.caption == "Start");
            if (after.capture) {
                for (int step = 0; step < 300; ++step) {
                    service.AdvanceTo(service.Now() + 10'000'000);
                    window.Deliver();
                }
                EXPECT_TRUE(PlaysTheMic(service, window.form.Engine.BlockLength()));
            }
        }
        if (c.halts) {
            window.Press();
            EXPECT_TRUE(window.halted) << "the third press did not end the program";
            EXPECT_TRUE(controls.boxes.empty());
        }
    }
}

// The window's end during a relay stops it before the settings are written, also while the
// devices' open notifications are still queued.
TEST(Form, EndDuringRelayStopsBeforeSaving)
{
    // Notes, when the capture device closes, whether the new block length is stored yet.
    struct Noting : SimWaveService {
        using SimWaveService::SimWaveService;
        MMRESULT waveInClose(HWAVEIN hwi) override
        {
            const auto values = store->Read();
            closed = true;
            savedFirst = std::find(values.begin(), values.end(), Dword("Buffers", 2)) != values.end();
            return SimWaveService::waveInClose(hwi);
        }
        SettingsStore* store = nullptr;
        bool closed = false, savedFirst = false;
    };
    for (bool delivered : {true, false}) {
        SCOPED_TRACE(delivered ? "relaying" : "open notifications queued");
        Noting service({Device("Mic")}, {Device("Speakers")});
        SettingsStore fresh;
        service.store = &fresh;
        {
            Window window(service);
            window.controls.SetBlockLengthPosition(2);
            window.form.InButOnClick();
            if (delivered)
                window.Deliver();
            EXPECT_EQ(window.form.Engine.CaptureOpen(), delivered);
        }
        EXPECT_TRUE(service.closed);
        EXPECT_FALSE(service.savedFirst);
        const auto values = fresh.Read();
        EXPECT_NE(std::find(values.begin(), values.end(), Dword("Buffers", 2)), values.end());
    }
}

// In the Japanese zone eleven controls get their hints; in both zones the fourteen controls
// but the slider get the zone's face at 9 points, and the slider keeps its own hint.
TEST(Form, LocaleStep)
{
    const std::vector<Control> fourteen = {
        Control::outputList, Control::inputList, Control::outputLabel, Control::inputLabel,
        Control::startButton, Control::rateGroup, Control::formGroup, Control::rate44100,
        Control::rate22050, Control::rate11025, Control::deviceGroup, Control::aboutButton,
        Control::sixteenBits, Control::stereo};
    const std::vector<Control> eleven = {
        Control::outputList, Control::inputList, Control::deviceGroup, Control::rateGroup,
        Control::rate44100, Control::rate22050, Control::rate11025, Control::formGroup,
        Control::sixteenBits, Control::stereo, Control::aboutButton};
    const StandardZoneNameReader system = ReadStandardZoneName;
    // "東京" in Shift-JIS, as the zone name of a Japanese system carries it.
    const StandardZoneNameReader tokyo = [](std::string& name) {
        name = "\x93\x8c\x8b\x9e (standard)";
        return true;
    };
    const StandardZoneNameReader berlin = [](std::string& name) {
        name = "CET";
        return true;
    };
    for (bool japanese : {false, true}) {
        SCOPED_TRACE(japanese ? "Tokyo" : "elsewhere");
        SettingsStore fresh;
        ReadStandardZoneName = japanese ? tokyo : berlin;
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        Window window(service);
        ReadStandardZoneName = system;
        std::map<Control, std::string> hints = window.controls.hints;
        EXPECT_EQ(hints[Control::blockLength], "BufferSize(0.5[sec])");
        hints.erase(Control::blockLength);
        std::vector<Control> hinted;
        for (const auto& [control, hint] : hints)
            hinted.push_back(control);
        std::sort(hinted.begin(), hinted.end());
        std::vector<Control> expected = japanese ? eleven : std::vector<Control>{};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(hinted, expected);
        if (japanese) {
            EXPECT_EQ(hints[Control::outputList], "スピーカーの付いたデバイスを指定してください");
            EXPECT_EQ(hints[Control::aboutButton], "このプログラムについて・・・");
        }
        const std::string face = japanese ? "ＭＳ Ｐゴシック" : "Times New Roman";
        EXPECT_EQ(window.controls.faces.size(), fourteen.size());
        for (Control control : fourteen) {
            EXPECT_EQ(window.controls.faces[control], face);
            EXPECT_EQ(window.controls.sizes[control], 9);
        }
    }
}

// What an earlier run stored comes back, the position clamped to the screen (a window once
// saved while minimised stood far off it); the window's position is saved at its end.
TEST(Form, StoredSettingsAndPosition)
{
    const struct {
        const char* what;
        std::vector<StoredValue> stored;
        int left, top;
    } cases[] = {
        {"on the screen", {Dword("Xpos", 10), Dword("Ypos", 20)}, 10, 20},
        {"beyond the screen", {Dword("Xpos", 5000), Dword("Ypos", 5000)}, 1024 - 225, 768 - 258},
        {"minimised", {Dword("Xpos", DWORD(-32000)), Dword("Ypos", DWORD(-32000))}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsStore fresh;
        std::vector<StoredValue> values = {
            Dword("Rate", 1), Dword("Bits", 1), Dword("Buffers", 0), Dword("Channels", 0),
            Text("InputDevice", "Wave Mapper"), Text("OutputDevice", "Speakers")};
        values.insert(values.end(), c.stored.begin(), c.stored.end());
        fresh.Write(values);
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        {
            Window window(service);
            EXPECT_EQ(window.controls.checked, (Flags{0, 0, 1, 1, 0}));
            EXPECT_EQ(window.controls.ListSelection(DeviceList::outputList), 1);
            EXPECT_EQ(window.form.Engine.OutDevice(), 0);
            EXPECT_EQ(window.controls.hints[Control::blockLength], "BufferSize(1.2[sec])");
            EXPECT_EQ(std::pair(window.controls.left, window.controls.top),
                      std::pair(c.left, c.top));
            window.controls.left = 300, window.controls.top = 200;
        }
        const auto saved = fresh.Read();
        for (const StoredValue& value : {Dword("Xpos", 300), Dword("Ypos", 200)})
            EXPECT_NE(std::find(saved.begin(), saved.end(), value), saved.end()) << value.Name;
    }
}
