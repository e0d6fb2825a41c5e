#pragma once

#include "picture.h"
#include "recordinghost.h"

// A press painted into a Picture only, with settings and no pauses.
class PictureHost : public RecordingHost
{
public:
    explicit PictureHost(qreal dpr = 1.0) : picture(QSize(800, 581), dpr) {}
    Picture picture;

    void setScaleMode(int mode) override { picture.setScaleMode(mode); }
    void setDrawWidth(int width) override { picture.setDrawWidth(width); }
    void setFillStyle(int style) override { picture.setFillStyle(style); }
    void setFillColor(quint32 color) override { picture.setFillColor(color); }
    void line(qint16 flags, float x1, float y1, float x2, float y2, quint32 color) override
    {
        picture.line(flags, x1, y1, x2, y2, color);
    }
    void circle(qint16 flags, float x, float y, float radius, quint32 color, float, float, float) override
    {
        picture.circle(flags, x, y, radius, color);
    }
    void pause(double) override {}
};
