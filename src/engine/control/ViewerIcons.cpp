#include "engine/control/ViewerIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace velmora {

namespace {

QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

const QColor ink(50, 50, 60);

} // namespace

QIcon ViewerIcons::print()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(ink, 2));
        p.setBrush(Qt::white);
        p.drawRect(9, 3, 14, 10);
        p.setBrush(QColor(170, 175, 185));
        p.drawRoundedRect(3, 12, 26, 12, 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(9, 20, 14, 9);
        p.drawLine(12, 24, 20, 24);
    });
}

QIcon ViewerIcons::exportReport()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(ink, 2));
        p.setBrush(Qt::white);
        p.drawRect(4, 3, 16, 24);
        p.setPen(QPen(QColor(30, 120, 40), 3));
        p.drawLine(13, 16, 28, 16);
        p.drawLine(23, 11, 28, 16);
        p.drawLine(23, 21, 28, 16);
    });
}

QIcon ViewerIcons::find()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(ink, 3));
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(4, 4, 16, 16);
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(19, 19, 27, 27);
    });
}

QIcon ViewerIcons::closeView()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(170, 30, 30), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(8, 8, 24, 24);
        p.drawLine(24, 8, 8, 24);
    });
}

QIcon ViewerIcons::groupTree()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(ink, 2));
        p.drawLine(8, 8, 8, 25);
        p.drawLine(8, 16, 15, 16);
        p.drawLine(8, 25, 15, 25);
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(4, 4, 9, 7);
        p.drawRect(15, 13, 11, 7);
        p.drawRect(15, 22, 11, 7);
    });
}

} // namespace velmora
