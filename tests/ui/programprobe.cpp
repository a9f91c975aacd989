// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program on virtual devices, driven through one scenario named on the command
// line; the program test runs it as a child process and checks how it ends.
#include "app/application.h"
#include "formfixture.h"

#include <QApplication>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

// The program ends without returning: the devices report the order of the end themselves.
class ReportingService : public ClosingService {
public:
    using ClosingService::ClosingService;

    MMRESULT waveInClose(HWAVEIN hwi) override
    {
        const MMRESULT result = ClosingService::waveInClose(hwi);
        std::printf("capture closed, settings saved already: %s\n",
                    savedAtInClose ? "yes" : "no");
        std::fflush(stdout);
        return result;
    }
};

// Reports each top-level window that shows.
class ShowReporter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow()) {
            std::printf("shown: %s\n", qPrintable(widget->windowTitle()));
            std::fflush(stdout);
        }
        return false;
    }
};

void Press(QtDuctForm& form)
{
    QTest::mouseClick(form.StartButton(), Qt::LeftButton);
    DeliverNotifications();
}

void StartRelay(QtDuctForm& form, SimWaveService& service)
{
    // Block length 1.0 s, the slider at 2: what the saved settings must show.
    QTest::keyClick(form.BlockLength(), Qt::Key_Home);
    QTest::keyClick(form.BlockLength(), Qt::Key_PageDown);
    Press(form);
    service.AdvanceTo(service.Now() + 3'000'000'000);
    DeliverNotifications();
    const DuctEngine& engine = form.Form.Engine;
    std::printf("relaying: %s\n", engine.CaptureOpen() && engine.PlaybackOpen() ? "yes" : "no");
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication toolkit(argc, argv);
    ShowReporter reporter;
    toolkit.installEventFilter(&reporter);
    const QString scenario = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    ReportingService service({Device("Mic")}, {Device("Speakers")}, 2);
    Application program(service);
    QTimer::singleShot(0, [&] {
        QtDuctForm& form = *program.DuctForm;
        StartRelay(form, service);
        if (scenario == QLatin1String("close-button")) {
            Press(form);
            std::printf("caption: %s\n", qPrintable(form.StartButton()->text()));
            std::fflush(stdout);
            Press(form);
        } else {
            form.close();
        }
    });
    QObject::connect(&toolkit, &QCoreApplication::aboutToQuit, [] {
        std::printf("loop ended\n");
        std::fflush(stdout);
    });
    std::fflush(stdout);
    program.Run();
}
