// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

TQtTranslations::TQtTranslations() = default;

TQtTranslations::~TQtTranslations()
{
    Remove();
}

void TQtTranslations::Remove()
{
    for (std::unique_ptr<QTranslator> &translator : m_translators)
        if (translator)
            QCoreApplication::removeTranslator(translator.get());
    m_translators = {};
}

bool TQtTranslations::Apply(const QString &localeName, const QString &programDir)
{
    Remove();
    const QLocale locale(localeName.isEmpty() ? QStringLiteral("C") : localeName);
    // Numbers in Qt's own fields (a spin box) as the language writes them.
    QLocale::setDefault(localeName.isEmpty() ? QLocale(QLocale::English) : locale);
    if (localeName.isEmpty() || locale.language() == QLocale::English)
        return false;
    // Qt 6's own texts (Debian's qt6-translations-l10n), then ours: all of
    // them for Greek, Swedish and European Portuguese, which Qt has none
    // for, and for the others what Qt's leave in English ("Pages" in the
    // print dialog, "Folder" in the file dialog). Installed last, ours are
    // asked first.
    const std::pair<QString, QString> files[] = {
        {QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
        {QStringLiteral("velmora_qt"), programDir + QStringLiteral("/translations")},
    };
    bool found = false;
    for (size_t i = 0; i < m_translators.size(); ++i) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(locale, files[i].first, QStringLiteral("_"), files[i].second))
            continue;
        QCoreApplication::installTranslator(translator.get());
        m_translators[i] = std::move(translator);
        found = true;
    }
    return found;
}
