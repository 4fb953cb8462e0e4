// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a picture of the main window, as the program starts from its build
// folder, and of the new cover dialog, for the README, and the manual's
// pictures of printing (marks, bleed, the calibration sheet) into a folder:
// velmora_screenshot MAIN.png [NEWCOVER.png [MANUALDIR [LANGUAGEDIR]]]
// With LANGUAGEDIR, both windows again in every language of the language
// file, as <locale>-main.png and <locale>-newcover.png.
#include "CMMainWindow.h"
#include "LanguageController.h"
#include "BuiltInTexts.h"
#include "CoverView.h"
#include "FontSubstitutes.h"
#include "NewDocument.h"
#include "PictureLoading.h"
#include "PrintCalibration.h"
#include "ProgramOptions.h"
#include "RecordingMessageBoxes.h"
#include "SheetDialog.h"
#include "SheetJob.h"
#include "TestFiles.h"
#include "WindowControls.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <cstdio>

namespace {

// What the window shows now becomes a step of its own, and the window comes
// back to it once a picture is made: the windows in every language show the
// cover they always showed.
struct TComeBack
{
    TCoverController &Cover;
    int Start = 0;
    explicit TComeBack(TCoverController &cover) : Cover(cover)
    {
        cover.CommitGesture(234);
        Start = cover.Steps().index();
    }
    ~TComeBack()
    {
        while (Cover.Steps().index() > Start)
            Cover.Undo();
        QCoreApplication::processEvents();
    }
};

// The back of a CD case: a tray inlay whose middle holds the track list in
// two columns, the spines the album's name, as the manual shows it.
bool TrackListPicture(TCoverMakerMainForm &form, TDeviceMetrics &metrics, const QString &file,
                      const QString &sheetFile)
{
    TCoverController &c = form.Cover();
    const TComeBack back(c);
    const TDocumentState wrap = c.Document().State();
    c.NewCover(form.SizeList()->ReadSize(QStringLiteral("CD jewel case tray inlay")),
               CoverMode::Multiple);
    c.SetBackColor(2, QColorToColorRef(QColor(250, 244, 230)));
    for (int area : {1, 3}) {
        c.SetBackColor(area, QColorToColorRef(QColor(30, 30, 50)));
        c.SetText(area, QStringLiteral("SUMMER EVENINGS  \u00B7  The Long Light"));
        TCoverFont font;
        font.Assign(c.Document().GetFont(area));
        font.SetSize(11);
        font.SetColor(Qt::white);
        c.SetFont(area, font);
    }
    int index = -1;
    c.AddTextBlock(2, &index);
    TTextBlock list = c.Document().GetBlocks(2)[size_t(index)];
    const char *const titles[] = {"Harbour Lights", "Slow Tide", "The Long Light", "August",
                                  "Paper Boats", "Salt and Honey", "Night Ferry", "Low Sun",
                                  "Driftwood", "Evening Song", "Last Bus Home", "Summer Evenings"};
    QStringList lines;
    int seconds = 0;
    for (int i = 0; i < 12; ++i) {
        const int length = 150 + (i * 53) % 140;
        seconds += length;
        lines << QStringLiteral("%1\t%2\t%3:%4")
                     .arg(i + 1)
                     .arg(QLatin1String(titles[i]))
                     .arg(length / 60)
                     .arg(length % 60, 2, 10, QLatin1Char('0'));
    }
    list.Text = lines.join(QLatin1Char('\n'));
    list.X = 10;
    list.Y = 30;
    list.Width = 118;
    list.Height = 70;
    list.FontName = QStringLiteral("Arial");
    list.FontSize = 12;
    list.Fit = TBlockFit::Columns;
    list.Columns = 2;
    list.LineSpacing = 1.3;
    c.SetTextBlock(2, index, list);
    c.AddTextBlock(2, &index);
    TTextBlock heading = c.Document().GetBlocks(2)[size_t(index)];
    heading.Text = QStringLiteral("Summer Evenings\nThe Long Light");
    heading.X = 10;
    heading.Y = 8;
    heading.Width = 118;
    heading.Height = 18;
    heading.FontName = QStringLiteral("Arial");
    heading.FontSize = 16;
    heading.Bold = true;
    heading.HAlign = TBlockAlign::Center;
    c.SetTextBlock(2, index, heading);
    Ui(form).CoverView()->SelectBlock(2, 0);
    QCoreApplication::processEvents();
    bool saved = form.grab().save(file);
    // The sheet dialog with the inlay twice and the wrap, on A4.
    {
        TSheetJob job(metrics, BuiltInText);
        job.AddCover(QStringLiteral("Summer Evenings inlay"), c.Document().State(), 2);
        job.AddCover(QStringLiteral("Summer Evenings wrap"), wrap);
        TSheetDialog dialog(job, BuiltInText, &form);
        QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(6, 6, 6, 6));
        dialog.SetPrinterPage(a4);
        TPrintExtras marks;
        marks.CutMarks = marks.FoldMarks = true;
        dialog.SetExtras(marks);
        dialog.show();
        QCoreApplication::processEvents();
        saved = saved && dialog.grab().save(sheetFile);
    }
    return saved;
}

// A DVD wrap made by Import Album...: the album's picture on the front, its
// tracks on the back, its name along the spine.
bool AlbumPicture(TCoverMakerMainForm &form, const QImage &art, const QString &file)
{
    TCoverController &c = form.Cover();
    const TComeBack back(c);
    TAlbum album;
    album.Title = QStringLiteral("Summer Evenings");
    album.Artist = QStringLiteral("The Long Light");
    const char *const titles[] = {"Harbour Lights", "Slow Tide", "August", "Paper Boats",
                                  "Salt and Honey", "Night Ferry", "Low Sun", "Driftwood",
                                  "Evening Song", "Last Bus Home"};
    for (int i = 0; i < 10; ++i)
        album.Tracks << TAlbumTrack{QString(), QLatin1String(titles[i]), i == 5 ? QStringLiteral("Mara Holt") : QString(),
                                    0, i + 1, 150000 + (i * 53000) % 140000};
    QBuffer png(&album.Picture);
    png.open(QIODevice::WriteOnly);
    art.save(&png, "PNG");
    album.PictureKind = QStringLiteral("png");
    c.ImportAlbum(album, form.SizeList()->ReadSize(QStringLiteral("DVD keep case wrap")),
                  CoverMode::Multiple);
    QCoreApplication::processEvents();
    return form.grab().save(file);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora_screenshot MAIN.png [NEWCOVER.png]\n");
        return 2;
    }
    RegisterFontSubstitutes();
    RegisterPictureKinds();
    QApplication::setFont(DesignFont());
    TRecordingMessageBoxes messages;
    TFixedDeviceMetrics metrics(38, 236);
    TMainFormSetup setup;
    setup.ProgramDir = ProgramBinDir();
    setup.Messages = &messages;
    setup.Metrics = &metrics;
    QTemporaryDir optionsDir; // the design bounds, whatever the user has stored
    TSettingsOptionsStore options(optionsDir.filePath("options.ini"));
    setup.Options = &options;
    setup.RecoveryDir = optionsDir.filePath("recovery");
    TCoverMakerMainForm form(setup);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    // A cover in the making: a DVD case wrap with a picture on the front
    // and a title on each panel, the spine's turned along it.
    TCoverDocument &d = form.Cover().Document();
    d.SetCoverSize(form.SizeList()->ReadSize(QStringLiteral("DVD keep case wrap")));
    Ui(form).MultiButton()->click();
    QImage art(640, 480, QImage::Format_RGB32);
    {
        QPainter p(&art);
        QLinearGradient sky(0, 0, 0, 480);
        sky.setColorAt(0, QColor(20, 40, 110));
        sky.setColorAt(1, QColor(240, 140, 60));
        p.fillRect(art.rect(), sky);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(255, 220, 120));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(420, 300), 90, 90);
        p.setBrush(QColor(30, 30, 50));
        p.drawPolygon(QPolygon({QPoint(0, 480), QPoint(180, 300), QPoint(330, 420),
                                QPoint(470, 330), QPoint(640, 460), QPoint(640, 480)}));
    }
    form.Cover().PlaceImage(3, art);
    d.SetBackColor(1, QColorToColorRef(QColor(30, 30, 50)));
    d.SetBackColor(2, QColorToColorRef(QColor(240, 140, 60)));
    d.SetText(1, QStringLiteral("Summer evenings"));
    d.GetFont(1).SetColor(Qt::white);
    d.GetFont(1).SetSize(24);
    d.SetText(2, QStringLiteral("SUMMER EVENINGS"));
    d.GetFont(2).SetSize(22);
    d.GetFont(2).SetBold(true);
    d.SetText(3, QStringLiteral("Summer Evenings"));
    d.SetTextPosition(3, tpTop);
    d.GetFont(3).SetColor(Qt::white);
    d.GetFont(3).SetSize(40);
    d.GetFont(3).SetItalic(true);
    Ui(form).CoverView()->SetShowScale(true);
    ClickArea(form, 3);
    QCoreApplication::processEvents();
    if (!form.grab().save(QString::fromLocal8Bit(argv[1])))
        return 1;
    if (argc >= 3) {
        TNewDocumentForm &newCover = *Ui(form).NewDocumentForm();
        newCover.CurrentSizeName = d.Size().Name;
        newCover.CurrentMode = d.Mode();
        newCover.show();
        QCoreApplication::processEvents();
        if (!newCover.grab().save(QString::fromLocal8Bit(argv[2])))
            return 1;
        newCover.hide();
    }
    if (argc >= 4) {
        // The pages as they print, rendered by poppler from the PDF files.
        const QDir out(QString::fromLocal8Bit(argv[3]));
        QTemporaryDir work;
        const auto render = [&](const QString &pdf, const QString &png, const QStringList &crop) {
            QProcess pdftoppm;
            pdftoppm.start(QStringLiteral("pdftoppm"),
                           QStringList{"-r", "50", "-png", "-singlefile"} + crop +
                               QStringList{pdf, out.filePath(png)});
            return pdftoppm.waitForFinished(60000) && pdftoppm.exitCode() == 0;
        };
        TPrintExtras marks;
        marks.CutMarks = marks.FoldMarks = true;
        TPrintExtras bleed = marks;
        bleed.BleedMm = 3;
        const TCoverView &view = *Ui(form).CoverView();
        const TCoverRenderer cover(*view.Document(), view.PrinterPixelsPerCm());
        cover.ExportPdf(work.filePath("marks.pdf"), marks);
        cover.ExportPdf(work.filePath("bleed.pdf"), bleed);
        QPrinter sheet(QPrinter::HighResolution);
        sheet.setOutputFormat(QPrinter::PdfFormat);
        sheet.setOutputFileName(work.filePath("sheet.pdf"));
        sheet.setPageSize(QPageSize(QPageSize::A4));
        PrintCalibrationSheet(sheet, QStringLiteral("Velmora calibration sheet for Office Laser"),
                              BuiltInText(258));
        if (!render(work.filePath("marks.pdf"), "VelmoraMarks", {}) ||
            !render(work.filePath("bleed.pdf"), "VelmoraBleed", {}) ||
            !render(work.filePath("sheet.pdf"), "VelmoraCalibration",
                    {"-x", "0", "-y", "0", "-W", "413", "-H", "370"}))
            return 1;
        if (!TrackListPicture(form, metrics, out.filePath(QStringLiteral("VelmoraTrackList.png")),
                              out.filePath(QStringLiteral("VelmoraSheet.png"))) ||
            !AlbumPicture(form, art, out.filePath(QStringLiteral("VelmoraAlbum.png"))))
            return 1;
    }
    if (argc >= 5) {
        const QDir out(QString::fromLocal8Bit(argv[4]));
        TNewDocumentForm &newCover = *Ui(form).NewDocumentForm();
        for (QAction *language : Ui(form).LanguageItems()->actions()) {
            language->trigger();
            const QString code = form.Languages().GetString(266);
            QCoreApplication::processEvents();
            if (!form.grab().save(out.filePath(code + QStringLiteral("-main.png"))))
                return 1;
            newCover.show();
            QCoreApplication::processEvents();
            if (!newCover.grab().save(out.filePath(code + QStringLiteral("-newcover.png"))))
                return 1;
            newCover.hide();
        }
    }
    return 0;
}
