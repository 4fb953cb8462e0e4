// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutBox.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

const char TAboutBox::MakerName[] = "The Velmora Project";

namespace {

QLabel *Label(QWidget *parent, int x, int y, bool bold)
{
    auto *l = new QLabel(parent);
    l->move(x, y);
    QFont f = l->font();
    f.setBold(bold);
    l->setFont(f);
    return l;
}

} // namespace

TAboutBox::TAboutBox(const QString &homePage, QWidget *parent) : QDialog(parent)
{
    setFixedSize(567, 433);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 567, 283);
    Image1->setPixmap(QPixmap(QStringLiteral(":/velmora/AboutBanner.jpg")));

    Panel1 = new QFrame(this);
    Panel1->setGeometry(0, 284, 568, 149);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setLineWidth(2);

    ProductName = Label(Panel1, 10, 10, true);
    QFont product(QStringLiteral("Arial"));
    product.setPixelSize(29);
    product.setBold(true);
    ProductName->setFont(product);
    QPalette purple = ProductName->palette();
    purple.setColor(QPalette::WindowText, QColor(106, 0, 106));
    ProductName->setPalette(purple);

    Bevel1 = new QFrame(Panel1);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(10, 50, 265, 2);

    Version = Label(Panel1, 10, 66, true);
    Maker = Label(Panel1, 10, 86, true);
    Label1 = Label(Panel1, 10, 106, true);
    QFont link = Label1->font();
    link.setUnderline(true);
    Label1->setFont(link);
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(blue);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);

    OKButton = new QPushButton(Panel1);
    OKButton->setGeometry(484, 116, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    // The texts come from the owner's ApplyTexts; the address is set once.
    Label1->setText(homePage);
    Label1->adjustSize();
}

void TAboutBox::ApplyTexts(const TTextLookup &texts, const QString &mainCaption)
{
    // "%1" where the language puts the name (a language file of an older
    // version has none: the name follows).
    const QString about = texts(123);
    setWindowTitle(about.contains(QLatin1String("%1")) ? about.arg(mainCaption)
                                                       : about + QLatin1Char(' ') + mainCaption);
    ProductName->setText(mainCaption);
    Version->setText(texts(120) + QStringLiteral(" 2.0"));
    Maker->setText(texts(121) + QLatin1Char(' ') + QString::fromUtf8(MakerName));
    OKButton->setText(texts(77));
    for (QLabel *l : {ProductName, Version, Maker})
        l->adjustSize();
}

void TAboutBox::Label1Click()
{
    if (OnHomePage)
        OnHomePage();
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        Label1Click();
    return QDialog::eventFilter(watched, event);
}
