// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

// The one error type of the program. Its text is what the user reads in the
// message box, so it carries the program's own wording.
class EVelmoraError : public std::runtime_error
{
public:
    explicit EVelmoraError(const QString &text);
    QString Text() const { return m_text; }

    static EVelmoraError IntegerOverflow();
    static EVelmoraError RangeCheck();
    static EVelmoraError DivisionByZero();
    static EVelmoraError UnableToWrite(const QString &path);
    // A text file that this program could not read back exactly as stored:
    // writing it would damage what it could not read.
    static EVelmoraError CannotWriteBack(const QString &path);
    static EVelmoraError InvalidFloat(const QString &value);
    // A number no cover size can be (beyond MaxCoverInches).
    static EVelmoraError InvalidSize(const QString &value);

private:
    QString m_text;
};

// The user stopped a long piece of work: nothing to report, nothing done.
class ECancelled : public std::exception
{
public:
    const char *what() const noexcept override { return "Cancelled"; }
};

// Runs work and gives what it raised as the text the user reads ("Out of
// memory" for a failed allocation); empty when it raised nothing, or when the
// user cancelled it. Where an
// error must stop: at the one command wrapper, a thread's edge, a command
// that returns its error as a value.
QString ErrorTextOf(const std::function<void()> &work);
