// The main window: device lists, format options, block-length slider, Start/Stop and About.
// It owns the relay engine and receives the devices' notifications.
#pragma once

#include "engine/ductengine.h"
#include "engine/relaywindow.h"
#include "settings/settingswindow.h"
#include "ui/devicetarget.h"

#include <QWidget>

class QAbstractButton;
class QComboBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class RateButton;
class ProgramFrame;

class TDuctForm final : public QWidget, public RelayWindow, public SettingsWindow {
    Q_OBJECT

public:
    TDuctForm(WaveService& service, ProgramFrame& frame);
    ~TDuctForm() override;

    // Fills the lists, adapts to the locale, loads the settings, applies the devices'
    // options and shows the window. Runs once, after construction.
    void FormOnCreate();

    // Device selection and option availability
    void ApplyCaps();
    void BoxOnChange();
    void Box2OnChange();
    void is4410();
    void is2205();
    void is1102();
    void is16bit();
    void isStereo();

    // Start/Stop button, block-length slider, About button
    void InButOnClick();
    void BufsetChange();
    void AboutOnClick();

    // RelayWindow
    bool IsChecked(OptionControl control) const override;
    void SetOptionEnabled(OptionControl control, bool enabled) override;
    int BufsetPosition() const override;
    void SetListEnabled(DeviceList list, bool enabled) override;
    void ShowMessage(LPCSTR text, LPCSTR caption) override;
    HWND Handle() override;

    // SettingsWindow
    bool IsChecked(SettingsOption option) const override;
    void SetChecked(SettingsOption option, bool checked) override;
    void SetBufsetPosition(int position) override;
    std::vector<std::string> ListItems(SettingsList list) const override;
    int ListSelection(SettingsList list) const override;
    void SetListSelection(SettingsList list, int index) override;
    int Left() const override;
    int Top() const override;
    void SetLeft(int left) override;
    void SetTop(int top) override;
    int OuterWidth() const override;
    int OuterHeight() const override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    [[noreturn]] void HaltProgram() override;

    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    RateButton* RB4410;
    RateButton* RB2205;
    RateButton* RB1102;
    QCheckBox* CB_16bit;
    QCheckBox* CB_Stereo;
    QSlider* Bufset;
    QPushButton* InButton;
    QPushButton* AboutButton;
    QLabel* Panel1;
    QLabel* Panel2;
    QGroupBox* RadioGroup1;
    QGroupBox* GroupBox1;
    QGroupBox* RadioGroup2;

    DuctEngine Engine;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void FillDeviceLists();
    void ReadOutCaps();
    void ReadInCaps();
    void FormOnDestroy();
    void OnRateClick(RateButton* button);
    void UpdateAndApplyCaps();
    QAbstractButton* OptionButton(OptionControl control) const;
    QComboBox* List(SettingsList list) const;

    WaveService& service;
    ProgramFrame& frame;
    DeviceTarget target;
};
