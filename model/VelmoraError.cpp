// SPDX-License-Identifier: GPL-3.0-or-later
#include "VelmoraError.h"

EVelmoraError::EVelmoraError(const QString &text)
    : std::runtime_error(text.toStdString()), m_text(text)
{
}

EVelmoraError EVelmoraError::IntegerOverflow()
{
    return EVelmoraError(QStringLiteral("Integer overflow"));
}

EVelmoraError EVelmoraError::RangeCheck()
{
    return EVelmoraError(QStringLiteral("Range check error"));
}

EVelmoraError EVelmoraError::DivisionByZero()
{
    return EVelmoraError(QStringLiteral("Division by zero"));
}

EVelmoraError EVelmoraError::UnableToWrite(const QString &path)
{
    return EVelmoraError(QStringLiteral("Unable to write to %1").arg(path));
}

EVelmoraError EVelmoraError::CannotWriteBack(const QString &path)
{
    return EVelmoraError(
        QStringLiteral("Unable to write to %1: its text cannot be kept exactly as it is stored")
            .arg(path));
}

EVelmoraError EVelmoraError::InvalidSize(const QString &value)
{
    return EVelmoraError(QStringLiteral("'%1' is not a size a cover can have").arg(value));
}

EVelmoraError EVelmoraError::InvalidFloat(const QString &value)
{
    return EVelmoraError(QStringLiteral("'%1' is not a valid floating point value").arg(value));
}

QString ErrorTextOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const EVelmoraError &e) {
        return e.Text();
    } catch (const ECancelled &) {
        return QString();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("Out of memory");
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    }
    return QString();
}
