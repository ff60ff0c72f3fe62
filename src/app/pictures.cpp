#include "app/pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>

namespace akt {

namespace {

const QColor buttonGrey(236, 236, 236);

QPixmap blankPicture() {
    QPixmap picture(24, 24);
    picture.fill(buttonGrey);
    return picture;
}

void drawSphere(QPainter& painter) {
    QRadialGradient shade(QPointF(7.5, 6.5), 11.0);
    shade.setColorAt(0.0, QColor(200, 225, 255));
    shade.setColorAt(0.45, QColor(40, 110, 215));
    shade.setColorAt(1.0, QColor(10, 40, 120));
    painter.setPen(QPen(QColor(10, 40, 110), 1.0));
    painter.setBrush(shade);
    painter.drawEllipse(QRectF(1.5, 1.5, 18.0, 18.0));
}

void drawGear(QPainter& painter, QPointF centre) {
    QPainterPath teeth;
    const int count = 8;
    for (int i = 0; i < count; ++i) {
        QTransform turn;
        turn.translate(centre.x(), centre.y());
        turn.rotate(360.0 * i / count);
        teeth.addPolygon(turn.map(QPolygonF(QRectF(-1.4, -6.5, 2.8, 3.0))));
    }
    QPainterPath body;
    body.addEllipse(centre, 4.6, 4.6);
    QPainterPath hole;
    hole.addEllipse(centre, 1.8, 1.8);
    const QPainterPath gear = teeth.united(body).subtracted(hole);

    QLinearGradient metal(centre - QPointF(5, 5), centre + QPointF(5, 5));
    metal.setColorAt(0.0, QColor(225, 225, 225));
    metal.setColorAt(1.0, QColor(120, 120, 120));
    painter.setPen(QPen(QColor(70, 70, 70), 0.8));
    painter.setBrush(metal);
    painter.drawPath(gear);
}

void drawLeftArrow(QPainter& painter) {
    const QPolygonF arrow({QPointF(10.5, 17.0), QPointF(16.5, 11.5), QPointF(16.5, 14.5), QPointF(22.5, 14.5),
                           QPointF(22.5, 19.5), QPointF(16.5, 19.5), QPointF(16.5, 22.5)});
    painter.setPen(QPen(QColor(20, 90, 20), 1.0));
    painter.setBrush(QColor(40, 180, 40));
    painter.drawPolygon(arrow);
}

} // namespace

QPixmap startButtonPicture() {
    QPixmap picture = blankPicture();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSphere(painter);
    drawGear(painter, QPointF(17.0, 17.0));
    return picture;
}

QPixmap closeButtonPicture() {
    QPixmap picture = blankPicture();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSphere(painter);
    drawLeftArrow(painter);
    return picture;
}

QCursor databaseBusyCursor() {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        // Glass: two triangles meeting at the waist, sand in the lower half.
        const QPolygonF glass({QPointF(9.5, 1.5), QPointF(22.5, 1.5), QPointF(16.8, 10.5), QPointF(22.5, 19.5),
                               QPointF(9.5, 19.5), QPointF(15.2, 10.5)});
        painter.setPen(QPen(Qt::black, 1.0));
        painter.setBrush(Qt::white);
        painter.drawPolygon(glass);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(200, 160, 60));
        painter.drawPolygon(QPolygonF({QPointF(12.0, 18.5), QPointF(20.0, 18.5), QPointF(16.0, 13.0)}));
        painter.setPen(QPen(Qt::black, 2.0));
        painter.drawLine(QPointF(8.0, 1.0), QPointF(24.0, 1.0));
        painter.drawLine(QPointF(8.0, 20.0), QPointF(24.0, 20.0));

        QFont font(QStringLiteral("Sans Serif"));
        font.setPixelSize(9);
        font.setBold(true);
        painter.setFont(font);
        const QRectF label(0.0, 21.0, 32.0, 11.0);
        // A white outline keeps the letters readable on any background.
        painter.setPen(Qt::white);
        for (const QPointF shift : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
            painter.drawText(label.translated(shift), Qt::AlignCenter, QStringLiteral("SQL"));
        painter.setPen(Qt::black);
        painter.drawText(label, Qt::AlignCenter, QStringLiteral("SQL"));
    }
    return QCursor(picture, 16, 10);
}

} // namespace akt
