// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls as its logic reads and sets them.
#include "ui/qt/qtductform.h"

#include "ui/qt/frame.h"
#include "ui/qt/ratebutton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>

namespace {

QSize ScreenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

}  // namespace

QWidget* QtDuctForm::Widget(Control control) const
{
    return widgets[static_cast<std::size_t>(control)];
}

QComboBox* QtDuctForm::List(DeviceList list) const
{
    return static_cast<QComboBox*>(Widget(ControlOf(list)));
}

QAbstractButton* QtDuctForm::OptionButton(Option option) const
{
    return static_cast<QAbstractButton*>(Widget(ControlOf(option)));
}

QSlider* QtDuctForm::BlockLength() const
{
    return static_cast<QSlider*>(Widget(Control::blockLength));
}

QPushButton* QtDuctForm::StartButton() const
{
    return static_cast<QPushButton*>(Widget(Control::startButton));
}

QPushButton* QtDuctForm::AboutButton() const
{
    return static_cast<QPushButton*>(Widget(Control::aboutButton));
}

bool QtDuctForm::IsChecked(Option control) const
{
    return OptionButton(control)->isChecked();
}

void QtDuctForm::SetChecked(Option control, bool checked)
{
    QAbstractButton* button = OptionButton(control);
    if (auto* rate = dynamic_cast<RateButton*>(button))
        rate->SetChecked(checked);
    else
        button->setChecked(checked);
}

void QtDuctForm::SetOptionEnabled(Option control, bool enabled)
{
    OptionButton(control)->setEnabled(enabled);
}

void QtDuctForm::AddListItem(DeviceList list, const std::string& name, int deviceId)
{
    List(list)->addItem(QString::fromLocal8Bit(name), deviceId);
}

std::vector<std::string> QtDuctForm::ListItems(DeviceList list) const
{
    const QComboBox* combo = List(list);
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i)
        items.push_back(combo->itemText(i).toLocal8Bit().toStdString());
    return items;
}

int QtDuctForm::ListSelection(DeviceList list) const
{
    return List(list)->currentIndex();
}

void QtDuctForm::SetListSelection(DeviceList list, int index)
{
    List(list)->setCurrentIndex(index);
}

int QtDuctForm::SelectedDevice(DeviceList list) const
{
    const QComboBox* combo = List(list);
    return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
}

void QtDuctForm::SetListEnabled(DeviceList list, bool enabled)
{
    List(list)->setEnabled(enabled);
}

int QtDuctForm::BlockLengthPosition() const
{
    return BlockLength()->value();
}

void QtDuctForm::SetBlockLengthPosition(int position)
{
    const QSignalBlocker blocker(BlockLength());
    BlockLength()->setValue(position);
}

void QtDuctForm::SetBlockLengthEnabled(bool enabled)
{
    BlockLength()->setEnabled(enabled);
}

std::string QtDuctForm::InButtonCaption() const
{
    return StartButton()->text().toStdString();
}

void QtDuctForm::SetInButtonCaption(const std::string& caption)
{
    StartButton()->setText(QString::fromStdString(caption));
}

void QtDuctForm::SetInButtonEnabled(bool enabled)
{
    StartButton()->setEnabled(enabled);
}

void QtDuctForm::FocusInButton()
{
    StartButton()->setFocus();
}

void QtDuctForm::SetHint(Control control, const std::string& hint)
{
    Widget(control)->setToolTip(QString::fromStdString(hint));
}

void QtDuctForm::SetFaceName(Control control, const std::string& face)
{
    QWidget* widget = Widget(control);
    QFont font = widget->font();
    font.setFamily(QString::fromStdString(face));
    widget->setFont(font);
}

void QtDuctForm::SetPointSize(Control control, int points)
{
    QWidget* widget = Widget(control);
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

int QtDuctForm::Left() const { return FramePosition(this).x(); }
int QtDuctForm::Top() const { return FramePosition(this).y(); }
void QtDuctForm::SetLeft(int left) { MoveFrame(this, {left, Top()}); }
void QtDuctForm::SetTop(int top) { MoveFrame(this, {Left(), top}); }
int QtDuctForm::OuterWidth() const { return OuterSize(this).width(); }
int QtDuctForm::OuterHeight() const { return OuterSize(this).height(); }
int QtDuctForm::ScreenWidth() const { return ScreenSize().width(); }
int QtDuctForm::ScreenHeight() const { return ScreenSize().height(); }

void QtDuctForm::Show()
{
    StartButton()->setFocus();
    show();
    raise();
    activateWindow();
}

void QtDuctForm::ShowMessage(LPCSTR text, LPCSTR caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLocal8Bit(caption),
                    QString::fromLocal8Bit(text), QMessageBox::Ok, this);
    box.exec();
}

HWND QtDuctForm::Handle()
{
    return &target;
}

void QtDuctForm::HandlePostedNotifications()
{
    QCoreApplication::sendPostedEvents(this, DeviceEvent::Kind);
}
