// SPDX-License-Identifier: GPL-3.0-or-later
// Device notifications reach the window as queued events, from any thread, and are handled
// on the UI thread, also while a message box runs its own loop.
#include "formfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTimer>

#include <thread>

class NotificationsTest : public QObject {
    Q_OBJECT

    SimWaveService service{{Device("Mic")}, {Device("Speakers")}};

private slots:
    void init() { ClearSettings(); }

    void queuedNotPerformedAtOnce()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        form->Handle()->Post(MM_WIM_OPEN, 0, 0);
        QVERIFY(!form->Form.Engine.CaptureOpen());
        DeliverNotifications();
        QVERIFY(form->Form.Engine.CaptureOpen());
        QVERIFY(!form->List(DeviceList::inputList)->isEnabled());
        Close(*form);
    }

    void postedFromAnotherThread()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        MessageTarget* target = form->Handle();
        std::thread device([target] {
            target->Post(MM_WOM_OPEN, 0, 0);
            target->Post(MM_WOM_CLOSE, 0, 0);
            target->Post(MM_WOM_OPEN, 0, 0);
        });
        device.join();
        DeliverNotifications();
        QVERIFY(form->Form.Engine.PlaybackOpen());
        QVERIFY(!form->List(DeviceList::outputList)->isEnabled());
        Close(*form);
    }

    void handledInsideMessageBox()
    {
        TestFrame frame;
        auto form = CreateForm(service, frame);
        bool openInsideBox = false;
        QTimer::singleShot(0, [&] {
            form->Handle()->Post(MM_WOM_OPEN, 0, 0);
            QTimer::singleShot(50, [&] {
                openInsideBox = form->Form.Engine.PlaybackOpen();
                QApplication::activeModalWidget()->close();
            });
        });
        form->ShowMessage("text", "caption");
        QVERIFY(openInsideBox);
        Close(*form);
    }

private:
    // No device was opened behind these notifications: the window must not stop one.
    static void Close(QtDuctForm& form)
    {
        form.Handle()->Post(MM_WIM_CLOSE, 0, 0);
        form.Handle()->Post(MM_WOM_CLOSE, 0, 0);
        DeliverNotifications();
    }
};

QTEST_MAIN(NotificationsTest)
#include "notifications_test.moc"
