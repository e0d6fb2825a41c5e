#pragma once

#include <QtGlobal>

class QString;

// The five labels that the end of a press places and shows.
enum class ResultLabel { Radius, Cas, Zdroj, Detektor, Soucet };

// Flag words of Line and Circle.
namespace DrawFlags {
inline constexpr qint16 ColourGiven = 2;
inline constexpr qint16 Line = 6;              // both points absolute, colour given
inline constexpr qint16 Circle = ColourGiven;  // absolute centre, colour given
} // namespace DrawFlags

// The three settings texts that a press reads.
enum class Setting { Posun, Kmitocet, Spomaleni };

// Everything a Start press needs from the window, and nothing more: the
// drawing operations and state, the result labels, the settings texts and
// the pause. A test implements it to record a whole press without a window.
class PressHost
{
public:
    virtual ~PressHost() = default;

    virtual void setScaleMode(int mode) = 0;
    virtual void setDrawWidth(int width) = 0;
    virtual void setFillStyle(int style) = 0;
    virtual void setFillColor(quint32 color) = 0;
    virtual void line(qint16 flags, float x1, float y1, float x2, float y2, quint32 color) = 0;
    virtual void circle(qint16 flags, float x, float y, float radius, quint32 color,
                        float start, float end, float aspect) = 0;

    virtual void setLabelLeft(ResultLabel label, float left) = 0;
    virtual void setLabelTop(ResultLabel label, float top) = 0;
    virtual void setLabelVisible(ResultLabel label, bool visible) = 0;

    virtual QString settingText(Setting setting) const = 0;

    // Pause after an element, given as countdown steps (slowdown x 300000).
    virtual void pause(double steps) = 0;
};
