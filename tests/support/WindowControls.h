// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AboutBox.h"
#include "CalibrationDialog.h"
#include "CoverView.h"
#include "EditCoverSize.h"
#include "NewDocument.h"
#include "PaintBox.h"
#include "RadioGroup.h"
#include "TextBlockPanel.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

// The main window's controls, found by their design names as a user finds
// them on screen: tests press and read them, never write the window's
// members. Each is looked up anew, so a restarted window is found too.
struct TWindowControls
{
    QWidget &Window;

    template <typename T> T *Find(const char *name) const
    {
        T *found = Window.findChild<T *>(QLatin1String(name));
        if (!found) {
            std::fprintf(stderr, "The window has no control named %s\n", name);
            std::abort();
        }
        return found;
    }

#define VELMORA_CONTROL(Type, Name)                                                              \
    Type *Name() const { return Find<Type>(#Name); }
    VELMORA_CONTROL(TPanel, ToolPanel)
    VELMORA_CONTROL(QToolButton, NewButton)
    VELMORA_CONTROL(QToolButton, PrintButton)
    VELMORA_CONTROL(QToolButton, SingleButton)
    VELMORA_CONTROL(QToolButton, MultiButton)
    VELMORA_CONTROL(QLabel, TextLabel)
    VELMORA_CONTROL(QLineEdit, ImageTextEdit)
    VELMORA_CONTROL(QWidget, TextPropPanel)
    VELMORA_CONTROL(TRadioGroup, AlignRadio)
    VELMORA_CONTROL(TRadioGroup, TextOrientRadio)
    VELMORA_CONTROL(TRadioGroup, TextPosRadio)
    VELMORA_CONTROL(QPushButton, FontButton)
    VELMORA_CONTROL(TPanel, PropertiesPanel)
    VELMORA_CONTROL(TPaintBox, PaintBox1)
    VELMORA_CONTROL(QPushButton, ChangeButton)
    VELMORA_CONTROL(QPushButton, ClearButton)
    VELMORA_CONTROL(TRadioGroup, ImageView)
    VELMORA_CONTROL(QPushButton, ZoomInButton)
    VELMORA_CONTROL(QPushButton, ZoomOutButton)
    VELMORA_CONTROL(QPushButton, CenterButton)
    VELMORA_CONTROL(QPushButton, BGColorButton)
    VELMORA_CONTROL(TCoverView, CoverView)
    VELMORA_CONTROL(QAction, TextBlock1)
    VELMORA_CONTROL(QAction, PrintSheet1)
    VELMORA_CONTROL(QAction, ImportAlbum1)
    VELMORA_CONTROL(QAction, AddTextBlock1)
    VELMORA_CONTROL(QAction, DeleteTextBlock1)
    VELMORA_CONTROL(TTextBlockPanel, BlockPanel)
    VELMORA_CONTROL(QMenu, Cover1)
    VELMORA_CONTROL(QAction, New1)
    VELMORA_CONTROL(QAction, Save1)
    VELMORA_CONTROL(QAction, SaveAs1)
    VELMORA_CONTROL(QAction, PrintPreview1)
    VELMORA_CONTROL(QAction, Print1)
    VELMORA_CONTROL(QAction, ExportPdf1)
    VELMORA_CONTROL(QAction, Undo1)
    VELMORA_CONTROL(QAction, Redo1)
    VELMORA_CONTROL(QAction, Copy1)
    VELMORA_CONTROL(QAction, Paste1)
    VELMORA_CONTROL(QMenu, Configure1)
    VELMORA_CONTROL(QAction, Templates1)
    VELMORA_CONTROL(QAction, Calibrate1)
    VELMORA_CONTROL(QAction, Centimetres1)
    VELMORA_CONTROL(QAction, ShowActualScale1)
    VELMORA_CONTROL(QActionGroup, LanguageItems)
    VELMORA_CONTROL(QMenu, Help1)
    VELMORA_CONTROL(QAction, Index1)
    VELMORA_CONTROL(QAction, HomePage1)
    VELMORA_CONTROL(QAction, About1)
    VELMORA_CONTROL(TAboutBox, AboutBox)
    VELMORA_CONTROL(TNewDocumentForm, NewDocumentForm)
    VELMORA_CONTROL(TEditCoverSizeData, EditCoverSizeData)
    VELMORA_CONTROL(TCalibrationDialog, CalibrationDialog)
    VELMORA_CONTROL(QMenu, AreaPopupMenu)
    VELMORA_CONTROL(QAction, Change1)
    VELMORA_CONTROL(QAction, Clear1)
    VELMORA_CONTROL(QAction, Stretch1)
    VELMORA_CONTROL(QAction, UserDefined1)
    VELMORA_CONTROL(QAction, Center1)
    VELMORA_CONTROL(QAction, ZoomIn1)
    VELMORA_CONTROL(QAction, Background1)
    VELMORA_CONTROL(QAction, PastePicture1)
    VELMORA_CONTROL(QComboBox, BlockFitCombo)
    VELMORA_CONTROL(QSpinBox, BlockColumnsSpin)
    VELMORA_CONTROL(QDoubleSpinBox, BlockSpacingSpin)
#undef VELMORA_CONTROL

    // What prints the window's cover, its offsets in the view's units.
    TCoverRenderer Renderer() const
    {
        const TCoverView &view = *CoverView();
        return TCoverRenderer(*view.Document(), view.PrinterPixelsPerCm());
    }

    // The recent covers' items, first to last.
    QList<QAction *> RecentItems() const
    {
        QList<QAction *> items;
        for (int i = 1;; ++i) {
            auto *item = Window.findChild<QAction *>(QStringLiteral("RecentItem%1").arg(i));
            if (!item)
                return items;
            items << item;
        }
    }
};

// Opens a menu and closes it again, as a look at it does: what it does as it
// opens is done.
inline void ShowMenu(QMenu *menu)
{
    menu->popup(QPoint(0, 0));
    menu->hide();
}

// The middle of a rectangle of the view, where a click lands in it.
inline QPoint Centre(const TRect &r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

inline TWindowControls Ui(QWidget &window)
{
    return TWindowControls{window};
}

// Selects an area as the user does: a click in its middle.
// Chooses a language by the name its menu item shows ("Deutsch").
inline void ChooseLanguage(QWidget &form, const QString &name)
{
    for (QAction *language : Ui(form).LanguageItems()->actions())
        if (language->text().remove(QLatin1Char('&')) == name)
            language->trigger();
}

inline void ClickArea(QWidget &window, int32_t area)
{
    TCoverView *view = Ui(window).CoverView();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, Centre(view->AreaRect()[area]));
}
