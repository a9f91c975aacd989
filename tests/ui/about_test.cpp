// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: its controls, version, centring at every showing and who hides it.
// Runs on a 640 x 480 screen.
#include "formfixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Where a box of this outer size belongs on the 640 x 480 screen.
QPoint Centred(const QWidget& box)
{
    const QSize outer = box.frameGeometry().size();
    return {320 - outer.width() / 2, 240 - outer.height() / 2};
}

}  // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

    void controlsAsTabulated()
    {
        TAboutBox about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        QCOMPARE(about.size(), QSize(367, 116));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!about.isVisible());
        struct Row {
            QWidget* control;
            QRect geometry;
        };
        const Row rows[] = {
            {about.MyIcon, {13, 10, 33, 33}},       {about.ProgName, {63, 16, 240, 24}},
            {about.VersionLabel, {212, 43, 84, 19}}, {about.AuthorName, {71, 43, 131, 18}},
            {about.EmailAddress, {83, 67, 201, 16}}, {about.OKButton, {146, 88, 75, 20}},
        };
        for (const Row& row : rows)
            QCOMPARE(row.control->geometry(), row.geometry);
        QCOMPARE(about.ProgName->text(), QStringLiteral("Phonoduct for Windows95"));
        QCOMPARE(about.VersionLabel->text(), QStringLiteral("Version 1.19"));
        QCOMPARE(about.OKButton->text(), QStringLiteral("OK"));
        QCOMPARE(about.MyIcon->pixmap().size(), QSize(32, 32));
        QVERIFY(!about.AuthorName->text().isEmpty());
        QVERIFY(about.EmailAddress->text().contains('@'));
        QCOMPARE(about.ProgName->font().pixelSize(), 21);
        QVERIFY(about.VersionLabel->font().italic() && about.VersionLabel->font().bold());
    }

    // Centred when made; showing the hidden box centres it again before it shows.
    void centredWhenCreatedAndShown()
    {
        TAboutBox about;
        const QPoint centred = Centred(about);
        QCOMPARE(about.pos(), centred);
        ShowAboutBox(about);
        QVERIFY(about.isVisible());
        QCOMPARE(about.pos(), centred);
    }

    // Moved, hidden with OK and shown again: back in the centre. Shown while visible: stays.
    void recentredOnEveryShowing()
    {
        SimWaveService service({Device("Mic")}, {Device("Speakers")});
        TestFrame frame;
        auto form = CreateForm(service, frame);
        QTest::mouseClick(form->AboutButton(), Qt::LeftButton);
        QVERIFY(frame.about.isVisible());
        frame.about.move(10, 20);
        QTest::mouseClick(form->AboutButton(), Qt::LeftButton);
        QCOMPARE(frame.about.pos(), QPoint(10, 20));
        QTest::mouseClick(frame.about.OKButton, Qt::LeftButton);
        QVERIFY(!frame.about.isVisible());
        QTest::mouseClick(form->AboutButton(), Qt::LeftButton);
        QVERIFY(frame.about.isVisible());
        QCOMPARE(frame.about.pos(), Centred(frame.about));
    }

    // The close box hides the box; it stays for the next showing.
    void closeBoxHides()
    {
        TAboutBox about;
        about.show();
        QVERIFY(about.close());
        QVERIFY(!about.isVisible());
        about.show();
        QVERIFY(about.isVisible());
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
