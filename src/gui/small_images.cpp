// The small images, painted once and shared.
#include <QCoreApplication>
#include <QPainter>
#include <array>

#include "images.h"

namespace tallivan::gui {

namespace {

const QColor kRed(220, 30, 30);
const QColor kDarkGreen(0, 128, 0);
const QColor kBlue(30, 70, 210);
const QColor kCyan(0, 170, 190);
const QColor kGrey(140, 140, 140);
const QColor kOutline(60, 60, 60);

void drawBook(QPainter& p, bool open) {
    p.setPen(kOutline);
    if (open) {
        // Two facing pages.
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{1.5, 3.5}, {8, 5}, {8, 14.5}, {1.5, 13}}));
        p.drawPolygon(QPolygonF({{14.5, 3.5}, {8, 5}, {8, 14.5}, {14.5, 13}}));
        p.setPen(QColor(120, 140, 190));
        for (int y = 7; y <= 11; y += 2) {
            p.drawLine(QPointF(3, y), QPointF(6.5, y + 0.7));
            p.drawLine(QPointF(9.5, y + 0.7), QPointF(13, y));
        }
        return;
    }
    p.setBrush(QColor(50, 90, 170));
    p.drawRect(QRectF(3.5, 1.5, 10, 13));
    p.setBrush(QColor(250, 248, 235));
    p.drawRect(QRectF(5.5, 4.5, 6, 3));
}

void drawDisc(QPainter& p, const QColor& colour) {
    QRadialGradient shade(QPointF(6, 6), 8);
    shade.setColorAt(0, colour.lighter(170));
    shade.setColorAt(1, colour);
    p.setPen(colour.darker(150));
    p.setBrush(shade);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
}

void drawTrade(QPainter& p, int type) {
    static const QColor colours[] = {kRed, kDarkGreen, kBlue, kCyan, kRed, kGrey, kGrey, kGrey};
    const QColor colour = colours[type];
    p.setPen(colour.darker(140));
    p.setBrush(colour);
    switch (type) {
        case 0:  // 卖出
            p.drawPolygon(QPolygonF({{2, 4}, {14, 4}, {8, 13}}));
            break;
        case 1:  // 买入
            p.drawPolygon(QPolygonF({{2, 12}, {14, 12}, {8, 3}}));
            break;
        case 2:  // 配股
            p.drawRect(QRectF(3.5, 3.5, 9, 9));
            break;
        case 3:  // 送股
            p.drawPolygon(QPolygonF({{8, 2}, {14, 8}, {8, 14}, {2, 8}}));
            break;
        case 4:  // 红利: a coin
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(colour, 2.5));
            p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
            break;
        default:  // 申购, 中签 and 不中: a ticket
            p.drawRoundedRect(QRectF(2.5, 4.5, 11, 8), 2, 2);
            p.setPen(QPen(kRed, 2));
            if (type == 6)
                p.drawPolyline(QPolygonF({{4.5, 8.5}, {7, 11}, {12, 5}}));
            else if (type == 7)
                p.drawLines(QList<QLineF>{{5, 6, 11, 11}, {11, 6, 5, 11}});
            break;
    }
}

// A box with an arrow: into the box for a deposit, out of it for a withdrawal, both ways for
// an adjustment.
void drawFund(QPainter& p, int type) {
    static const QColor boxes[] = {kDarkGreen, kRed, kRed};
    static const QColor arrows[] = {kRed, kDarkGreen, kBlue};
    p.setPen(boxes[type].darker(140));
    p.setBrush(boxes[type]);
    p.drawRect(QRectF(1.5, 8.5, 13, 6));
    p.setPen(QPen(arrows[type], 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (type == 0) {
        p.drawLine(QPointF(8, 1), QPointF(8, 9));
        p.drawPolyline(QPolygonF({{5, 6}, {8, 9}, {11, 6}}));
    } else if (type == 1) {
        p.drawLine(QPointF(8, 9), QPointF(8, 1));
        p.drawPolyline(QPolygonF({{5, 4}, {8, 1}, {11, 4}}));
    } else {
        p.drawLine(QPointF(5, 1.5), QPointF(5, 6.5));
        p.drawLine(QPointF(11, 1.5), QPointF(11, 6.5));
        p.drawPolyline(QPolygonF({{3.5, 3}, {5, 1.5}, {6.5, 3}}));
        p.drawPolyline(QPolygonF({{9.5, 5}, {11, 6.5}, {12.5, 5}}));
    }
}

void drawBarChart(QPainter& p) {
    p.setPen(kOutline);
    p.drawLine(1, 14, 15, 14);
    const struct {
        qreal x, top;
        QColor colour;
    } bars[] = {{2.5, 8.5, kBlue}, {6.5, 3.5, kRed}, {10.5, 6.5, kDarkGreen}};
    for (const auto& bar : bars) {
        p.setBrush(bar.colour);
        p.drawRect(QRectF(bar.x, bar.top, 3, 14 - bar.top));
    }
}

void drawLock(QPainter& p) {
    p.setPen(QPen(kGrey.darker(130), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4.5, 1.5, 7, 9), 3.5, 3.5);
    p.setPen(kOutline);
    p.setBrush(QColor(220, 170, 40));
    p.drawRect(QRectF(2.5, 7.5, 11, 7));
    p.setBrush(kOutline);
    p.drawEllipse(QRectF(7, 9.5, 2, 2));
    p.drawRect(QRectF(7.5, 10.5, 1, 2.5));
}

QIcon paintSmallImage(int index) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (index <= 1)
        drawBook(p, index == 1);
    else if (index <= 4)
        drawDisc(p, index == 2 ? kDarkGreen : index == 3 ? QColor(235, 200, 0) : kRed);
    else if (index <= 12)
        drawTrade(p, index - 5);
    else if (index <= 15)
        drawFund(p, index - 13);
    else if (index == 16)
        drawBarChart(p);
    else
        drawLock(p);
    p.end();
    return QIcon(pixmap);
}

}  // namespace

QIcon smallImage(int index) {
    if (index < 0 || index >= kSmallImageCount)
        return QIcon();
    // Painted once per application; pixmaps must go before the application object does.
    static std::array<QIcon, kSmallImageCount>* images = nullptr;
    if (!images) {
        images = new std::array<QIcon, kSmallImageCount>;
        for (int i = 0; i < kSmallImageCount; ++i)
            (*images)[static_cast<std::size_t>(i)] = paintSmallImage(i);
        qAddPostRoutine([] {
            delete images;
            images = nullptr;
        });
    }
    return (*images)[static_cast<std::size_t>(index)];
}

}  // namespace tallivan::gui
