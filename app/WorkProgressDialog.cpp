// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkProgressDialog.h"

#include "CoverController.h"
#include "VelmoraError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QWindow>

TWorkProgressDialog::TWorkProgressDialog(QWidget *owner, TCoverController &cover,
                                         const QString &label, const QString &cancel)
    : m_cover(cover)
{
    m_dialog = new QProgressDialog(label, cancel, 0, 1, owner);
    m_dialog->setObjectName(QStringLiteral("WorkProgress"));
    m_dialog->setWindowTitle(owner ? owner->windowTitle() : QString());
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(ShowAfterMs);
    // Gone when the work is done: a question that follows (unsaved changes
    // after an open) is not asked under it.
    m_dialog->setAutoClose(true);
    m_dialog->setAutoReset(true);
    m_dialog->reset(); // not shown until the work has begun
    m_cover.SetProgress([this](int done, int total) {
        if (!m_dialog)
            return;
        if (m_dialog->maximum() != std::max(1, total))
            m_dialog->setMaximum(std::max(1, total));
        m_dialog->setValue(std::min(done, m_dialog->maximum()));
        if (m_dialog && m_dialog->isVisible() && !m_painted)
            PaintNow();
        if (m_dialog && m_dialog->wasCanceled())
            throw ECancelled();
    });
}

void TWorkProgressDialog::PaintNow()
{
    m_painted = true;
    QElapsedTimer waited;
    waited.start();
    const QWindow *window = m_dialog->windowHandle();
    while (m_dialog && window && !window->isExposed() && waited.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    if (m_dialog)
        m_dialog->repaint();
}

TWorkProgressDialog::~TWorkProgressDialog()
{
    m_cover.SetProgress({});
    delete m_dialog;
}
