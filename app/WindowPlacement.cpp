// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include <algorithm>

namespace {

// The screen with the largest share of the bounds, else the primary one.
QRect LandingScreen(const QRect &bounds, const QList<QRect> &screens)
{
    QRect best = screens.first();
    qint64 bestArea = 0;
    for (const QRect &s : screens) {
        const QRect common = s.intersected(bounds);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = s;
            bestArea = area;
        }
    }
    return best;
}

} // namespace

QRect TWindowPlacement::Place(int x, int y, int width, int height,
                              const QList<QRect> &screens) const
{
    // Numbers far beyond any screen would overflow a rectangle's own sums;
    // the clamp keeps them meaningful until they are replaced.
    const auto clamp = [](int v) { return std::clamp(v, -(1 << 24), 1 << 24); };
    QRect bounds(clamp(x), clamp(y), clamp(width), clamp(height));
    if (screens.isEmpty())
        return bounds;
    const QRect screen = LandingScreen(QRect(bounds.topLeft(), Minimum), screens);
    if (bounds.width() > screen.width() || bounds.height() > screen.height() ||
        bounds.width() < Minimum.width() || bounds.height() < Minimum.height())
        bounds.setSize(Start.boundedTo(screen.size()));

    const QRect title(bounds.x(), bounds.y(), bounds.width(), TitleBar);
    const bool reachable = std::any_of(screens.begin(), screens.end(), [&](const QRect &s) {
        // The whole height of the title bar, and enough of its width to
        // take hold of.
        const QRect common = s.intersected(title);
        return common.height() == TitleBar &&
               common.width() >= std::min(bounds.width(), Minimum.width() / 2);
    });
    if (!reachable) {
        const QRect target = LandingScreen(bounds, screens);
        bounds.moveLeft(std::clamp(bounds.x(), target.left(),
                                   std::max(target.left(), target.right() + 1 - bounds.width())));
        bounds.moveTop(std::clamp(bounds.y(), target.top(),
                                  std::max(target.top(), target.bottom() + 1 - bounds.height())));
    }
    return bounds;
}
