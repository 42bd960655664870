#include "platform/events/message_box_hook.h"

#include <cstdio>
#include <utility>

namespace {

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

} // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

std::optional<int> HookedMessageBox(const MessageBoxRequest& request)
{
    if (!Hook())
        return std::nullopt;
    return Hook()(request);
}

int WindowlessMessageBox(const MessageBoxRequest& request)
{
    if (const std::optional<int> answer = HookedMessageBox(request))
        return *answer;
    std::fprintf(stderr, "%s\n", request.text.toLocal8Bit().constData());
    return IDOK;
}

MessageBoxAnswer::MessageBoxAnswer(int answer)
{
    previous_ = SetMessageBoxHook([this, answer](const MessageBoxRequest& request) {
        shown.push_back(request);
        return answer;
    });
}

MessageBoxAnswer::~MessageBoxAnswer()
{
    SetMessageBoxHook(std::move(previous_));
}
