#pragma once
// The looks of a skinned message box; the language pack styles each kind on its own.
enum MessageKind : int
{
    kMessageError = 1,
    kMessageNotice = 2,
    kMessageQuestion = 3,
    kMessageSuccess = 4,
};
