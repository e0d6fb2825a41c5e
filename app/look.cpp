// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

#include <cmath>

namespace {

constexpr double DesignDpi = 96.0;

} // namespace

void Look::apply(QApplication &app)
{
    // The classic desktop style the window was designed in: frames with
    // their caption in the top border, 12-pixel option circles that fit
    // the 13-pixel-high option boxes. The application owns the style.
    app.setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    app.setPalette(QPalette(QColor(0xC0, 0xC0, 0xC0)));
    app.setFont(dialogFont());
}

QFont Look::captionFont(double points)
{
    QFont font;
    // Liberation Serif has Times New Roman's metrics and the Czech letters.
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setPixelSize(int(std::lround(points * DesignDpi / 72.0)));
    font.setBold(true);
    // Whole-pixel advances, as the classic desktop measured text: the
    // wrapping labels then break their lines where the design did
    // ("od elementů zrcadla" fits its 137 pixels).
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont Look::dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(11); // 8 points at 96 dpi
    font.setBold(false);   // set, so that it is not taken from a bold frame
    return font;
}
