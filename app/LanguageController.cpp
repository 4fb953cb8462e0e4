// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageController.h"

void TLanguageController::LoadLanguageFile(const QString &path)
{
    m_file = std::make_unique<TProfileFile>(path);
    m_fileName = path;
    QStringList languages;
    GetLanguages(languages);
    if (!languages.isEmpty())
        SetLanguage(languages.first());
}

void TLanguageController::GetLanguages(QStringList &list) const
{
    list.clear();
    if (m_file)
        list = m_file->ReadSectionNames();
}

QString TLanguageController::GetString(int number) const
{
    if (!m_file)
        return QString();
    return m_file->ReadString(CurrentLanguage, QString::number(number), QString());
}

void TLanguageController::SetLanguage(const QString &name)
{
    QString chosen = name;
    if (chosen.isEmpty()) {
        QStringList languages;
        GetLanguages(languages);
        if (!languages.isEmpty())
            chosen = languages.first();
    }
    CurrentLanguage = chosen;
}
