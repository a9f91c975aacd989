// SPDX-License-Identifier: GPL-3.0-or-later
#include "formfixture.h"

#include "platform/sleep.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>
#include <thread>

// The settings' and the stop's pauses let real devices and the registry settle; the virtual
// devices and the test folders need none.
void Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds == 0)
        std::this_thread::yield();
}

void TestFrame::HaltProgram()
{
    qCritical("the program's end was reached inside a test");
    std::abort();
}

namespace {

QString SettingsFolder()
{
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (home.isEmpty())
        qFatal("XDG_CONFIG_HOME must point at a folder of the test's own");
    return home + QStringLiteral("/phonoduct");
}

}  // namespace

QString SettingsFilePath()
{
    return SettingsFolder() + QStringLiteral("/registry.reg");
}

void ClearSettings()
{
    QDir(SettingsFolder()).removeRecursively();
}

int StoredBufferPosition()
{
    QFile file(SettingsFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("\"Buffers\"=dword:"))
            return line.mid(16).trimmed().toInt(nullptr, 16);
    return -1;
}

ClosingService::ClosingService(std::vector<SimDevice> in, std::vector<SimDevice> out,
                               int marker)
    : SimWaveService(std::move(in), std::move(out)), marker(marker)
{
}

MMRESULT ClosingService::waveInClose(HWAVEIN hwi)
{
    inClosed = true;
    savedAtInClose = StoredBufferPosition() == marker;
    return SimWaveService::waveInClose(hwi);
}

SimDevice Device(const char* name, DWORD formats)
{
    return SimDevice{name, formats, false};
}

std::unique_ptr<QtDuctForm> CreateForm(WaveService& service, ProgramFrame& frame)
{
    auto form = std::make_unique<QtDuctForm>(service, frame);
    form->Form.FormOnCreate();
    return form;
}

void DeliverNotifications()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
