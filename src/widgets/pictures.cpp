// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures live in a static library, whose resource registration the linker would drop
// unless something refers to it.
static void InitPictureResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(trek);
        return true;
    }();
    (void)done;
}

namespace trek::pictures {

QString PicturePath(int id)
{
    InitPictureResources();
    switch (id) {
    case ProgramIcon:
        return QStringLiteral(":/trek/pictures/program_icon.svg");
    case WebButton:
        return QStringLiteral(":/trek/pictures/web_button.svg");
    case TrophyMissionA:
        return QStringLiteral(":/trek/pictures/trophy_a.svg");
    case TrophyMissionB:
        return QStringLiteral(":/trek/pictures/trophy_b.svg");
    case ProgramBox:
        return QStringLiteral(":/trek/pictures/program_box.svg");
    case LifetimeWalkAlt:
        return QStringLiteral(":/trek/pictures/lifetime_walk_alt.svg");
    case LifetimeWalk:
        return QStringLiteral(":/trek/pictures/lifetime_walk.svg");
    case HourEarlier:
        return QStringLiteral(":/trek/pictures/arrow_left.svg");
    case HourLater:
        return QStringLiteral(":/trek/pictures/arrow_right.svg");
    case DayBack:
        return QStringLiteral(":/trek/pictures/day_back.svg");
    case DayForward:
        return QStringLiteral(":/trek/pictures/day_forward.svg");
    case DayMoon:
        return QStringLiteral(":/trek/pictures/day_moon.svg");
    case PersonalInfo:
        return QStringLiteral(":/trek/pictures/personal_info.svg");
    case MissionFlagAlt:
        return QStringLiteral(":/trek/pictures/mission_flag_alt.svg");
    case MissionFlag:
        return QStringLiteral(":/trek/pictures/mission_flag.svg");
    case LanguageTraditional:
        return QStringLiteral(":/trek/pictures/language_traditional.svg");
    case LanguageSimplified:
        return QStringLiteral(":/trek/pictures/language_simplified.svg");
    case LanguageEnglish:
        return QStringLiteral(":/trek/pictures/language_english.svg");
    default:
        return {};
    }
}

QSize NaturalSize(int id)
{
    const QString path = PicturePath(id);
    if (path.isEmpty()) {
        return {};
    }
    QSvgRenderer renderer(path);
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap LoadPicture(int id, QSize pixelSize)
{
    const QString path = PicturePath(id);
    if (path.isEmpty()) {
        return {};
    }
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return {};
    }
    const QSize size = pixelSize.isEmpty() ? renderer.defaultSize() : pixelSize;
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon ProgramIconSet()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(LoadPicture(ProgramIcon, QSize(side, side)));
    }
    return icon;
}

} // namespace trek::pictures
