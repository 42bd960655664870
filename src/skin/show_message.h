#pragma once
// ShowSkinnedMessage: the skinned message box for any window, paged or not. A hook set with
// SetSkinnedMessageHook answers in its place; otherwise the box opens over `parent` in the
// look of `message.kind` and runs modally.
#include "skin/message_answer.h"
#include "skin/pack_lists.h"

class QWidget;

// Returns the pressed button's number (1 to 3), or 0 when the box was closed with Escape.
int ShowSkinnedMessage(QWidget* parent, const SkinStrings* strings, const SkinIcons* icons,
                       const SkinnedMessage& message);
