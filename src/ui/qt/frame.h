// SPDX-License-Identifier: GPL-3.0-or-later
// The window manager's frame around a top-level window. Its outer size and its position
// include the frame, but Qt learns the frame only after the framed window has been shown;
// the window manager tells it before (_NET_REQUEST_FRAME_EXTENTS).
#pragma once

#include <QMargins>
#include <QPoint>
#include <QSize>

class QWidget;

// The frame's widths on each side; none without a window manager or outside X11.
QMargins FrameExtents(const QWidget* window);

// The window's size with its frame.
QSize OuterSize(const QWidget* window);

// Where the window's frame is, and a move that puts the frame there. Until Qt has seen the
// framed window, its positions are those of the client area, inside the frame.
QPoint FramePosition(const QWidget* window);
void MoveFrame(QWidget* window, QPoint position);
