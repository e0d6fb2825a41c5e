#include "scene.h"

#include "colors.h"
#include "presshost.h"
#include "textnumber.h"

#include <QString>

Scene Scene::setUp(PressHost &host)
{
    Scene s;
    host.setScaleMode(3);
    host.setDrawWidth(1);

    s.fieldWidth = 800;
    s.fieldHeight = 581;

    // One line per row, bottom first, covering whatever the last press drew.
    for (int r = 1; r <= 520; ++r)
        host.line(DrawFlags::Line, 5, float(s.fieldHeight - r), float(s.fieldWidth - 5),
                  float(s.fieldHeight - r), Colors::LightGrey);

    s.phaseFactor = (3 * (1.57041 / 100)) * textToNumber(host.settingText(Setting::Kmitocet));

    s.leftMargin = 20;
    s.mirrorY = s.fieldHeight / 2.0;
    s.arrowUnit = 10;
    s.elementWidth = 2 * s.arrowUnit + 4;
    s.halfElementWidth = s.elementWidth / 2.0;
    s.elementCount = 30;

    const double mirrorCentre = (s.leftMargin + s.elementWidth) + (s.elementWidth * s.elementCount) / 2.0;
    s.sourceX = (mirrorCentre - 50) - textToNumber(host.settingText(Setting::Posun));
    s.sourceY = s.mirrorY - 50;
    s.detectorX = (mirrorCentre + 50) - textToNumber(host.settingText(Setting::Posun));
    s.detectorY = s.sourceY;

    host.setDrawWidth(2);
    host.setFillColor(Colors::CaptionText);
    host.setFillStyle(0);
    host.circle(DrawFlags::Circle, float(s.sourceX), float(s.sourceY), 5, Colors::DarkGrey, 0, 0, 0);

    host.setFillColor(Colors::ButtonFace);
    host.setFillStyle(0);
    host.circle(DrawFlags::Circle, float(s.detectorX), float(s.detectorY), 5, Colors::DarkGrey, 0, 0, 0);

    host.setDrawWidth(3);
    for (int i = 1; i <= s.elementCount; ++i) {
        const int left = s.leftMargin + i * s.elementWidth;
        host.line(DrawFlags::Line, float(left), float(s.mirrorY), float(s.leftMargin + (i + 1) * s.elementWidth),
                  float(s.mirrorY), Colors::DarkGrey);
        host.circle(DrawFlags::Circle, float(left), float(s.mirrorY), 1, Colors::DarkGrey, 0, 0, 0);
    }

    s.chainStartX = s.detectorX + 140;
    s.chainStartY = s.detectorY - 50;
    host.circle(DrawFlags::Circle, float(s.chainStartX), float(s.chainStartY), 2, Colors::DarkGrey, 0, 0, 0);

    host.setDrawWidth(1);
    return s;
}
