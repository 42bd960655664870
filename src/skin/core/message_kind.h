#pragma once
// The looks of a skinned message box; the language pack styles each kind on its own.
enum MessageKind : int
{
    kMessageError = 1,
    kMessageNotice = 2,
    kMessageQuestion = 3,
    kMessageSuccess = 4,
};

// The language-pack string of the message boxes' button caption ("OK"); the search page's first
// string, also used by the frame's boxes and by other pages.
inline constexpr int kTextMessageOk = 50801;
