// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictureexport.h"

#include "colors.h"
#include "design.h"
#include "picture.h"
#include "recording.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

PictureExport::PictureExport(const QWidget &window, const QWidget &picture, const Recording &recording)
    : m_window(window), m_picture(picture), m_recording(recording)
{
}

void PictureExport::paint(QPainter &painter, bool controls) const
{
    painter.fillRect(QRectF(QPointF(), QSizeF(Picture::FieldSize)), Picture::colour(Colors::LightGrey));
    Picture vectors(painter);
    m_recording.replay(vectors);
    widgets(painter, controls);
}

void PictureExport::widgets(QPainter &painter, bool controls) const
{
    // Each at its design place, drawn from the size the layout gave it down
    // to the design's: the result labels a press shows, on paper every
    // control too.
    const qreal sx = qreal(m_picture.width()) / Picture::FieldSize.width();
    const qreal sy = qreal(m_picture.height()) / Picture::FieldSize.height();
    for (const Design::Control &c : Design::Controls) {
        auto *w = m_window.findChild<QWidget *>(QString::fromUtf8(c.name.data(), qsizetype(c.name.size())));
        const bool result = c.kind == Design::Kind::Label && !c.visible;
        if (!w || w == &m_picture || c.parent != Design::Window || !w->isVisibleTo(&m_window) || !(controls || result))
            continue;
        painter.save();
        painter.translate((w->x() - m_picture.x()) / sx, (w->y() - m_picture.y()) / sy);
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            // A label is its text on the window's grey: text, in a vector file.
            const QRect box(QPoint(), label->size() / sx);
            painter.fillRect(box, label->palette().window());
            painter.setFont(label->font());
            painter.setPen(label->palette().color(QPalette::WindowText));
            painter.drawText(box, int(label->alignment()), label->text());
        } else {
            painter.scale(1 / sx, 1 / sy);
            w->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren | QWidget::DrawWindowBackground);
        }
        painter.restore();
    }
}

QImage PictureExport::image(qreal scale) const
{
    // The picture as the screen draws it, sharp at this size; labels over it.
    QImage image;
    {
        Picture raster(Picture::FieldSize, scale);
        m_recording.replay(raster);
        image = raster.snapshot();
    }
    QPainter p(&image);
    widgets(p, false);
    return image;
}

QString PictureExport::save(const QString &path, qreal scale) const
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg"))
        return QStringLiteral("název souboru musí končit .png nebo .svg");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("do „%1“ nelze zapisovat (%2)").arg(path, file.errorString());
    if (suffix == QLatin1String("png")) {
        if (!image(scale).save(&file, "PNG"))
            return QStringLiteral("obrázek se nepodařilo zapsat do „%1“").arg(path);
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(Picture::FieldSize);
        svg.setResolution(96); // a design pixel is a CSS pixel
        svg.setViewBox(QRect(QPoint(), Picture::FieldSize));
        svg.setTitle(QStringLiteral("Zrcadlo"));
        QPainter p(&svg);
        paint(p, false);
    }
    if (!file.commit())
        return QStringLiteral("do „%1“ nelze zapisovat (%2)").arg(path, file.errorString());
    return {};
}

void PictureExport::print(QPrinter &printer) const
{
    QPainter p(&printer);
    // The window whole on the page, its proportions kept, centred.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale = std::min(page.width() / Picture::FieldSize.width(), page.height() / Picture::FieldSize.height());
    p.translate((page.width() - Picture::FieldSize.width() * scale) / 2,
                (page.height() - Picture::FieldSize.height() * scale) / 2);
    p.scale(scale, scale);
    paint(p, true);
}
