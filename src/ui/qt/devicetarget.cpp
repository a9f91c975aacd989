// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/devicetarget.h"

#include <QCoreApplication>

const QEvent::Type DeviceEvent::Kind = static_cast<QEvent::Type>(QEvent::registerEventType());

DeviceEvent::DeviceEvent(UINT message) : QEvent(Kind), message(message) {}

DeviceTarget::DeviceTarget(QObject& receiver) : receiver(&receiver) {}

void DeviceTarget::Post(UINT msg, WPARAM, LPARAM)
{
    std::lock_guard<std::mutex> guard(lock);
    if (receiver)
        QCoreApplication::postEvent(receiver, new DeviceEvent(msg));
}

void DeviceTarget::Detach()
{
    std::lock_guard<std::mutex> guard(lock);
    receiver = nullptr;
}
