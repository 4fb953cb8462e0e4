// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BuiltInTexts.h"

// Why a cover file or a picture does not open, a file cannot be written or
// a cover cannot be printed: the reason comes in the user's language, as do
// the few words the layers below the window put on a cover themselves.
// Files are read on worker threads as well, so the texts are copied out of
// texts (none: English) and shared under a lock; the window sets them
// whenever the language changes.
void SetReasonTexts(const TTextLookup &texts);
// The reason by its number in the language set, else in English.
QString ReasonText(int number);

// The reasons' numbers, listed where their English stands in BuiltInTexts.
enum TReason : int {
    NotAFileReason = 368,
    NotACoverBecauseReason = 369,
    HoldsTooMuchReason = 370,
    NotAsDescribedReason = 371,
    PictureHeadReason = 372,
    PictureReason = 373,
    EmptyPictureReason = 374,
    OutOfMemoryReason = 375,
    NotPictureStartReason = 376,
    FarLargerReason = 377,
    DescriptionUnreadReason = 378,
    NoSettingsReason = 379,
    NotACoverReason = 380,
    VersionUnreadReason = 381,
    NewerVersionReason = 382,
    DescriptionValueReason = 383,
    CopyIncompleteReason = 384,
    FileMissingReason = 385,
    NotZipReason = 386,
    ChecksumReason = 387,
    PasswordReason = 388,
    EntryTwiceReason = 389,
    CutShortReason = 390,
    CompressionReason = 391,
    ReadFailedReason = 392,
    WriteFailedReason = 393,
    DamagedReason = 394,
    HoldsTooMuchEntryReason = 395,
    DiskFullReason = 396,
    NotWrittenWholeReason = 397,
    NotValidReason = 398,
    NotThisKindReason = 399,
    NotAPictureKindReason = 400,
    MetafileTooSlowReason = 401,
    NoTemporaryFileReason = 402,
    NoResolutionReason = 403,
    PictureTooFarReason = 404,
    NoSizeToPrintReason = 405,
    NoPrinterReason = 406,
    NoSizeToExportReason = 407,
    // Not a reason: the title an album's track without one takes.
    UntitledTrackText = 408,
    ForeignKindReason = 409,
    BlockTextTooLongReason = 410,
    NoSuchFileReason = 411,
    FirstReasonText = NotAFileReason,
    LastReasonText = NoSuchFileReason,
};
