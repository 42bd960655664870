#include "skin/message_answer.h"

namespace {

SkinnedMessageHook& Hook()
{
    static SkinnedMessageHook hook;
    return hook;
}

} // namespace

SkinnedMessageHook SetSkinnedMessageHook(SkinnedMessageHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

const SkinnedMessageHook& SkinnedMessageHookInPlace()
{
    return Hook();
}

MessageAnswer::MessageAnswer(int defaultAnswer) : defaultAnswer_(defaultAnswer)
{
    previous_ = SetSkinnedMessageHook([this](const SkinnedMessage& message) { return Answer(message); });
}

MessageAnswer::~MessageAnswer()
{
    SetSkinnedMessageHook(std::move(previous_));
}

int MessageAnswer::Answer(const SkinnedMessage& message)
{
    shown.push_back(message);
    if (queued_.empty())
        return defaultAnswer_;
    const int answer = queued_.front();
    queued_.pop_front();
    return answer;
}
