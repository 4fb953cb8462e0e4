// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

TQtTranslations::TQtTranslations() = default;

TQtTranslations::~TQtTranslations()
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

bool TQtTranslations::Apply(const QString &localeName, const QString &programDir)
{
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    const QLocale locale(localeName.isEmpty() ? QStringLiteral("C") : localeName);
    // Numbers in Qt's own fields (a spin box) as the language writes them.
    QLocale::setDefault(localeName.isEmpty() ? QLocale(QLocale::English) : locale);
    if (localeName.isEmpty() || locale.language() == QLocale::English)
        return false;
    // Qt 6's own texts (Debian's qt6-translations-l10n): Qt 5's miss the
    // texts that moved.
    auto translator = std::make_unique<QTranslator>();
    // Greek, Swedish and European Portuguese have none of Qt's: ours stand in.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        !translator->load(locale, QStringLiteral("velmora_qt"), QStringLiteral("_"),
                          programDir + QStringLiteral("/translations")))
        return false;
    QCoreApplication::installTranslator(translator.get());
    m_translator = std::move(translator);
    return true;
}
