// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/stabout.h"

#include "ui/about.h"
#include "ui/qt/faces.h"
#include "ui/qt/frame.h"
#include "ui/qt/icon.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

QFont LabelFont(int pixels, bool italic, QFont::Weight weight = QFont::Bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixels);
    font.setItalic(italic);
    font.setWeight(weight);
    return font;
}

QLabel* Label(QWidget* parent, const QString& text, const QRect& geometry, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

}  // namespace

TAboutBox::TAboutBox()
{
    MapWindowsFaceNames();
    CreateControls();
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OK_OnClick);
    ABOnCreate(*this);
}

void TAboutBox::CreateControls()
{
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(367, 116);
    move(202, 118);
    QFont formFont(QStringLiteral("ＭＳ Ｐゴシック"));
    formFont.setPixelSize(12);
    setFont(formFont);
    setWindowIcon(ProgramIcon());

    MyIcon = new QLabel(this);
    MyIcon->setGeometry(13, 10, 33, 33);
    MyIcon->setAlignment(Qt::AlignCenter);
    MyIcon->setPixmap(ProgramIcon());
    ProgName = Label(this, QString::fromUtf8(ProgramNameLine), QRect(63, 16, 240, 24),
                     LabelFont(21, false));
    VersionLabel = Label(this, QStringLiteral("Version 1.10"), QRect(212, 43, 84, 19),
                         LabelFont(16, true));
    VersionLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    AuthorName = Label(this, QString::fromUtf8(AuthorLine), QRect(71, 43, 131, 18),
                       LabelFont(15, true));
    EmailAddress = Label(this, QString::fromUtf8(ContactLine), QRect(83, 67, 201, 16),
                         LabelFont(13, true));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(146, 88, 75, 20);
    OKButton->setFont(LabelFont(12, false));
    QPalette palette = OKButton->palette();
    palette.setColor(QPalette::ButtonText, Qt::black);
    OKButton->setPalette(palette);
    OKButton->setFocus();
}

void TAboutBox::SetVersionCaption(const std::string& caption)
{
    VersionLabel->setText(QString::fromStdString(caption));
}

bool TAboutBox::IsShown() const
{
    return isVisible();
}

Placement TAboutBox::Place() const
{
    const QPoint position = FramePosition(this);
    const QSize outer = OuterSize(this);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    return {position.x(), position.y(), outer.width(), outer.height(), screen.width(),
            screen.height()};
}

void TAboutBox::MoveTo(int left, int top)
{
    MoveFrame(this, {left, top});
}

void TAboutBox::SetShown(bool shown)
{
    setVisible(shown);
    if (!shown)
        return;
    raise();
    activateWindow();
}

void TAboutBox::OK_OnClick()
{
    hide();
}
