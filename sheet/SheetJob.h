// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"
#include "PrintExtras.h"
#include "SheetLayout.h"

#include <QString>
#include <memory>
#include <vector>

class QPainter;
class TPdfFinishing;
class QPrinter;
class TCoverController;
class TCoverRenderer;
class TDeviceMetrics;
struct TDocumentState;

// Several covers printed together on as few sheets as they take, each at
// true size with its own marks, through the same print path as one cover.
// The covers are copies: the window's cover goes on changing while the
// sheet is made.
class TSheetJob
{
public:
    TSheetJob(TDeviceMetrics &metrics, TTextLookup texts);
    ~TSheetJob();

    // The cover the window shows, as it is now.
    void AddCover(const QString &name, const TDocumentState &state, int copies = 1);
    // A cover file; the reason in the user's words when it does not open.
    QString AddFile(const QString &fileName, int copies = 1);
    void Remove(int index);
    void SetCopies(int index, int copies);
    int Count() const { return int(m_covers.size()); }
    QString Name(int index) const;
    int Copies(int index) const;
    // A cover's printed size with the room of its marks and bleed.
    QSizeF PrintedSize(int index, const TPrintExtras &extras) const;

    // The sheets on a printable room (inches); unfit names the first cover
    // that fits no sheet (-1 for none).
    std::vector<TSheet> Layout(const QSizeF &room, const TPrintExtras &extras, int *unfit) const;
    // Prints every sheet on the printer's page as it is set up, calibrated
    // by the extras; "The cover ... is larger than the paper" when one is.
    void Print(QPrinter &printer, const TPrintExtras &extras);
    // One sheet drawn on any page of dpi, from its printable corner.
    // finishing, when given, learns the texts drawn.
    void PaintSheet(QPainter &page, const TSheet &sheet, const TPrintExtras &extras, int dpi,
                    TPdfFinishing *finishing = nullptr);

private:
    struct TCover;
    TCoverRenderer Renderer(int index) const;

    TTextLookup m_texts;
    // The printer resolution every cover's offsets count in: the window's,
    // so that a picture placed by hand lands where it lies.
    int32_t m_offsetUnits = 0;
    std::vector<std::unique_ptr<TCover>> m_covers;
};
