#include "positions/frmSyogoKekka.h"

#include "tables/DevSetting.h"
#include "core/FormText.h"
#include "core/Messages.h"
#include "tables/SyogoKekka.h"
#include "platform/Screen.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kTwipsPerPixel = 15;
constexpr int kGridWidthTwips = 9360;
const QColor kFlagged(0xFF, 0x80, 0x80); // 0x8080FF as red, green, blue

QString heading0(int c)
{
    if (c >= 1 && c <= 16)
        return LoadResText(220 + (c - 1) / 4);
    if (c >= 17)
        return LoadResText(224);
    return QString();
}

QString heading1(int c)
{
    if (c == 0)
        return LoadResText(248);
    if (c <= 16)
        return LoadResText(225 + (c - 1) % 4);
    return LoadResText(231 + c - 17);
}
} // namespace

frmSyogoKekka::frmSyogoKekka(QWidget *parent)
    : QDialog(parent)
{
    setModal(true);
    lblSyogoKekka = new QLabel(this);
    lblSyogoKekka->setWordWrap(true);
    flgdSyogoKekka = new QTableWidget(this);
    flgdSyogoKekka->horizontalHeader()->hide();
    flgdSyogoKekka->verticalHeader()->hide();
    flgdSyogoKekka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cmdCloseSyogokekka = new QPushButton(this);
    core::formtext::tag(cmdCloseSyogokekka, 2202);
    connect(cmdCloseSyogokekka, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblSyogoKekka);
    layout->addWidget(flgdSyogoKekka, 1);
    layout->addWidget(cmdCloseSyogokekka, 0, Qt::AlignRight);
    resize(9600 / kTwipsPerPixel, 4800 / kTwipsPerPixel);

    Form_Load();
}

void frmSyogoKekka::Form_Load()
{
    platform::placeBesideOwner(this, parentWidget());
    Set_FormStr(this);
    if (gResultIsVerify) {
        setWindowTitle(LoadResText(2301));
        lblSyogoKekka->setText(LoadResText(2303));
    } else {
        setWindowTitle(LoadResText(2302));
        lblSyogoKekka->setText(LoadResText(2304));
    }
    flgdSyogoKekka->setAccessibleName(windowTitle());
    fillGrid();
}

void frmSyogoKekka::fillGrid()
{
    QTableWidget *g = flgdSyogoKekka;
    g->setVisible(false);
    const QList<tables::ResultLine> lines = tables::resultLines();
    g->setColumnCount(20);
    g->setRowCount(int(lines.size()) + 2);
    g->setRowHeight(0, 300 / kTwipsPerPixel);
    for (int r = 1; r < g->rowCount(); ++r)
        g->setRowHeight(r, 250 / kTwipsPerPixel);

    for (int c = 0; c < 20; ++c) {
        g->setItem(0, c, new QTableWidgetItem(heading0(c)));
        g->setItem(1, c, new QTableWidgetItem(heading1(c)));
    }
    // One heading over each axis' four columns and one over the common ones.
    for (int start : {1, 5, 9, 13})
        g->setSpan(0, start, 1, 4);
    g->setSpan(0, 17, 1, 3);

    for (int i = 0; i < lines.size(); ++i) {
        const int r = i + 2;
        g->setItem(r, 0, new QTableWidgetItem(QString::number(lines[i].position)));
        for (int c = 1; c < 20; ++c) {
            const bool flagged = lines[i].cell[c - 1];
            auto *item = new QTableWidgetItem(flagged ? QStringLiteral("X") : QStringLiteral("O"));
            if (flagged)
                item->setBackground(kFlagged);
            g->setItem(r, c, item);
        }
    }
    for (int r = 0; r < g->rowCount(); ++r)
        for (int c = 0; c < 20; ++c)
            if (QTableWidgetItem *item = g->item(r, c))
                item->setTextAlignment(Qt::AlignCenter);

    const QList<int> widths = tables::resultColumnWidths(
        kGridWidthTwips, gAxisUnused);
    // The columns stay equal, but never narrower than their headings need; the window grows
    // to show them all.
    const int each = qMax(widths[0] / kTwipsPerPixel, headingWidth());
    int total = 0;
    for (int c = 0; c < 20; ++c) {
        g->setColumnWidth(c, widths[c] == 0 ? 0 : each);
        g->setColumnHidden(c, widths[c] == 0);
        if (widths[c] != 0)
            total += each;
    }
    g->setMinimumWidth(total + 2 * g->frameWidth() + g->verticalScrollBar()->sizeHint().width());
    g->setVisible(true);
}

int frmSyogoKekka::headingWidth() const
{
    QTableWidget *g = flgdSyogoKekka;
    const QFontMetrics metrics(g->font());
    // A cell's text keeps this margin on each side before the view elides it.
    const int margin = g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1;
    int needed = 0;
    for (int c = 0; c < 20; ++c) {
        needed = qMax(needed, metrics.horizontalAdvance(heading1(c)) + 2 * margin + 1);
        // Row 0's headings span four columns (an axis) or three (the common ones).
        const int span = c >= 17 ? 3 : 4;
        needed = qMax(needed, (metrics.horizontalAdvance(heading0(c)) + 2 * margin + span - 1) / span + 1);
    }
    return needed;
}
