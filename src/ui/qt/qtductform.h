// SPDX-License-Identifier: GPL-3.0-or-later
// The main window drawn with Qt Widgets: its controls made from the window description,
// their user events handed to the window's logic (Form), and the devices' notifications
// delivered as queued events on the UI thread.
#pragma once

#include "ui/ductcontrols.h"
#include "ui/main.h"
#include "ui/qt/devicetarget.h"

#include <QWidget>

#include <array>

class QAbstractButton;
class QComboBox;
class QPushButton;
class QSlider;
class ProgramFrame;
struct ControlDescription;

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

    // The controls by role, as the window description makes them.
    QWidget* Widget(Control control) const;
    QComboBox* List(DeviceList list) const;
    QAbstractButton* OptionButton(Option option) const;
    QSlider* BlockLength() const;
    QPushButton* StartButton() const;
    QPushButton* AboutButton() const;

    TDuctForm Form;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    QWidget* CreateControl(const ControlDescription& description);

    std::array<QWidget*, ControlCount> widgets{};
    DeviceTarget target;
};
