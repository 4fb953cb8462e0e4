// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"

#include <QDialog>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

// The About box: the banner, the product name, the version, the maker and a
// link to the home page.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    // homePage: the address the link shows, set once; a change of language
    // leaves it.
    TAboutBox(const QString &homePage, QWidget *parent = nullptr);

    // mainCaption: the main window's caption, which is the product's name.
    void ApplyTexts(const TTextLookup &texts, const QString &mainCaption);

    // The main window's Home Page command.
    std::function<void()> OnHomePage;

    QLabel *Image1 = nullptr;
    QFrame *Panel1 = nullptr;
    QLabel *ProductName = nullptr;
    QFrame *Bevel1 = nullptr;
    QLabel *Version = nullptr;
    QLabel *Maker = nullptr;
    QLabel *Label1 = nullptr; // the home page
    QPushButton *OKButton = nullptr;

    static const char MakerName[];

    void Label1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
