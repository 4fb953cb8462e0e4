// SPDX-License-Identifier: GPL-3.0-or-later
// An album made into a cover: its picture on the front, its track list on
// the back, its name along the spines; one step.
#include "CoverController.h"

#include "VelmoraError.h"

#include <cmath>

namespace {

constexpr int ImportAlbumStep = 330;
constexpr int PictureNotPlacedText = 331;

// What each area of a cover is for.
struct TRoles
{
    int32_t Front = -1;
    int32_t Back = -1;
    QList<int32_t> Spines;
};

TRoles RolesOf(const TCoverDocument &d)
{
    TRoles roles;
    if (d.Mode() == CoverMode::Single) {
        roles.Front = 1;
        return roles;
    }
    // A spine is an area the layout turns its text in: narrower than half
    // its height.
    QList<int32_t> wide;
    for (int32_t a = 1; a <= 3; ++a) {
        const QSizeF mm = d.AreaSizeMm(a);
        if (!(mm.width() > 0))
            continue;
        (2 * mm.width() < mm.height() ? roles.Spines : wide) << a;
    }
    if (wide.size() >= 2) {
        // A case wrap: the back at the left, the front at the right.
        roles.Back = wide.first();
        roles.Front = wide.last();
    } else if (wide.size() == 1) {
        // Between two spines it is a tray inlay's back; at one end, a
        // J-card's front.
        const bool between = wide[0] == 2 && roles.Spines.size() == 2;
        (between ? roles.Back : roles.Front) = wide[0];
    }
    return roles;
}

} // namespace

TOutcome TCoverController::ImportAlbum(const TAlbum &album, const CoverSize &size, CoverMode mode)
{
    QStringList problems = album.Problems;
    const TTextLookup texts = [this](int number) { return Text(number); };
    TOutcome outcome = Step(ImportAlbumStep, -1, [&] {
        m_document->Reset();
        m_document->SetMode(mode);
        m_document->SetCoverSize(size);
        m_selectedArea = -1;
        const TRoles roles = RolesOf(*m_document);
        if (roles.Front != -1 && !album.Picture.isEmpty()) {
            const TOutcome placed = PlacePictureBytes(roles.Front, album.Picture, album.PictureKind);
            if (!placed.Ok())
                problems << Text(PictureNotPlacedText).arg(placed.Error);
        }
        if (mode == CoverMode::Single)
            m_document->SetText(1, album.Title);
        for (int32_t spine : roles.Spines) {
            m_document->SetText(spine, AlbumLine(album));
            m_document->GetFont(spine).SetSize(10);
        }
        if (roles.Back != -1 && !album.Tracks.isEmpty()) {
            const QSizeF room = m_document->AreaSizeMm(roles.Back);
            TTextBlock list;
            list.X = std::round(room.width() * 0.5) / 10;
            list.Y = std::round(room.height() * 0.5) / 10;
            list.Width = std::max(TTextBlock::MinSideMm, std::round(room.width() * 9) / 10);
            list.Height = std::max(TTextBlock::MinSideMm, std::round(room.height() * 9) / 10);
            list.FontName = QStringLiteral("Arial");
            list.FontSize = 12;
            list.LineSpacing = 1.15;
            list.Fit = TBlockFit::Columns;
            const int n = int(album.Tracks.size());
            list.Columns = n <= 14 ? 1 : n <= 30 ? 2 : 3;
            list.Text = TrackListText(album, texts);
            // Too many to read even at the smallest size: the first tracks
            // that fit, and how many more there are.
            if (!LayOutTextBlock(list).Fits) {
                int low = 0, high = n;
                while (low < high) {
                    const int mid = (low + high + 1) / 2;
                    TTextBlock trial = list;
                    trial.Text = TrackListText(album, texts, mid);
                    if (LayOutTextBlock(trial).Fits)
                        low = mid;
                    else
                        high = mid - 1;
                }
                list.Text = TrackListText(album, texts, low);
            }
            if (list.Text.toUtf8().size() > TTextBlock::MaxTextBytes)
                list.Text = TrackListText(album, texts, 0);
            m_document->SetBlocks(roles.Back, {list});
        }
    });
    m_fileName.clear();
    Q_EMIT CoverReplaced();
    Q_EMIT TitleChanged();
    if (outcome.Ok() && !problems.isEmpty())
        outcome.Notice = problems.join(QLatin1Char('\n'));
    return outcome;
}
