// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include <QCommandLineParser>

#include <algorithm>

namespace {
constexpr QLatin1String Program("zrcadlo");
} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's own options take one dash: -platform, -display.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    const QCommandLineOption platform(QStringLiteral("platform"), {}, QStringLiteral("name"));
    const QCommandLineOption display(QStringLiteral("display"), {}, QStringLiteral("display"));
    parser.addOptions({help, version, platform, display});
    QList<QCommandLineOption> settings;
    for (const char *name : {"posun", "kmitocet", "zpomaleni"})
        settings << QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("value"));
    parser.addOptions(settings);
    const QCommandLineOption exportTo(QStringLiteral("export"), {}, QStringLiteral("file"));
    parser.addOption(exportTo);

    if (!parser.parse(arguments)) {
        m_action = Action::Error;
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString dashes = unknown.first().size() > 1 ? QStringLiteral("--") : QStringLiteral("-");
            m_error = QStringLiteral("neznámá volba „%1%2“").arg(dashes, unknown.first());
        } else {
            // The one other failure: a value-taking option at the very end.
            m_error = QStringLiteral("volba „%1“ potřebuje hodnotu").arg(arguments.last());
        }
        return;
    }
    if (!parser.positionalArguments().isEmpty()) {
        m_action = Action::Error;
        m_error = QStringLiteral("nečekaný argument „%1“").arg(parser.positionalArguments().first());
        return;
    }
    std::vector<std::pair<std::string, std::string>> given;
    for (const QCommandLineOption &setting : settings)
        for (const QString &value : parser.values(setting))
            given.emplace_back(setting.names().first().toStdString(), value.toStdString());
    m_settings = StartSettings::fromPairs(given);
    if (!m_settings.errors.empty()) {
        m_action = Action::Error;
        QStringList errors;
        for (const std::string &error : m_settings.errors)
            errors << QString::fromStdString(error);
        m_error = errors.join(QStringLiteral("\nzrcadlo: "));
        return;
    }
    if (parser.isSet(help))
        m_action = Action::Help;
    else if (parser.isSet(version))
        m_action = Action::Version;
    m_display = parser.value(display);
    m_export = parser.value(exportTo);
    m_platform = parser.value(platform);
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "Použití: zrcadlo [VOLBA]\n"
        "Animace odrazu světla od rovinného zrcadla jako součtu přes dráhy.\n"
        "Program otevře své okno s nastavením z voleb; Start stisknete v něm.\n"
        "\n"
        "Volby:\n"
        "  --posun 0|250         posun zdroje a detektoru (výchozí 0)\n"
        "  --kmitocet 1|2        kmitočet světla (výchozí 1)\n"
        "  --zpomaleni 1..20     zpomalení animace (výchozí 1)\n"
        "                        (i ve tvaru --posun=250; stejná slova jako v odkazu\n"
        "                        na stránku: zrcadlo.html#posun=250&kmitocet=2)\n"
        "  --export SOUBOR       nakreslí celou animaci bez okna a displeje a uloží\n"
        "                        obrázek do SOUBOR.png nebo SOUBOR.svg\n"
        "  -h, --help            vypíše tuto nápovědu a skončí\n"
        "  -v, --version         vypíše verzi programu a skončí\n"
        "  -platform NÁZEV       grafická platforma Qt, např. xcb nebo wayland\n"
        "  -display DISPLEJ      X displej, na kterém se okno otevře\n"
        "\n"
        "V okně: Ctrl+C zkopíruje obrázek, Ctrl+S ho uloží (PNG nebo SVG),\n"
        "Ctrl+P ho vytiskne; F11, F nebo dvojklik na obraz: celá obrazovka.\n"
        "\n"
        "Návratové hodnoty: 0 po stisku „Konec“ nebo zavření okna,\n"
        "1 bez displeje nebo když obrázek nelze uložit, 2 při chybě v příkazové řádce.\n");
}

QString CommandLine::versionText()
{
    return QStringLiteral(
               "%1 %2\n"
               "Copyright © 2026 Velimor\n"
               "Licence GPL-3.0-or-later <https://www.gnu.org/licenses/gpl-3.0.html>.\n"
               "Toto je svobodný software: smíte jej měnit a šířit dál.\n"
               "Není poskytována ŽÁDNÁ ZÁRUKA v rozsahu povoleném zákonem.\n")
        .arg(Program, QStringLiteral(ZRCADLO_VERSION));
}

QString CommandLine::usageHint()
{
    return QStringLiteral("Nápovědu vypíše „zrcadlo --help“.\n");
}

QString CommandLine::noDisplayText(const QString &display, const QString &waylandDisplay)
{
    const QString needs = QStringLiteral("Zrcadlo je grafický program a potřebuje displej X11 nebo Wayland.");
    if (display.isEmpty() && waylandDisplay.isEmpty())
        return QStringLiteral("%1: není nastaven žádný displej (DISPLAY ani WAYLAND_DISPLAY). %2\n").arg(Program, needs);
    QStringList named;
    if (!display.isEmpty())
        named << QStringLiteral("DISPLAY=%1").arg(display);
    if (!waylandDisplay.isEmpty())
        named << QStringLiteral("WAYLAND_DISPLAY=%1").arg(waylandDisplay);
    return QStringLiteral("%1: displej nelze otevřít (%2). %3\n").arg(Program, named.join(QStringLiteral(", ")), needs);
}

QString CommandLine::startFailureText(const QString &qtMessage, const QString &platform, const QString &display,
                                      const QString &waylandDisplay)
{
    // Qt lists what it has: "Available platform plugins are: a, b, c."
    const QString listed = QStringLiteral("Available platform plugins are: ");
    const qsizetype at = qtMessage.indexOf(listed);
    if (!platform.isEmpty() && at >= 0) {
        QStringList available = qtMessage.mid(at + listed.size()).split(QLatin1Char(','));
        for (QString &name : available)
            name = name.trimmed().remove(QLatin1Char('.'));
        // QT_QPA_PLATFORM may name several, tried in turn.
        const QStringList asked = platform.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        if (std::none_of(asked.begin(), asked.end(), [&](const QString &name) { return available.contains(name); }))
            return QStringLiteral("%1: grafická platforma „%2“ není k dispozici; jsou tyto: %3.\n")
                .arg(Program, platform, available.join(QStringLiteral(", ")));
    }
    return noDisplayText(display, waylandDisplay);
}
