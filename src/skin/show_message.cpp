#include "skin/show_message.h"

#include "skin/message_dialog.h"

int ShowSkinnedMessage(QWidget* parent, const CStringList* strings, const CIconList* icons,
                       const SkinnedMessage& message)
{
    if (const SkinnedMessageHook& hook = SkinnedMessageHookInPlace())
        return hook(message);
    CMessageDialog box(parent);
    box.ReadKindSkin(strings, icons, message.kind);
    box.SetNearCursor(false);
    box.SetTexts(message.message, message.button1, message.button2, message.button3);
    box.DoModal();
    return box.Result();
}
