// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop as the reference of the page's tests, so that they hold no
// second copy of the window or the geometry:
//   desktopreference layout
//       every control of the window: name, box in the window, caption
//   desktopreference design
//       the design table both front ends are built from
//   desktopreference press POSUN KMITOCET RATIO OUT.ppm
//       the core's press painted by the desktop's picture at that device
//       pixel ratio, and where it put the labels (whole pixels)
#include "design.h"
#include "drawingsurface.h"
#include "notice.h"
#include "recordinghost.h"
#include "zrcadlo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>

#include <cmath>
#include <cstdio>

namespace {

const QStringList LabelNames{"labRadius", "labCas", "labZdroj", "labDetektor", "labSoucet"};

QJsonObject layout()
{
    Zrcadlo window;
    QJsonObject controls;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || qobject_cast<QLineEdit *>(w) || qobject_cast<Notice *>(w)
            || w == &window.surface())
            continue;
        const QRect box(w->mapTo(&window, QPoint(0, 0)), w->size());
        QString caption;
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            caption = b->text();
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            caption = g->title();
        else if (auto *l = qobject_cast<QLabel *>(w))
            caption = l->text();
        controls[w->objectName()] = QJsonObject{{"x", box.x()}, {"y", box.y()}, {"width", box.width()},
                                                {"height", box.height()}, {"caption", caption.replace('\n', ' ')},
                                                {"visible", w->isVisibleTo(&window)}};
    }
    return controls;
}

QJsonObject press(const QString &posun, const QString &kmitocet, double ratio, const QString &out)
{
    PictureHost h(ratio);
    h.texts[Setting::Posun] = posun;
    h.texts[Setting::Kmitocet] = kmitocet;
    h.texts[Setting::Spomaleni] = "0";
    h.press();
    h.picture.snapshot().convertToFormat(QImage::Format_RGB888).save(out, "PPM");
    QJsonObject labels;
    for (const RecordingHost::Op &op : h.operations()) {
        if (op.kind != RecordingHost::Kind::Left && op.kind != RecordingHost::Kind::Top)
            continue;
        QJsonObject at = labels[LabelNames[int(op.label)]].toObject();
        at[op.kind == RecordingHost::Kind::Left ? "x" : "y"] = int(std::floor(op.a));
        labels[LabelNames[int(op.label)]] = at;
    }
    return labels;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QJsonObject result;
    if (args.value(1) == "design") {
        std::puts(Design::json().c_str());
        return 0;
    }
    if (args.value(1) == "layout")
        result = layout();
    else if (args.value(1) == "press" && args.size() == 6)
        result = press(args[2], args[3], args[4].toDouble(), args[5]);
    else {
        std::fputs("usage: desktopreference layout | design | press POSUN KMITOCET RATIO OUT.ppm\n", stderr);
        return 2;
    }
    std::fputs(QJsonDocument(result).toJson(QJsonDocument::Compact).constData(), stdout);
    return 0;
}
