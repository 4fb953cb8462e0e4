// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramOptions.h"

#include <QSettings>
#include <algorithm>

namespace {

// A value that is there and a whole number, else the start value.
int32_t ReadInteger(TOptionsStore &store, const char *name, int32_t start)
{
    const QVariant v = store.Read(QLatin1String(name));
    bool ok = false;
    const qlonglong n = v.isValid() ? v.toLongLong(&ok) : 0;
    if (!ok || n < INT32_MIN || n > INT32_MAX)
        return start;
    return int32_t(n);
}

bool ReadYesNo(TOptionsStore &store, const char *name, bool start)
{
    return ReadInteger(store, name, start ? 1 : 0) != 0;
}

QString ReadText(TOptionsStore &store, const char *name)
{
    const QVariant v = store.Read(QLatin1String(name));
    return v.isValid() ? v.toString() : QString();
}

} // namespace

TSettingsOptionsStore::TSettingsOptionsStore(const QString &path)
    : m_settings(path.isEmpty() ? std::make_unique<QSettings>(
                                      QSettings::NativeFormat, QSettings::UserScope,
                                      QStringLiteral("Velmora"), QStringLiteral("ProgramOptions"))
                                : std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

TSettingsOptionsStore::~TSettingsOptionsStore() = default;

bool TSettingsOptionsStore::Exists()
{
    return !m_settings->allKeys().isEmpty();
}

QVariant TSettingsOptionsStore::Read(const QString &name)
{
    return m_settings->value(name);
}

void TSettingsOptionsStore::Write(const QString &name, const QVariant &value)
{
    m_settings->setValue(name, value);
}

bool TSettingsOptionsStore::Flush()
{
    m_settings->sync();
    switch (m_settings->status()) {
    case QSettings::NoError:
        return true;
    case QSettings::AccessError:
        return false;
    case QSettings::FormatError:
        break;
    }
    // The status keeps a format error met while reading a damaged store,
    // which the write has just replaced: what counts is whether the store
    // now reads back as written.
    const QSettings stored(m_settings->fileName(), m_settings->format());
    if (stored.status() != QSettings::NoError)
        return false;
    const QStringList keys = m_settings->allKeys();
    return std::all_of(keys.begin(), keys.end(), [&](const QString &key) {
        return stored.value(key).toString() == m_settings->value(key).toString();
    });
}

QString TSettingsOptionsStore::Location() const
{
    return m_settings->fileName();
}

bool TProgramOptions::Load(TOptionsStore &store)
{
    *this = TProgramOptions();
    if (!store.Exists())
        return false;
    WindowMaximized = ReadYesNo(store, "WindowMaximized", WindowMaximized);
    X = ReadInteger(store, "X", X);
    Y = ReadInteger(store, "Y", Y);
    W = ReadInteger(store, "W", W);
    H = ReadInteger(store, "H", H);
    ShowScale = ReadYesNo(store, "ShowScale", ShowScale);
    Metrics = ReadInteger(store, "Metrics", Metrics);
    Lang = ReadText(store, "Lang");
    Cover = ReadText(store, "Cover");
    Multi = ReadYesNo(store, "Multi", Multi);
    for (int i = 1; i <= MaxRecent; ++i) {
        const QString file = ReadText(store, QStringLiteral("Recent%1").arg(i).toLatin1().constData());
        if (!file.isEmpty() && !Recent.contains(file))
            Recent << file;
    }
    return true;
}

bool TProgramOptions::Save(TOptionsStore &store) const
{
    store.Write(QStringLiteral("WindowMaximized"), WindowMaximized ? 1 : 0);
    store.Write(QStringLiteral("X"), X);
    store.Write(QStringLiteral("Y"), Y);
    store.Write(QStringLiteral("W"), W);
    store.Write(QStringLiteral("H"), H);
    store.Write(QStringLiteral("ShowScale"), ShowScale ? 1 : 0);
    store.Write(QStringLiteral("Metrics"), Metrics);
    store.Write(QStringLiteral("Lang"), Lang);
    store.Write(QStringLiteral("Cover"), Cover);
    store.Write(QStringLiteral("Multi"), Multi ? 1 : 0);
    WriteRecent(store, Recent);
    return store.Flush();
}

void TProgramOptions::WriteRecent(TOptionsStore &store, const QStringList &recent)
{
    for (int i = 1; i <= MaxRecent; ++i)
        store.Write(QStringLiteral("Recent%1").arg(i), recent.value(i - 1));
}
