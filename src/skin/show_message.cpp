#include "skin/show_message.h"

#include "skin/skinned_message_box.h"

int ShowSkinnedMessage(QWidget* parent, const SkinStrings* strings, const SkinIcons* icons,
                       const SkinnedMessage& message)
{
    if (const SkinnedMessageHook& hook = SkinnedMessageHookInPlace())
        return hook(message);
    SkinnedMessageBox box(parent);
    box.ReadKindSkin(strings, icons, message.kind);
    box.SetNearCursor(false);
    box.SetTexts(message.message, message.button1, message.button2, message.button3);
    box.RunModal();
    return box.Result();
}
