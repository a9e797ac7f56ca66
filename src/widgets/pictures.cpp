// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/pictures.h"

#include "app/lang/languages.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>
#include <unordered_map>
#include <utility>

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
    default:
        break;
    }
    if (id >= FirstLanguageBadge && id - FirstLanguageBadge < LanguageCount) {
        return QStringLiteral(":/trek/pictures/language_%1.svg")
            .arg(LanguageAt(id - FirstLanguageBadge).code);
    }
    return {};
}

namespace {

// Each picture is parsed once per run: the layout asks for natural sizes again and again, and
// the same picture is drawn at several sizes.
QSvgRenderer* Renderer(int id)
{
    static std::unordered_map<int, std::unique_ptr<QSvgRenderer>> parsed;
    if (const auto found = parsed.find(id); found != parsed.end()) {
        return found->second.get();
    }
    const QString path = PicturePath(id);
    std::unique_ptr<QSvgRenderer> renderer;
    if (!path.isEmpty()) {
        renderer = std::make_unique<QSvgRenderer>(path);
        if (!renderer->isValid()) {
            renderer.reset();
        }
    }
    return parsed.emplace(id, std::move(renderer)).first->second.get();
}

QPixmap Render(QSvgRenderer& renderer, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

// Draws a picture at whatever size is asked for, when it is asked for: a window manager that
// wants no icon, or one size of it, costs nothing or one drawing.
class PictureIconEngine final : public QIconEngine
{
public:
    PictureIconEngine(int id, QList<QSize> sizes) : m_id(id), m_sizes(std::move(sizes)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode /*mode*/,
               QIcon::State /*state*/) override
    {
        if (QSvgRenderer* renderer = Renderer(m_id)) {
            renderer->render(painter, QRectF(rect));
        }
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override
    {
        return LoadPicture(m_id, size);
    }

    QIconEngine* clone() const override { return new PictureIconEngine(m_id, m_sizes); }

    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override
    {
        return m_sizes;
    }

private:
    int m_id;
    QList<QSize> m_sizes;
};

} // namespace

QSize NaturalSize(int id)
{
    const QSvgRenderer* renderer = Renderer(id);
    return renderer != nullptr ? renderer->defaultSize() : QSize();
}

QPixmap LoadPicture(int id, QSize pixelSize)
{
    QSvgRenderer* renderer = Renderer(id);
    if (renderer == nullptr) {
        return {};
    }
    return Render(*renderer, pixelSize.isEmpty() ? renderer->defaultSize() : pixelSize);
}

QIcon ProgramIconSet()
{
    QList<QSize> sizes;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        sizes.append(QSize(side, side));
    }
    return QIcon(new PictureIconEngine(ProgramIcon, sizes));
}

} // namespace trek::pictures
