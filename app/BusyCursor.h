// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGuiApplication>

// A busy cursor for as long as a long command runs.
struct TBusyCursor
{
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;

    // The ordinary cursor while a question waits for the user.
    struct Pause
    {
        Pause() { QGuiApplication::restoreOverrideCursor(); }
        ~Pause() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
        Pause(const Pause &) = delete;
        Pause &operator=(const Pause &) = delete;
    };
};
