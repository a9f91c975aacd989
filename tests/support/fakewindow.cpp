// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakewindow.h"

#include <utility>

FakeWindow::FakeWindow(HWND handle) : handle(handle)
{
}

bool FakeWindow::IsChecked(Option control) const
{
    return checked[static_cast<int>(control)];
}

void FakeWindow::FormatTaken()
{
    optionEnabled.fill(false);
}

int FakeWindow::BlockLengthPosition() const
{
    return bufset;
}

void FakeWindow::DeviceOpened(DeviceList list)
{
    listEnabled[static_cast<int>(list)] = false;
}

void FakeWindow::DeviceClosed(DeviceList list)
{
    listEnabled[static_cast<int>(list)] = true;
}

void FakeWindow::ShowMessage(LPCSTR text, LPCSTR caption)
{
    boxes.push_back({text, caption});
    if (whileOpen)
        whileOpen(Box{text, caption});
}

HWND FakeWindow::Handle()
{
    return handle;
}

void FakeWindow::SetChecked(Option control, bool value)
{
    checked[static_cast<int>(control)] = value;
}

bool FakeWindow::IsOptionEnabled(Option control) const
{
    return optionEnabled[static_cast<int>(control)];
}

void FakeWindow::SetBlockLengthPosition(int position)
{
    bufset = position;
}

bool FakeWindow::IsListEnabled(DeviceList list) const
{
    return listEnabled[static_cast<int>(list)];
}

const std::vector<FakeWindow::Box>& FakeWindow::Boxes() const
{
    return boxes;
}

void FakeWindow::ClearBoxes()
{
    boxes.clear();
}

void FakeWindow::WhileBoxOpen(std::function<void(const Box&)> action)
{
    whileOpen = std::move(action);
}
