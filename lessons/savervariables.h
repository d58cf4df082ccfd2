#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

inline constexpr int LessonSlots = 201;
using LessonColumn = std::array<QString, LessonSlots>;

// The entries of the lesson in memory. Slots at and beyond WordCount keep whatever an
// earlier lesson left in them.
struct LessonEntries {
    qint16 WordCount = 0;
    LessonColumn EnglishWords;
    LessonColumn CzechWords;
    LessonColumn EntryLine3;
    LessonColumn EntryLine6Tail;
    // Kept for the pronunciation and example that the saver shows on request.
    LessonColumn EntryLine2;
    LessonColumn EntryLine6Head;
};

inline constexpr qint16 VbTrue = -1;
inline constexpr qint16 VbFalse = 0;

// The state of a running saver. It outlives the window that shows it: the window is
// destroyed when the settings dialog takes over and made anew when the dialog closes.
struct SaverVariables {
    LessonEntries lesson;
    qint16 ShadowOffset = 0;
    qint16 WordTick = 0;
    qint16 FirstDelay = 0;
    qint16 CzechFirst = VbFalse;
    qint16 SecondDelay = 0;
    qint16 PlacementMode = 0;
    qint16 BannerTick = 0;
    quint8 MouseMoveCount = 0;
    // The pronunciation and example shown with the words.
    bool ShowDetails = false;
};
