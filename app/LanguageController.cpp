// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageController.h"

void TLanguageController::LoadLanguageFile(const QString &path)
{
    m_file = std::make_unique<TProfileSnapshot>(path);
    m_fileName = path;
    m_languages.clear();
    for (const QString &name : m_file->ReadSectionNames())
        if (!m_languages.contains(name, Qt::CaseInsensitive))
            m_languages << name;
    if (!m_languages.isEmpty())
        SetLanguage(m_languages.first());
}

void TLanguageController::GetLanguages(QStringList &list) const
{
    list = m_languages;
}

QString TLanguageController::GetString(int number) const
{
    return m_texts.value(number);
}

std::optional<QString> TLanguageController::FindString(int number) const
{
    const auto it = m_texts.constFind(number);
    if (it == m_texts.constEnd())
        return std::nullopt;
    return *it;
}

void TLanguageController::SetLanguage(const QString &name)
{
    QString chosen = name;
    // A stored name in another letter case still finds its section, as the
    // file's names are matched; only a name the file lacks is replaced.
    if (!m_languages.isEmpty() &&
        (chosen.isEmpty() || !m_languages.contains(chosen, Qt::CaseInsensitive)))
        chosen = m_languages.first();
    CurrentLanguage = chosen;
    m_texts.clear();
    if (!m_file)
        return;
    for (const auto &[key, value] : m_file->ReadSection(chosen)) {
        // Numbers are written in decimal without leading zeros: "031" is
        // not text 31.
        bool ok = false;
        const int number = key.toInt(&ok);
        if (ok && QString::number(number) == key && !m_texts.contains(number))
            m_texts.insert(number, value);
    }
}
