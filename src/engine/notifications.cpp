// SPDX-License-Identifier: GPL-3.0-or-later
// Device notifications from the window's message loop, held while an engine operation runs.
// A failed call's message box runs a nested message loop; a notification handled there would
// find a sequence or a header operation half done.
#include "engine/ductengine.h"

DuctEngine::Entry::Entry(DuctEngine& engine) : engine(engine)
{
    ++engine.entryDepth;
}

DuctEngine::Entry::~Entry()
{
    if (--engine.entryDepth == 0)
        engine.DrainHeld();
}

void DuctEngine::OnMessage(UINT msg)
{
    if (entryDepth > 0 || draining) {
        heldMessages.push_back(msg);
        return;
    }
    Dispatch(msg);
}

void DuctEngine::DrainHeld()
{
    // A held notification's own handler may show a box and hold more; this loop takes them.
    if (draining)
        return;
    draining = true;
    while (!heldMessages.empty()) {
        const UINT msg = heldMessages.front();
        heldMessages.pop_front();
        Dispatch(msg);
    }
    draining = false;
}

void DuctEngine::Dispatch(UINT msg)
{
    Entry entry(*this);
    switch (msg) {
    case MM_WOM_OPEN:
        OnWomOpen();
        break;
    case MM_WOM_CLOSE:
        OnWomClose();
        break;
    case MM_WOM_DONE:
        OnWomDone();
        break;
    case MM_WIM_OPEN:
        OnWimOpen();
        break;
    case MM_WIM_CLOSE:
        OnWimClose();
        break;
    case MM_WIM_DATA:
        OnWimData();
        break;
    default:
        break;
    }
}
