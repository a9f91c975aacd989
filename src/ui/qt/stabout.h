// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: the program's icon, name and version, an author and a contact line.
// Modeless; centred on the screen each time it is shown.
#pragma once

#include "ui/about.h"

#include <QWidget>

class QLabel;
class QPushButton;

class TAboutBox final : public QWidget, public AboutWindow {
    Q_OBJECT

public:
    // Made hidden, and centred already.
    TAboutBox();

    void OK_OnClick();

    // AboutWindow
    void SetVersionCaption(const std::string& caption) override;
    bool IsShown() const override;
    Placement Place() const override;
    void MoveTo(int left, int top) override;
    void SetShown(bool shown) override;

    QLabel* MyIcon;
    QLabel* ProgName;
    QLabel* VersionLabel;
    QLabel* AuthorName;
    QLabel* EmailAddress;
    QPushButton* OKButton;

private:
    void CreateControls();
};
