#include "images.h"

#include <QPainter>
#include <QPixmap>

namespace tallivan::gui {

QIcon toolBarImage(int index) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
        case 0:  // buy: a red arrow up
            p.setBrush(QColor(200, 30, 30));
            p.setPen(Qt::NoPen);
            p.drawPolygon(QPolygon({{8, 1}, {15, 9}, {11, 9}, {11, 15}, {5, 15}, {5, 9}, {1, 9}}));
            break;
        case 1:  // sell: a green arrow down
            p.setBrush(QColor(20, 140, 40));
            p.setPen(Qt::NoPen);
            p.drawPolygon(QPolygon({{8, 15}, {15, 7}, {11, 7}, {11, 1}, {5, 1}, {5, 7}, {1, 7}}));
            break;
        case 2:  // edit stock: a sheet with a pencil
        case 3:  // edit transaction: a list with a pencil
            p.setPen(QColor(60, 60, 60));
            p.setBrush(Qt::white);
            p.drawRect(1, 1, 10, 13);
            for (int y = 4; y <= 11; y += 3)
                p.drawLine(3, y, index == 2 ? 9 : 7, y);
            p.setPen(QPen(QColor(200, 140, 0), 2));
            p.drawLine(8, 14, 15, 7);
            break;
        case 4:  // update prices: a chart line
            p.setPen(QPen(QColor(30, 60, 200), 2));
            p.drawPolyline(QPolygon({{1, 13}, {5, 8}, {9, 10}, {15, 3}}));
            break;
        default:  // about: an "i" in a disc
            p.setBrush(QColor(30, 90, 200));
            p.setPen(Qt::NoPen);
            p.drawEllipse(1, 1, 14, 14);
            p.setPen(QPen(Qt::white, 2));
            p.drawPoint(8, 4);
            p.drawLine(8, 7, 8, 12);
            break;
    }
    return QIcon(pixmap);
}

QPixmap programPicture(int size) {
    // A ledger page with a rising red line: the books and the market in one.
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(250, 248, 235));
    p.drawRoundedRect(QRectF(4.5, 2.5, 23, 27), 2, 2);
    p.setPen(QPen(QColor(170, 180, 200), 1));
    for (int y = 9; y <= 25; y += 4)
        p.drawLine(QPointF(8, y), QPointF(24, y));
    p.setPen(QPen(QColor(200, 30, 30), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{8, 24}, {13, 17}, {17, 20}, {24, 8}}));
    return pixmap;
}

}  // namespace tallivan::gui
