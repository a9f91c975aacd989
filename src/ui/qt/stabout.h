// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: the program's icon, name and version, an author and a contact line.
// Modeless; centred on the screen each time it is shown.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

class TAboutBox final : public QWidget {
    Q_OBJECT

public:
    TAboutBox();

    // Sets the version label from the revision text and centres the box on the screen.
    void ABOnCreate();
    void OK_OnClick();

    QLabel* MyIcon;
    QLabel* ProgName;
    QLabel* VersionLabel;
    QLabel* AuthorName;
    QLabel* EmailAddress;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
};
