// SPDX-License-Identifier: GPL-3.0-or-later
// The main window drawn with Qt Widgets: its controls as the window description lays them
// out, their user events handed to the window's logic (Form), and the devices'
// notifications delivered as queued events on the UI thread.
#pragma once

#include "ui/ductcontrols.h"
#include "ui/main.h"
#include "ui/qt/devicetarget.h"

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

class QtDuctForm final : public QWidget, public DuctControls {
    Q_OBJECT

public:
    QtDuctForm(WaveService& service, ProgramFrame& frame);
    // Runs the window's destroy step while the controls still exist.
    ~QtDuctForm() override;

    // DuctControls
    bool IsChecked(Option control) const override;
    void SetChecked(Option control, bool checked) override;
    void SetOptionEnabled(Option control, bool enabled) override;
    void AddListItem(DeviceList list, const std::string& name, int deviceId) override;
    std::vector<std::string> ListItems(DeviceList list) const override;
    int ListSelection(DeviceList list) const override;
    void SetListSelection(DeviceList list, int index) override;
    int SelectedDevice(DeviceList list) const override;
    void SetListEnabled(DeviceList list, bool enabled) override;
    int BlockLengthPosition() const override;
    void SetBlockLengthPosition(int position) override;
    void SetBlockLengthEnabled(bool enabled) override;
    std::string InButtonCaption() const override;
    void SetInButtonCaption(const std::string& caption) override;
    void SetInButtonEnabled(bool enabled) override;
    void FocusInButton() override;
    void SetHint(Control control, const std::string& hint) override;
    void SetFaceName(Control control, const std::string& face) override;
    void SetPointSize(Control control, int points) override;
    int Left() const override;
    int Top() const override;
    void SetLeft(int left) override;
    void SetTop(int top) override;
    int OuterWidth() const override;
    int OuterHeight() const override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    void Show() override;
    void ShowMessage(LPCSTR text, LPCSTR caption) override;
    HWND Handle() override;
    void HandlePostedNotifications() override;

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

    TDuctForm Form;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void OnRateClick(RateButton* button);
    QAbstractButton* OptionButton(Option control) const;
    QComboBox* List(DeviceList list) const;
    QWidget* Widget(Control control) const;

    DeviceTarget target;
};
