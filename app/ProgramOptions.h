// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PrintExtras.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class QSettings;

// Where the options live: the per-user store "Software\Velmora\ProgramOptions"
// (the registry on Windows, the platform's own settings file elsewhere).
// Tests put a store over a file of their own in its place.
class TOptionsStore
{
public:
    virtual ~TOptionsStore() = default;
    // Whether the key exists; a first start finds none.
    virtual bool Exists() = 0;
    // An invalid variant for a value that is not stored.
    virtual QVariant Read(const QString &name) = 0;
    virtual void Write(const QString &name, const QVariant &value) = 0;
    // Writes everything out; false when what is stored now does not read
    // back as written.
    virtual bool Flush() = 0;
    virtual QString Location() const = 0;
};

class TSettingsOptionsStore : public TOptionsStore
{
public:
    // The user's own store, or a file in INI format when path is given.
    explicit TSettingsOptionsStore(const QString &path = QString());
    ~TSettingsOptionsStore() override;
    bool Exists() override;
    QVariant Read(const QString &name) override;
    void Write(const QString &name, const QVariant &value) override;
    bool Flush() override;
    QString Location() const override;

private:
    std::unique_ptr<QSettings> m_settings;
};

// The marks and bleed last chosen in the print dialog; none where the store
// holds nothing of use.
TPrintExtras ReadPrintChoices(TOptionsStore &store);
// The printer's stored correction into extras; false (extras untouched)
// where none is stored or it does not read.
bool ReadCalibration(TOptionsStore &store, const QString &printer, TPrintExtras &extras);

// Every option the program keeps, under its value name, with its start
// value: what a first start, a missing value or a value that is not a
// number gives.
struct TProgramOptions
{
    bool WindowMaximized = false;
    int32_t X = 266;
    int32_t Y = 133;
    int32_t W = 791;
    int32_t H = 541;
    bool ShowScale = false;
    int32_t Metrics = 0;
    QString Lang;
    QString Cover;
    bool Multi = false;
    // The covers last opened or saved, newest first.
    QStringList Recent;
    static constexpr int MaxRecent = 5;

    // False, with every field at its start value, when the store has no key.
    bool Load(TOptionsStore &store);
    // Writes every value in its order; false when the store could not be
    // written.
    bool Save(TOptionsStore &store) const;
    // The recent covers alone, as they change.
    static void WriteRecent(TOptionsStore &store, const QStringList &recent);
};
